#pragma once

#include <QDialog>

#include <cstdint>

class QComboBox;

// Moves one cardholder into another cardholder set.
class CMoveCardholderDlg : public QDialog
{
    Q_OBJECT
public:
    CMoveCardholderDlg(std::int32_t userId, const QString& name, QWidget* parent = nullptr);

    QComboBox* SetList() const { return m_sets; }
    void accept() override;

private:
    std::int32_t m_userId;
    QComboBox* m_sets = nullptr;
};
