#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class CVLControllerMemory;
class CWFDoc;

// What the Names page of node setup shows and stores for the selected
// controller: its row's names and flags and its image's door settings.
struct NodeNamesValues
{
    static constexpr int kChannels = 4;

    QString installation;
    QString controller;
    QString network;
    std::array<QString, kChannels> channels;
    std::array<bool, kChannels> priorityAccess{};
    bool keldara = false;
    int nodeAddress = 0;
    std::uint8_t radioDirection = 0;
    std::uint8_t keypadStrikes = 0;
    std::uint8_t doorAjarTime = 0;
    // The row's set 0-7, shown as 1-8.
    std::uint8_t displayMessageSet = 0;
    // One per subset the panel's firmware knows, A first.
    std::vector<bool> subsets;

    static NodeNamesValues Load(CWFDoc& doc);
    // The page's store: the network name, Keldara flag, controller name and
    // display-message set through the row, the door settings into the image.
    void Store(CWFDoc& doc) const;
    // Everything the page holds into the image: the names and door settings.
    void WriteImage(CVLControllerMemory& image) const;
};

// "  1" for node 1, as the Names page shows the address.
QString NodeAddressText(int nodeAddress);
