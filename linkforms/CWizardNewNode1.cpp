#include "linkforms/CWizardNewNode1.h"

#include "common/PanelText.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QWizard>

namespace {
constexpr std::array<int, NewNodeNames::kChannels> kChannelIds = {
    CWizardNewNode1::IdChannelA, CWizardNewNode1::IdChannelB, CWizardNewNode1::IdChannelC, CWizardNewNode1::IdChannelD};
} // namespace

CWizardNewNode1::CWizardNewNode1(QWidget* parent) : QWizardPage(parent)
{
    setTitle(QStringLiteral("Step 1 of 2, Names"));
    auto* form = new QFormLayout(this);
    const auto edit = [this](int id, const QString& text) {
        auto* line = new QLineEdit(text, this);
        line->setObjectName(QString::number(id));
        line->setMaxLength(NewNodeNames::kNameMax);
        return line;
    };
    const NewNodeNames defaults;
    m_controller = edit(IdControllerName, defaults.controller);
    form->addRow(QStringLiteral("Controller name:"), m_controller);
    for (int c = 0; c < NewNodeNames::kChannels; ++c) {
        m_channels[static_cast<std::size_t>(c)] = edit(kChannelIds[static_cast<std::size_t>(c)],
                                                       defaults.channels[static_cast<std::size_t>(c)]);
        form->addRow(QStringLiteral("Channel ") + QChar(u'A' + c) + QLatin1Char(':'),
                     m_channels[static_cast<std::size_t>(c)]);
    }
}

void CWizardNewNode1::initializePage()
{
    if (wizard())
        wizard()->setWindowTitle(title());
}

bool CWizardNewNode1::validatePage()
{
    if (!CheckPanelText(QStringLiteral("Controller name"), m_controller->text())) {
        m_controller->setFocus();
        return false;
    }
    for (int c = 0; c < NewNodeNames::kChannels; ++c) {
        QLineEdit* channel = m_channels[static_cast<std::size_t>(c)];
        if (!CheckPanelText(QStringLiteral("Channel ") + QChar(u'A' + c), channel->text())) {
            channel->setFocus();
            return false;
        }
    }
    return true;
}

NewNodeNames CWizardNewNode1::Names() const
{
    NewNodeNames names;
    names.controller = m_controller->text();
    for (int c = 0; c < NewNodeNames::kChannels; ++c)
        names.channels[static_cast<std::size_t>(c)] = m_channels[static_cast<std::size_t>(c)]->text();
    names.Settle();
    return names;
}
