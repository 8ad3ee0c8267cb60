#include "config/NodeNamesValues.h"

#include "app/CWFDoc.h"
#include "image/VLMemoryLayout.h"

namespace {

// Priority Access bits of channels A to D.
constexpr std::array<std::uint8_t, NodeNamesValues::kChannels> kPriorityBits = {1, 2, 4, 8};
// Door labels number the channels from 1.
constexpr int kFirstDoor = 1;

} // namespace

QString NodeAddressText(int nodeAddress)
{
    return QStringLiteral("  ") + QString::number(nodeAddress);
}

NodeNamesValues NodeNamesValues::Load(CWFDoc& doc)
{
    NodeNamesValues values;
    values.installation = doc.InstallationName();
    doc.NetworkName(values.network, 1);
    std::uint8_t address = 0;
    doc.ControllerNodeAddress(address);
    values.nodeAddress = address;
    doc.ControllerKeldara(values.keldara, 1);
    doc.ControllerName(values.controller, 1);
    doc.ControllerDisplayMessageSet(values.displayMessageSet, 1, 0);
    for (int door = 0; door < kChannels; ++door)
        doc.DoorLabel(values.channels[door], door + kFirstDoor, false);

    CVLControllerMemory& image = doc.m_controllerMemory;
    image.ExchangeKeypadStrikes(values.keypadStrikes, 1);
    image.ExchangeRadioDirection(values.radioDirection, 1);
    image.ExchangeDoorAjarTime(values.doorAjarTime, 1);
    for (int door = 0; door < kChannels; ++door)
        image.ExchangePriorityDoors(kPriorityBits[door], values.priorityAccess[door], 1);
    const int limit = doc.GetFirmwareLimit();
    for (int i = 0; i < limit; ++i) {
        bool checked = false;
        image.ExchangeDirectorySubsets(static_cast<std::uint8_t>(1u << i), checked, 1);
        values.subsets.push_back(checked);
    }
    return values;
}

void NodeNamesValues::Store(CWFDoc& doc) const
{
    QString networkName = network;
    doc.NetworkName(networkName, 0);
    bool keldaraFlag = keldara;
    doc.ControllerKeldara(keldaraFlag, 0);
    QString controllerName = controller;
    doc.ControllerName(controllerName, 0);
    std::uint8_t set = displayMessageSet;
    doc.ControllerDisplayMessageSet(set, 0, 0);
    WriteImage(doc.m_controllerMemory);
}

void NodeNamesValues::WriteImage(CVLControllerMemory& image) const
{
    QString text = installation;
    image.ExchangeDirectoryName(VLLayout::kInstallationName, text, 0);
    text = controller;
    image.ExchangeDirectoryName(VLLayout::kControllerName, text, 0);
    for (int door = 0; door < kChannels; ++door) {
        text = channels[door];
        image.ExchangeDirectoryName(VLLayout::kFirstChannelName + door, text, 0);
    }
    std::uint8_t byte = keypadStrikes;
    image.ExchangeKeypadStrikes(byte, 0);
    byte = radioDirection;
    image.ExchangeRadioDirection(byte, 0);
    byte = doorAjarTime;
    image.ExchangeDoorAjarTime(byte, 0);
    for (int door = 0; door < kChannels; ++door) {
        bool on = priorityAccess[door];
        image.ExchangePriorityDoors(kPriorityBits[door], on, 0);
    }
    for (std::size_t i = 0; i < subsets.size(); ++i) {
        bool on = subsets[i];
        image.ExchangeDirectorySubsets(static_cast<std::uint8_t>(1u << i), on, 0);
    }
}
