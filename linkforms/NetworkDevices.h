#pragma once

#include <QString>

#include <vector>

class CWFDoc;

// One anti-passback device of a network: a remote device whose direction
// is in or out.
struct AntiPassbackDevice
{
    QString name; // "[A1][DV3] Front door": the controller's label, the device number, its name
    QString type;
    QString direction;
};

// The anti-passback devices of every controller of the network, read from
// the controllers' image files, remote devices 1 to 11 in order.
std::vector<AntiPassbackDevice> AntiPassbackDevices(const CWFDoc& doc, int net);
