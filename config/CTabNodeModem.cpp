#include "config/CTabNodeModem.h"

#include "common/SharedHelpers.h"
#include "config/NodeSetupLayout.h"
#include "config/PanelTextField.h"
#include "image/CVLControllerMemory.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {

constexpr int kTermination = 2;
constexpr std::array<const char*, CTabNodeModem::kStrings> kLabels = {"Init string 1:", "Init string 2:",
                                                                       "Termination String:"};

} // namespace

CTabNodeModem::CTabNodeModem(CVLControllerMemory& image, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CTabNodeModem"));
    const bool mayChange = OperatorHasPrivilege(NodeSetupLayout::kConfigurePrivilege);
    for (int i = 0; i < kStrings; ++i) {
        QString text;
        image.ExchangeModemString(i, text, 1);
        m_fields[i] = new QLineEdit(text, this);
        m_fields[i]->setMaxLength(NodeSetupLayout::kNameLength);
        m_fields[i]->setEnabled(mayChange);
    }
    auto* form = new QFormLayout(this);
    for (int i : {kTermination, 0, 1})
        form->addRow(QString::fromLatin1(kLabels[i]), m_fields[i]);
}

bool CTabNodeModem::CheckPanelTexts() const
{
    for (int i : {kTermination, 0, 1}) {
        if (!CheckPanelTextField(QString::fromLatin1(kLabels[i]).chopped(1), m_fields[i]))
            return false;
    }
    return true;
}

void CTabNodeModem::WriteImage(CVLControllerMemory& image) const
{
    for (int i = 0; i < kStrings; ++i) {
        QString text = m_fields[i]->text();
        image.ExchangeModemString(i, text, 0);
    }
}
