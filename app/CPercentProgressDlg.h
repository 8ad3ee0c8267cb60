#pragma once

#include "app/CProgressBase.h"
#include "app/PercentProgress.h"

class QLabel;

// A progress dialog that shows the percentage done and cannot be dismissed by
// the operator.
class CPercentProgressDlg : public CProgressBase
{
    Q_OBJECT
public:
    explicit CPercentProgressDlg(const QString& caption = QStringLiteral("Generating Event log report..."));

    void SetRange(int lower, int upper);
    void SetStep(int step);
    // Moves only to an exact multiple of step.
    void StepTo(int position, int step);
    QString PercentText() const;

protected:
    void reject() override {}
    void OnMoved(int position) override;

private:
    PercentProgress m_percent;
    QLabel* m_percentLabel;
};
