#pragma once

#include "common/IProgress.h"
#include "common/ProgramObjects.h"

#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

// Installed for the life of a test as the program's progress displays:
// records what the displays were told and reports Cancel once after
// PressCancel, at the next check.
class ProgressRecorder : public IProgressFactory
{
public:
    ProgressRecorder() { SetProgressFactory(this); }
    ~ProgressRecorder() override { SetProgressFactory(nullptr); }
    ProgressRecorder(const ProgressRecorder&) = delete;
    ProgressRecorder& operator=(const ProgressRecorder&) = delete;

    std::unique_ptr<IProgress> Open(IProgress::Kind, const QString& caption, const QString&, int upper) override
    {
        captions << caption;
        this->upper = upper;
        open = true;
        return std::make_unique<Display>(*this);
    }

    void PressCancel() { m_cancelPressed = true; }

    QStringList captions;
    int upper = 0;
    std::vector<int> positions;
    QStringList statuses;
    int checks = 0;
    bool barHidden = false;
    bool open = false;

private:
    struct Display : IProgress
    {
        explicit Display(ProgressRecorder& owner) : m_owner(owner) {}
        ~Display() override { m_owner.open = false; }
        void SetPos(int position) override { m_owner.positions.push_back(position); }
        void SetStatus(const QString& text) override { m_owner.statuses << text; }
        void HideBar() override { m_owner.barHidden = true; }
        bool CheckCancelButton() override
        {
            ++m_owner.checks;
            return std::exchange(m_owner.m_cancelPressed, false);
        }
        ProgressRecorder& m_owner;
    };

    bool m_cancelPressed = false;
};
