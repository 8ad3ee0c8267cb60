#include "database/CSetEventLog.h"

#include "common/Formatting.h"
#include "common/IInstallationDocument.h"
#include "common/ProgramObjects.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "platform/DatabaseException.h"
#include "platform/JetSql.h"
#include "platform/MessageBox.h"

#include <array>

namespace
{
const std::array<const char*, 5> ProgramModeEventNames = {
    "Reset/Power Up", "Enter Local Program Mode", "Exit Program Mode", "Program Mode Timed Out",
    "Enter Remote Program Mode",
};
constexpr int kFirstProgramModeMod = 3;

const std::array<const char*, 7> SystemErrorEventNames = {
    "Insufficient Memory", "Invalid memory config", "", "", "", "Alarm", "Operator",
};
constexpr int kFirstSystemErrorMod = 20;

// Modifier codes that the texts tell apart.
namespace Mod
{
constexpr std::uint8_t Keypad = 14;
constexpr std::uint8_t BlockCard = 15;
constexpr std::uint8_t BlockXmtr = 16;
constexpr std::uint8_t SingleXmtr = 17;
constexpr std::uint8_t PanelOperator = 18;
constexpr std::uint8_t PostalKey = 19;
constexpr std::uint8_t UnknownXmtr = 27;
constexpr std::uint8_t UnknownCard = 28;
constexpr std::uint8_t UnknownEntryCode = 29;
constexpr std::uint8_t DeniedXmtr = 32;
constexpr std::uint8_t DeniedCard = 33;
constexpr std::uint8_t PriorityAccess = 33;
constexpr std::uint8_t DeniedEntryCode = 34;
constexpr std::uint8_t HostOperator = 35;
constexpr std::uint8_t SingleCard = 36;
constexpr std::uint8_t ConnectionError = 1;
} // namespace Mod

constexpr std::uint8_t kLockedClosedBit = 0x04;
constexpr std::uint8_t kDeactivatedBit = 0x80;
constexpr std::uint8_t kTimeZoneMask = 31;
constexpr std::uint8_t kAlarmInwardLimit = 128;
constexpr std::uint8_t kAlarmDoorMask = 127;
constexpr std::uint8_t kDialInBit = 0x80;
constexpr std::uint8_t kDialInDoorMask = 3;
constexpr std::uint8_t kConnectionErrorContext = 5;
constexpr std::uint8_t kAntiPassbackIn = 1;
constexpr std::uint8_t kAntiPassbackOut = 2;
constexpr std::uint8_t kAntiPassbackNeutral = 3;
constexpr int kHighByteFactor = 256;

const QString kNotSupportedText = QStringLiteral("Non-supported event type");
const QString kStoredLogErrorText = QStringLiteral("Database error in stored Event Log.");
const QString kPanelOperator = QStringLiteral("Panel operator");
const QString kHostOperator = QStringLiteral("Host operator");

QString CardholderName(std::int32_t userID)
{
    return g_setUsers.FindByID(userID) ? g_setUsers.GetDisplayName() : QString();
}

// An entry of a fixed text table; outside it the stored row is at fault.
template <std::size_t N>
void TableText(const std::array<const char*, N>& table, int index, QString& text)
{
    if (index < 0 || index >= int(N))
        ShowMessageBox(kStoredLogErrorText);
    else
        text = QLatin1String(table[std::size_t(index)]);
}

QString PhoneNumberText(int number)
{
    std::uint8_t codeLength = 0;
    if (IInstallationDocument* doc = GetOpenInstallation())
        doc->DirectoryCodeLength(codeLength, 1);
    constexpr std::uint8_t kLongestCodeLength = 3;
    if (codeLength > kLongestCodeLength)
        return QStringLiteral("Phone [0] ");
    // Lengths 0-3 pad to 1-4 digits.
    const int width = codeLength == 0 ? 0 : codeLength + 1;
    return QStringLiteral("Phone [%1] ").arg(number, width, 10, QLatin1Char('0'));
}
} // namespace

void CSetEventLog::GetColumnText(QString& timeText, QString& doorText, QString& modifierText, QString& eventText)
{
    timeText = m_Time.toString(QStringLiteral("MM/dd/yy - HH:mm:ss"));
    if (m_NetNode != 0)
        g_setVestrels.FindByAddress(m_NetNode >> 4, m_NetNode & 0x0F);
    const int source = m_Door & EventSource::Mask;
    if (source >= EventSource::FirstDoor && source <= EventSource::LastDoor) {
        const QString label = g_setVestrels.GetDoorLabel(source, true);
        if (m_Type == EventType::AntiPassbackViolation && m_Id2 == kAntiPassbackIn)
            doorText = label + QStringLiteral(" (IN)");
        else if (m_Type == EventType::AntiPassbackViolation && m_Id2 == kAntiPassbackOut)
            doorText = label + QStringLiteral(" (OUT)");
        else
            doorText = label;
    } else if (source == EventSource::Node) {
        doorText = g_setVestrels.GetNodeLabel();
    } else if (source == EventSource::Network) {
        doorText = g_setVLNetworks.GetNetLabel(m_NetNode >> 4);
    } else if (source == EventSource::Host) {
        doorText = QStringLiteral("Wardix");
    } else {
        doorText.clear();
    }
    GetDescription(modifierText, eventText);
}

void CSetEventLog::GetDescription(QString& modifierText, QString& eventText)
{
    const std::uint64_t number = GetCredentialNumber();
    const std::int32_t namedUser = m_Id3 * kHighByteFactor + m_Id4;
    switch (m_Type) {
    case EventType::ObstacleXmtr: {
        eventText = QStringLiteral("Obstacle xmtr [%1]").arg(QChar(char16_t(u'0' + m_Mod)));
        static const char* const kTrouble[] = {"", " Trouble", " Low Battery", " Supervisory"};
        if (m_Ctx >= 1 && m_Ctx <= 3)
            eventText += QLatin1String(kTrouble[m_Ctx]);
        break;
    }
    case EventType::ProgramMode:
        modifierText = kPanelOperator;
        TableText(ProgramModeEventNames, m_Mod - kFirstProgramModeMod, eventText);
        break;
    case EventType::Access: {
        modifierText = CardholderName(m_UserID);
        QString credential;
        switch (m_Mod) {
        case Mod::Keypad: {
            const QString code = GetEntryCodeText();
            bool found = false;
            try {
                found = g_setEntryCodes.FindFirst(QStringLiteral("Code = ") + JetSql::QuoteText(code));
            } catch (const DatabaseException& error) {
                ShowDatabaseError(error);
            }
            credential = QStringLiteral("Keypad [%1]").arg(found ? g_setEntryCodes.GetDisplayCode() : code);
            break;
        }
        case Mod::BlockCard: credential = QStringLiteral("Block Card [%1]").arg(QString::number(number)); break;
        case Mod::BlockXmtr: credential = QStringLiteral("Block xmtr [%1]").arg(QString::number(number)); break;
        case Mod::SingleXmtr: credential = QStringLiteral("Single xmtr [%1]").arg(QString::number(number)); break;
        case Mod::SingleCard: credential = QStringLiteral("Single Card [%1]").arg(QString::number(number)); break;
        default: ShowMessageBox(kStoredLogErrorText); break;
        }
        eventText = credential + ((m_Door & EventSource::AccessDenied) ? QStringLiteral(", Access denied")
                                                                         : QStringLiteral(", Access granted"));
        break;
    }
    case EventType::Locked:
        if (m_Mod == Mod::PanelOperator)
            modifierText = kPanelOperator;
        else if (m_Mod == Mod::PriorityAccess)
            modifierText = QStringLiteral("Priority Access");
        else if (m_Mod == Mod::HostOperator)
            modifierText = kHostOperator;
        eventText = (m_Id0 & kLockedClosedBit) ? QStringLiteral("Locked closed") : QStringLiteral("Locked open");
        break;
    case EventType::Unlocked:
        modifierText = m_Mod == Mod::HostOperator ? kHostOperator : kPanelOperator;
        eventText = QStringLiteral("Unlocked");
        break;
    case EventType::OpenRequest:
        modifierText = m_Mod == Mod::PostalKey ? QStringLiteral("Postal Key") : QStringLiteral("Request to exit");
        eventText = QStringLiteral("Open request");
        break;
    case EventType::SystemError:
        TableText(SystemErrorEventNames, m_Mod - kFirstSystemErrorMod, eventText);
        break;
    case EventType::TimeZone:
        modifierText = QStringLiteral("Time Zone %1").arg(m_Ctx & kTimeZoneMask);
        eventText = (m_Ctx & kDeactivatedBit) ? QStringLiteral("Deactivated") : QStringLiteral("Activated");
        break;
    case EventType::PanelAlarm:
        eventText = (m_Mod < kAlarmInwardLimit ? QStringLiteral("Panel Alarm ->{%1}") : QStringLiteral("Panel Alarm <-{%1}"))
                        .arg(QChar(char16_t(u'A' + (m_Mod & kAlarmDoorMask))));
        break;
    case EventType::Phone:
        modifierText = CardholderName(m_UserID);
        eventText = PhoneNumberText(m_Id0 * kHighByteFactor + m_Id1)
                    + ((m_Mod & kDialInBit) ? QStringLiteral("->{%1} ").arg(QChar(char16_t(u'A' + (m_Mod & kDialInDoorMask))))
                                            : QStringLiteral("->{T} "));
        break;
    case EventType::PriorityDialIn:
        modifierText.clear();
        eventText = QStringLiteral("Priority Access dial in");
        break;
    case EventType::NetworkCommand:
        modifierText = QStringLiteral("Network command");
        break;
    case EventType::InvalidCredential:
        switch (m_Mod) {
        case Mod::UnknownXmtr:
            modifierText = QStringLiteral("Unknown transmitter");
            eventText = QStringLiteral("Transmitter [%1]").arg(QString::number(number));
            break;
        case Mod::UnknownCard:
            modifierText = QStringLiteral("Unknown card");
            eventText = QStringLiteral("Card [%1]").arg(QString::number(number));
            break;
        case Mod::UnknownEntryCode:
            modifierText = QStringLiteral("Unknown entry code");
            eventText = QStringLiteral("Entry Code [%1]").arg(GetEntryCodeText());
            break;
        case Mod::DeniedXmtr:
            modifierText = QStringLiteral("Access denied ");
            eventText = QStringLiteral("Transmitter [%1]").arg(QString::number(number));
            break;
        case Mod::DeniedCard:
            modifierText = QStringLiteral("Access denied");
            eventText = QStringLiteral("Card [%1]").arg(QString::number(number));
            break;
        case Mod::DeniedEntryCode: {
            modifierText = QStringLiteral("Access denied");
            // Every 0xF nibble is left out here, wherever it stands.
            QString digits;
            for (std::uint8_t byte : {m_Id0, m_Id1, m_Id2, m_Id3})
                for (std::uint8_t nibble : {std::uint8_t(byte >> 4), std::uint8_t(byte & 0x0F)})
                    if (nibble != 0x0F)
                        digits += QChar(char16_t(u'0' + nibble));
            eventText = QStringLiteral("Entry Code [%1]").arg(digits);
            break;
        }
        default: break;
        }
        break;
    case EventType::TimeSet:
        modifierText = QStringLiteral("Host");
        eventText = QStringLiteral("Network time set");
        break;
    case EventType::Tamper:
        modifierText.clear();
        eventText = m_Mod != 0 ? QStringLiteral("Tamper switch open") : QStringLiteral("Tamper switch closed");
        break;
    case EventType::Screen:
        modifierText.clear();
        eventText = m_Mod == 0   ? QStringLiteral("Screen database problem")
                    : m_Mod == 1 ? QStringLiteral("Screen update error")
                                 : QStringLiteral("Screen generation overflow");
        break;
    case EventType::AntiPassbackViolation:
        modifierText = CardholderName(namedUser);
        eventText = QStringLiteral("Anti-passback violation");
        break;
    case EventType::AntiPassbackStatus: {
        modifierText = CardholderName(namedUser);
        QString status;
        if (m_Id2 == kAntiPassbackIn)
            status = QStringLiteral("\"In\"");
        else if (m_Id2 == kAntiPassbackOut)
            status = QStringLiteral("\"Out\"");
        else if (m_Id2 == kAntiPassbackNeutral)
            status = QStringLiteral("\"Neutral\"");
        else
            status = QStringLiteral("\"%1\".").arg(m_Id2);
        eventText = QStringLiteral("Anti-passback status set to ") + status;
        break;
    }
    case EventType::PriorityClose:
        modifierText.clear();
        eventText = QStringLiteral("Priority Access close");
        break;
    case EventType::PriorityOpen:
        modifierText.clear();
        eventText = QStringLiteral("Priority Access open 1 hour");
        break;
    case EventType::ModuleRelays:
        modifierText = CardholderName(namedUser);
        eventText = FormatModuleRelays(m_Id2, m_Id1, m_Id0);
        break;
    case EventType::Connection:
        if (m_Mod == Mod::ConnectionError && m_Ctx == kConnectionErrorContext) {
            modifierText.clear();
            eventText = QStringLiteral("Network connection error");
        }
        break;
    case EventType::NotSupported:
        ShowMessageBox(kNotSupportedText);
        break;
    default:
        // A type the panels do not send: no text and no box.
        break;
    }
}
