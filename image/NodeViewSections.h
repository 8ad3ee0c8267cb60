#pragma once

#include "image/CVLControllerMemory.h"
#include "image/CVLGlobalMemory.h"

#include <QDateTime>
#include <QString>

#include <array>

// What the sections of a downloaded node's view are built from: the node's
// downloaded files and its image read as a controller and as installation-wide
// settings, the firmware the node last reported and the time of the view.
struct NodeViewSources
{
    // folder ends with "/". A missing "Controller.dat" leaves the images as
    // new objects hold them.
    NodeViewSources(QString folder, int firmwareMajor, int firmwareMinor, QDateTime now);

    QString folder;
    CVLControllerMemory controller;
    CVLGlobalMemory global;
    int firmwareMajor;
    int firmwareMinor;
    QDateTime now;
    // A paged file failed while being read; its rows so far are kept.
    bool readFailed = false;
};

using SectionBuilder = QString (*)(NodeViewSources& sources);

struct NodeViewSection
{
    const char* variable;
    SectionBuilder build;
};

// The sections in the order of "data.js".
extern const std::array<NodeViewSection, 27> NodeViewSectionTable;

// Sections of the image.
namespace NodeViewSections {
QString Main(NodeViewSources& s);
QString TimeZones(NodeViewSources& s);
QString DoorValidationGroups(NodeViewSources& s);
QString FloorValidationGroups(NodeViewSources& s);
QString DoorSchedules(NodeViewSources& s);
QString ButtonSchedules(NodeViewSources& s);
QString DownlightTime(NodeViewSources& s);
QString Holidays(NodeViewSources& s);
QString FacilityCodes(NodeViewSources& s);
QString PhoneDirectory(NodeViewSources& s);
QString Controller(NodeViewSources& s);
QString ControllerNames(NodeViewSources& s);
QString ControllerRelays(NodeViewSources& s);
QString ControllerModem(NodeViewSources& s);
QString RemoteDevices(NodeViewSources& s);
QString ObstacleTransmitters(NodeViewSources& s);
QString CardholderSets(NodeViewSources& s);
QString AntiPassback(NodeViewSources& s);
QString FloorSchedules(NodeViewSources& s);

// Sections of the paged files.
QString Cardholders(NodeViewSources& s);
QString DirectoryCodes(NodeViewSources& s);
QString TransmitterBlocks(NodeViewSources& s);
QString CardBlocks(NodeViewSources& s);
QString EntryCodes(NodeViewSources& s);
QString SingleTransmitters(NodeViewSources& s);
QString SingleCards(NodeViewSources& s);
QString DisplayMessages(NodeViewSources& s);
} // namespace NodeViewSections
