#pragma once

#include <QDialog>

class QCheckBox;

// The start-up reminder to back up regularly. Only OK closes it.
class CStartupDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CStartupDlg(QWidget* parent = nullptr);

    // The check box "Don't show this message again." as it was at OK.
    int DontShowAgain() const;
    QCheckBox* DontShowCheck() const { return m_dontShow; }

public slots:
    void reject() override;

private:
    QCheckBox* m_dontShow = nullptr;
};
