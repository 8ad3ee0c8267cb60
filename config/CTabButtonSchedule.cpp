#include "config/CTabButtonSchedule.h"

#include "common/SharedHelpers.h"
#include "common/Vocabulary.h"
#include "config/PageLayout.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

constexpr std::array<const char*, ButtonScheduleValues::kRelays> kRelayLabels = {"Relay A:", "Relay B:", "Relay C:",
                                                                                 "Relay D:"};

} // namespace

CTabButtonSchedule::CTabButtonSchedule(CWFDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("CTabButtonSchedule"));
    m_values.Load(doc);
    const bool mayChange = OperatorHasPrivilege(PageLayout::kGlobalProgrammingPrivilege);
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(QStringLiteral("Global Button Schedule"), this);
    auto* form = new QFormLayout(box);
    for (int r = 0; r < ButtonScheduleValues::kRelays; ++r) {
        m_lists[r] = new QComboBox(box);
        for (int b = 0; b < ButtonScheduleValues::kChoices; ++b)
            m_lists[r]->addItem(QString::fromLatin1(ButtonNames[b]));
        m_lists[r]->setCurrentIndex(m_values.index[r]);
        m_lists[r]->setEnabled(mayChange);
        form->addRow(QString::fromLatin1(kRelayLabels[r]), m_lists[r]);
    }
    layout->addWidget(box);
    layout->addStretch();
}

void CTabButtonSchedule::Store()
{
    for (int r = 0; r < ButtonScheduleValues::kRelays; ++r)
        m_values.index[r] = m_lists[r]->currentIndex();
    m_values.Store(m_doc);
}
