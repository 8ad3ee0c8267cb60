#include "app/CWFDoc.h"
#include "app/ReportText.h"

#include "common/Vocabulary.h"
#include "database/CSetVLNetworks.h"
#include "database/CSetVestrels.h"
#include "database/NetworkLetter.h"

using ReportText::YesNo;

void CWFDoc::ListNetworkSettings(CSetVLNetworks& network)
{
    AppendReportHeading(QStringLiteral("Setting for network: [") + NetworkLetter(network.m_Net) + QStringLiteral("] ")
                        + network.m_NetName);
    m_strSettingsText += QStringLiteral("\nNetwork enabled:           ") + YesNo(network.m_Active)
                         + QStringLiteral("\nNetwork address:           ") + NetworkLetter(network.m_Net)
                         + QStringLiteral("\nPassword:                  ") + network.m_Password
                         + QStringLiteral("\nNetwork time programming:  Enable Daylight Savings: ")
                         + YesNo(network.m_DaylightSavings)
                         + QString::asprintf("\n                           Hours offset from PC clock: %d",
                                            int{network.m_HoursOffset})
                         + QStringLiteral("\nNetwork connection:        Connect using: ")
                         + NameAt(ConnectUsingNames, network.m_ConnectUsing)
                         + QStringLiteral("\n                           Use area code: ")
                         + YesNo(network.m_CountryAndAreaCode)
                         + QStringLiteral("\n                           Phone number:  ") + network.m_AreaCode
                         + QLatin1Char('-') + network.m_PhoneNo + QStringLiteral("\n\n\n");
}

void CWFDoc::ListControllerSettings(CSetVestrels& controller, const QString& unreadable)
{
    AppendReportHeading(QStringLiteral("Settings for controller: ") + controller.GetNodeLabel());
    if (!unreadable.isEmpty()) {
        m_strSettingsText += QLatin1Char('\n') + unreadable + QLatin1Char('\n');
        return;
    }
    m_strSettingsText += QLatin1Char('\n') + FormatControllerGeneral(controller) + FormatModemSettings()
                         + FormatPasswords() + FormatRelaySettings(controller) + QLatin1Char('\n')
                         + FormatRemoteDevices() + QLatin1Char('\n') + FormatObstacleTransmitters();
}
