#include "image/NodeHtmlView.h"

#include "image/HtmlPageFiles.h"
#include "image/NodeViewSections.h"
#include "image/CVLMemory.h"
#include "platform/Archive.h"
#include "platform/DurableFiles.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"

#include <QFile>

namespace {
const char* const kLineEnd = "\r\n";
const char* const kLastLine = "var MENU_EVTNTLOG = 'Eventlog'";
} // namespace

const std::array<NodeViewSection, 27> NodeViewSectionTable = {{
    {"MENU_MAIN", NodeViewSections::Main},
    {"MENU_TIME_ZONES", NodeViewSections::TimeZones},
    {"MENU_VALIDATION_GROUPS", NodeViewSections::DoorValidationGroups},
    {"MENU_FLOOR_VALIDATION_GROUPS", NodeViewSections::FloorValidationGroups},
    {"MENU_DOOR_SCHEDULES", NodeViewSections::DoorSchedules},
    {"MENU_BUTTON_SCHEDULES", NodeViewSections::ButtonSchedules},
    {"MENU_DOWNLIGHT_TIME", NodeViewSections::DownlightTime},
    {"MENU_HOLIDAYS", NodeViewSections::Holidays},
    {"MENU_FACILITY_SITE_CODES", NodeViewSections::FacilityCodes},
    {"MENU_PHONE_DIRECTORY", NodeViewSections::PhoneDirectory},
    {"MENU_CONTROLLER", NodeViewSections::Controller},
    {"MENU_CONTROLLER_NAMES", NodeViewSections::ControllerNames},
    {"MENU_CONTROLLER_RELAYS", NodeViewSections::ControllerRelays},
    {"MENU_CONTROLLER_MODEM", NodeViewSections::ControllerModem},
    {"MENU_CONTROLLER_REMOTE_DEVICES", NodeViewSections::RemoteDevices},
    {"MENU_CONTROLLER_OBST_TRANSMITTERS", NodeViewSections::ObstacleTransmitters},
    {"MENU_CARDHOLDERS", NodeViewSections::Cardholders},
    {"MENU_CARDHOLDER_SETS", NodeViewSections::CardholderSets},
    {"MENU_DIRECTORY_CODES", NodeViewSections::DirectoryCodes},
    {"MENU_TRANSMITTER_BLOCKS", NodeViewSections::TransmitterBlocks},
    {"MENU_CARD_BLOCKS", NodeViewSections::CardBlocks},
    {"MENU_ENTRY_CODES", NodeViewSections::EntryCodes},
    {"MENU_TRANSMITTER_SINGLE", NodeViewSections::SingleTransmitters},
    {"MENU_CARD_SINGLE", NodeViewSections::SingleCards},
    {"MENU_DISPLAY_MESSAGES", NodeViewSections::DisplayMessages},
    {"MENU_ANTI_PASSBACK", NodeViewSections::AntiPassback},
    {"MENU_FLOOR_SCHEDULES", NodeViewSections::FloorSchedules},
}};

const std::array<const char*, 4> NodeHtmlView::PageFiles = {"wf.css", "wf.js", kPageFile, "tree.js"};

NodeViewSources::NodeViewSources(QString downloadFolder, int major, int minor, QDateTime time)
    : folder(std::move(downloadFolder)), firmwareMajor(major), firmwareMinor(minor), now(std::move(time))
{
    const QString image = folder + QLatin1String(kDownloadedControllerFile);
    controller.LoadFile(image, 0, 0, {});
    global.LoadFile(image, 0, 0, {});
}

QByteArray NodeHtmlView::DataScript(NodeViewSources& sources)
{
    QByteArray script;
    for (const NodeViewSection& section : NodeViewSectionTable) {
        const QString line = QStringLiteral("var ") + QLatin1String(section.variable)
            + QStringLiteral(" = '<table class=\"form\">") + section.build(sources) + QStringLiteral("</table>'");
        script += line.toLatin1() + kLineEnd;
    }
    return script + kLastLine + kLineEnd;
}

bool NodeHtmlView::Write(const QString& folder, const QString& htmlFolder, int firmwareMajor, int firmwareMinor,
                         const QDateTime& now)
{
    HtmlPageFiles::WriteMissing(htmlFolder);
    // A view missing one of its page files would open blank or unstyled.
    bool written = true;
    for (const char* name : PageFiles) {
        const QString copy = folder + QLatin1String(name);
        const std::optional<QByteArray> page = ReadWholeFile(htmlFolder + QLatin1String(name));
        if (!page || !WriteWholeFile(copy, *page)) {
            QFile::remove(copy);
            written = false;
        }
    }
    NodeViewSources sources(folder, firmwareMajor, firmwareMinor, now);
    const QByteArray script = DataScript(sources);
    written = WriteWholeFile(folder + QLatin1String(kDataFile), script) && written;
    if (!written || sources.readFailed) {
        ShowMessageBox(QString::fromLatin1(kWriteErrorText));
        return false;
    }
    return true;
}

bool NodeHtmlView::Open(const QString& folder)
{
    return OpenWithShell(folder + QLatin1String(kPageFile));
}
