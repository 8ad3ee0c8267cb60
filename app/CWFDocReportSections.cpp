#include "app/CWFDoc.h"

#include "database/CSetVLNetworks.h"
#include "database/CSetVestrels.h"

// The sections of the settings listing give their headings; what each lists
// comes with the system report.

void CWFDoc::ListGlobalSettings()
{
    for (const char* heading :
         {"Memory Status\n\n", "Networks/Nodes/Doors [NETWORK-CONTROLLER-CHANNEL]\n", "Validation Groups\n",
          "System Operators\n", "Cardholder Custom Field Labels\n", "Time Zones\n", "Door Schedules", "Floor Names\n\n",
          "Telephone Entry\n", "Time and Calendar\n", "\nDownlight Control Time\n", "Anti-PassBack\n",
          "Global Button Schedule\n", "Transmitter Facility Codes\n", "Card Facility Codes\n"})
        AppendReportHeading(QString::fromLatin1(heading));
}

void CWFDoc::ListNetworkSettings(CSetVLNetworks& network)
{
    AppendReportHeading(QStringLiteral("Setting for network: ") + network.GetNetLabel(0));
    m_strSettingsText += QLatin1Char('\n');
}

void CWFDoc::ListControllerSettings(CSetVestrels& controller)
{
    AppendReportHeading(QStringLiteral("Settings for controller: ") + controller.GetNodeLabel());
    m_strSettingsText += QLatin1Char('\n');
}
