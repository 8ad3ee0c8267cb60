#include "app/CWFDoc.h"
#include "app/ReportText.h"

#include "common/RecordsetWalk.h"
#include "common/Vocabulary.h"
#include "database/COperatorStore.h"
#include "database/CSetVLNetworks.h"
#include "database/CSetVestrels.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "database/NetworkLetter.h"
#include "image/VLMemoryLayout.h"
#include "platform/DatabaseException.h"

using ReportText::PadRight;

namespace {

constexpr int kThousand = 1000;
constexpr int kTenThousand = 10000;
constexpr int kDoorsPerController = 4;
constexpr int kFirstListedGroup = 1;
constexpr int kOperatorNameWidth = 24;
constexpr int kPasswordWidth = 15;
// A report leaves the room: an operator's login password never reaches it.
constexpr const char* kHiddenPassword = "********";
constexpr int kValGroupNameWidth = 24;
constexpr int kValGroupTimeZones = 4;
constexpr int kCountWidth = 6;
// What comes before Available, Assigned and Total.
constexpr const char* kCountGaps[] = {"", "         ", "       "};

// A memory-status row: its label, where GetMemoryStatus counts it, the
// capacity, and whether its numbers carry a thousands comma.
struct MemoryRow
{
    const char* label;
    int count;
    int total;
    bool grouped;
};
constexpr MemoryRow kMemoryRows[] = {
    {"Transmitter Blocks        ", 0, 24, false},   {"Transmitters              ", 1, 45600, true},
    {"Individual Transmitters   ", 2, 20000, true}, {"Card Blocks               ", 3, 24, false},
    {"Cards                     ", 4, 45600, true}, {"Individual Cards          ", 5, 20000, true},
    {"Directory Codes           ", 6, 10000, true}, {"Entry Codes               ", 7, 20000, true},
};

} // namespace

QString CWFDoc::FormatCount(int n)
{
    QString digits = QString::number(n);
    if (n >= kTenThousand)
        digits.insert(2, QLatin1Char(','));
    else if (n >= kThousand)
        digits.insert(1, QLatin1Char(','));
    return digits;
}

void CWFDoc::ListGlobalSettings()
{
    using Writer = void (CWFDoc::*)();
    const struct
    {
        Writer write;
        bool pageBreak;
    } sections[] = {
        {&CWFDoc::ListMemoryStatus, false},       {&CWFDoc::ListNetworksNodesDoors, false},
        {&CWFDoc::ListValidationGroups, true},    {&CWFDoc::ListSystemOperators, false},
        {&CWFDoc::ListCustomFieldLabels, false},  {&CWFDoc::ListTimeZones, true},
        {&CWFDoc::ListDoorSchedules, true},       {&CWFDoc::ListFloorNames, true},
        {&CWFDoc::ListTelephoneEntry, false},     {&CWFDoc::ListTimeAndCalendar, false},
        {&CWFDoc::ListAntiPassback, false},       {&CWFDoc::ListButtonSchedule, false},
        {&CWFDoc::ListFacilityCodes, true},
    };
    for (const auto& section : sections) {
        (this->*section.write)();
        if (section.pageBreak)
            PaginateReport(ReportOp::kScanPages);
        m_strSettingsText += QLatin1Char('\n');
    }
}

void CWFDoc::ListMemoryStatus()
{
    std::array<int, kMemoryStatusCounts> counts{};
    GetMemoryStatus(counts);
    AppendReportHeading(QStringLiteral("Memory Status\n\n"));
    m_strSettingsText += QStringLiteral("                       Available       Assigned        Total\n");
    for (const MemoryRow& row : kMemoryRows) {
        const int assigned = counts[static_cast<std::size_t>(row.count)];
        const int values[] = {row.total - assigned, assigned, row.total};
        m_strSettingsText += QLatin1String(row.label);
        for (std::size_t i = 0; i < std::size(values); ++i) {
            const QString number = row.grouped ? FormatCount(values[i]) : QString::number(values[i]);
            m_strSettingsText += QLatin1String(kCountGaps[i]) + number.rightJustified(kCountWidth, QLatin1Char(' '));
        }
        m_strSettingsText += QLatin1Char('\n');
    }
}

void CWFDoc::ListNetworksNodesDoors()
{
    AppendReportHeading(QStringLiteral("Networks/Nodes/Doors [NETWORK-CONTROLLER-CHANNEL]\n"));
    try {
        CSetVLNetworks networks;
        networks.m_strDBFolder = g_setVLNetworks.m_strDBFolder;
        networks.Open();
        for (bool row = MoveToFirstRow(networks); row && !networks.IsEOF(); networks.MoveNext()) {
            m_strSettingsText += QLatin1Char('[') + NetworkLetter(networks.m_Net) + QStringLiteral("]   ");
            if (!networks.m_Active) {
                m_strSettingsText += QStringLiteral("Not enabled\n");
                continue;
            }
            m_strSettingsText += networks.m_NetName + QLatin1Char('\n');
            CSetVestrels controllers;
            controllers.m_strDBFolder = g_setVestrels.m_strDBFolder;
            controllers.m_strFilter = QStringLiteral("NodeID = %1").arg(networks.m_NodeID);
            controllers.Open();
            for (bool node = MoveToFirstRow(controllers); node && !controllers.IsEOF(); controllers.MoveNext()) {
                m_strSettingsText += QStringLiteral("       ") + controllers.GetNodeLabel() + QLatin1Char('\n');
                for (int door = 1; door <= kDoorsPerController; ++door)
                    m_strSettingsText += QString(12, QLatin1Char(' ')) + controllers.GetDoorLabel(door, true)
                                         + QLatin1Char('\n');
            }
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
}

void CWFDoc::ListValidationGroups()
{
    AppendReportHeading(QStringLiteral("Validation Groups\n"));
    m_strSettingsText += QStringLiteral("Group        Name           Door Sched          Time Zone\n");
    const auto& groups = VLLayout::kDoorValGroups;
    for (int group = kFirstListedGroup; group < groups.count; ++group) {
        const int record = groups.At(group);
        m_strSettingsText += QString::asprintf("[%02u] ", static_cast<unsigned>(group))
                             + PadRight(m_doorValGroupNames[static_cast<std::size_t>(group)], kValGroupNameWidth)
                             + QString::asprintf(" DS[%02u] ", static_cast<unsigned>(m_globalMemory.Byte(record)));
        for (int zone = 1; zone <= kValGroupTimeZones; ++zone)
            m_strSettingsText += QString::asprintf(zone == 1 ? " QZ[%02u]" : ",QZ[%02u]",
                                                   static_cast<unsigned>(m_globalMemory.Byte(record + zone)));
        m_strSettingsText += QLatin1Char('\n');
    }
}

void CWFDoc::ListSystemOperators()
{
    AppendReportHeading(QStringLiteral("System Operators\n"));
    m_strSettingsText += QStringLiteral("Name                     Privileges\n");
    for (int slot = 0; slot < COperatorStore::kMaxOperators; ++slot) {
        COperatorStore store;
        if (!store.LoadOperator(slot))
            continue;
        QString name = store.GetName();
        bool any = false;
        for (int privilege = 0; privilege < COperatorStore::kPrivilegeCount; ++privilege) {
            if (!store.GetPrivilege(privilege))
                continue;
            m_strSettingsText += PadRight(name, kOperatorNameWidth) + QLatin1Char(' ')
                                 + NameAt(PrivilegeNames, privilege) + QLatin1Char('\n');
            name.clear();
            any = true;
        }
        if (!any)
            m_strSettingsText += PadRight(name, kOperatorNameWidth) + QLatin1Char(' ')
                                 + PadRight(QLatin1String(kHiddenPassword), kPasswordWidth) + QLatin1Char('\n');
    }
}

void CWFDoc::ListCustomFieldLabels()
{
    AppendReportHeading(QStringLiteral("Cardholder Custom Field Labels\n"));
    QString section;
    for (int field = 0; field < kUserTypeLabels; ++field)
        section += QStringLiteral("Account holder field %1: ").arg(field + 1)
                   + m_userTypeLabels[static_cast<std::size_t>(field)] + QLatin1Char('\n');
    m_strSettingsText += section;
}
