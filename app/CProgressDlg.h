#pragma once

#include "app/CProgressBase.h"

// A progress dialog with a Cancel button that only raises a flag: the
// operation asks for it with CheckCancelButton.
class CProgressDlg : public CProgressBase
{
    Q_OBJECT
public:
    static constexpr int kDefaultStep = 10;

    explicit CProgressDlg(const QString& caption = QStringLiteral("Generating Event log report..."));

    // True once after Cancel was pressed.
    bool CheckCancelButton();

protected:
    void reject() override;

private:
    bool m_cancelled = false;
};
