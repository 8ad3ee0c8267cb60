#pragma once

#include <QString>

#include <cstdint>

class CVLControllerMemory;
class CWFDoc;

// The Passwords page of node setup. A network's remote-access password is
// kept by its node 1; the other nodes show the network's entry.
struct NodePasswordValues
{
    QString remote;
    QString priority;
    bool master = false;

    static NodePasswordValues Load(CWFDoc& doc);
    // False, after the image's own message, when a password is too long; the
    // image keeps that field.
    bool Store(CVLControllerMemory& image) const;
};

// Node 1's image, once saved, gives its network's entry of the passwords the
// other nodes share. Other nodes and networks outside the table change nothing.
void ShareSavedPasswords(const CVLControllerMemory& image, int net, int node);

inline constexpr int kMasterNode = 1;
