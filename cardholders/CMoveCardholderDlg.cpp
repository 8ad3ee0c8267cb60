#include "cardholders/CMoveCardholderDlg.h"

#include "cardholders/CardholderStore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

CMoveCardholderDlg::CMoveCardholderDlg(std::int32_t userId, const QString& name, QWidget* parent)
    : QDialog(parent), m_userId(userId)
{
    setWindowTitle(QStringLiteral("Move cardholder..."));
    auto* layout = new QFormLayout(this);
    auto* nameLabel = new QLabel(name, this);
    m_sets = new QComboBox(this);
    for (const CardholderSetItem& set : CardholderStore::SetChoices())
        m_sets->addItem(set.name, set.index);
    m_sets->setCurrentIndex(-1);
    layout->addRow(QStringLiteral("Cardholder:"), nameLabel);
    layout->addRow(QStringLiteral("Cardholder set:"), m_sets);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void CMoveCardholderDlg::accept()
{
    if (m_sets->currentIndex() >= 0)
        CardholderStore::MoveCardholder(m_userId, static_cast<std::uint8_t>(m_sets->currentData().toInt()));
    QDialog::accept();
}
