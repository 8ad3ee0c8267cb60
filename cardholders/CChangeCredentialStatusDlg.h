#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;

// Changes a credential number's Suspended and Lost state and can take it
// away from its cardholder, never give it to one.
class CChangeCredentialStatusDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CChangeCredentialStatusDlg(QWidget* parent = nullptr);

    // Set before exec(); read after OK.
    bool m_bSuspended = false;
    bool m_bLost = false;
    std::int32_t m_nAssigned = 0;

    int exec() override;
    void accept() override;

    QCheckBox* AssignedBox() const { return m_assigned; }
    QCheckBox* SuspendedBox() const { return m_suspended; }
    QCheckBox* LostBox() const { return m_lost; }

private:
    void LoadBoxes();

    QCheckBox* m_assigned = nullptr;
    QCheckBox* m_suspended = nullptr;
    QCheckBox* m_lost = nullptr;
};
