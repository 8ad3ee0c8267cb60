#include "linkforms/NetworkSettingsEdit.h"

#include "app/CWFDoc.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "linkforms/INodeCommandHost.h"
#include "linkforms/NodeCommands.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <algorithm>

namespace {

QString NetworkRow(int net)
{
    return QStringLiteral("Net = %1").arg(net);
}

QString NetworkPanels(int net)
{
    return QStringLiteral("NetAddress = %1").arg(net);
}

} // namespace

std::optional<NetworkConnectionValues> NetworkSettingsEdit::Load(int net)
{
    try {
        if (!g_setVLNetworks.IsOpen() || !g_setVLNetworks.FindFirst(NetworkRow(net))) {
            ShowMessageBox(QStringLiteral("This network has not been initialized."));
            return std::nullopt;
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return std::nullopt;
    }
    NetworkConnectionValues values;
    values.net = net;
    values.enabled = g_setVLNetworks.m_Active;
    values.name = g_setVLNetworks.m_NetName;
    values.password = g_setVLNetworks.m_Password;
    values.daylightSavings = g_setVLNetworks.m_DaylightSavings;
    values.hoursOffset = g_setVLNetworks.m_HoursOffset;
    values.connectUsing = g_setVLNetworks.m_ConnectUsing;
    values.useCountryAndArea = g_setVLNetworks.m_CountryAndAreaCode;
    values.countryId = g_setVLNetworks.m_CountryID;
    values.countryCode = g_setVLNetworks.m_strCountyCode;
    values.areaCode = g_setVLNetworks.m_AreaCode;
    values.phoneNumber = g_setVLNetworks.m_PhoneNo;
    return values;
}

void NetworkSettingsEdit::OfferReprogram(int net)
{
    if (!g_setVestrels.IsOpen() || !g_setVestrels.FindFirst(NetworkPanels(net)))
        return;
    if (ShowMessageBox(QStringLiteral("When enabling a network it is recommended to reprogram all controllers on "
                                      "the net.\n\nDo you want to reprogram all controllers on the net you are "
                                      "enabling?"),
                       MbButtons::YesNo)
        != IDYES)
        return;
    const QString panels = NetworkPanels(net);
    for (bool found = g_setVestrels.FindFirst(panels); found; found = g_setVestrels.FindNext(panels)) {
        g_setVestrels.Edit();
        g_setVestrels.m_Flags |= NodeCommands::kReprogramWholeNode;
        g_setVestrels.Update();
    }
    m_host.SetDataPending();
}

void NetworkSettingsEdit::Store(const NetworkConnectionValues& values)
{
    try {
        if (!g_setVLNetworks.IsOpen() || !g_setVLNetworks.FindFirst(NetworkRow(values.net)))
            return;
        const bool wasEnabled = g_setVLNetworks.m_Active;
        g_setVLNetworks.Edit();
        g_setVLNetworks.m_Active = values.enabled;
        g_setVLNetworks.m_NetName = values.name.left(NetworkConnectionValues::kNameMax);
        g_setVLNetworks.m_Password = values.password.left(NetworkConnectionValues::kPasswordMax);
        g_setVLNetworks.m_DaylightSavings = values.daylightSavings;
        g_setVLNetworks.m_HoursOffset = static_cast<std::int16_t>(
            std::clamp(values.hoursOffset, NetworkConnectionValues::kOffsetMin, NetworkConnectionValues::kOffsetMax));
        g_setVLNetworks.m_ConnectUsing = static_cast<std::uint8_t>(values.connectUsing);
        g_setVLNetworks.m_CountryAndAreaCode = values.useCountryAndArea;
        g_setVLNetworks.m_CountryID = values.countryId;
        g_setVLNetworks.m_strCountyCode = values.countryCode;
        g_setVLNetworks.m_AreaCode = values.areaCode;
        g_setVLNetworks.m_PhoneNo = values.phoneNumber;
        g_setVLNetworks.Update();
        if (wasEnabled && !values.enabled && NodeCommands::HasNetworkCommands(m_doc, values.net))
            m_host.RemoveAllQueuedCommands();
        else if (!wasEnabled && values.enabled)
            OfferReprogram(values.net);
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    m_host.FillNetworkCombo();
}
