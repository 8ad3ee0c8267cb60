#pragma once

#include <QString>

#include <array>

// The names the new-node wizard asks for: the controller's and its four
// channels'. No widgets here.
struct NewNodeNames
{
    static constexpr int kNameMax = 24;
    static constexpr int kChannels = 4;

    QString controller;
    std::array<QString, kChannels> channels = {Default(0), Default(1), Default(2), Default(3)};

    // "Access_A" .. "Access_D".
    static QString Default(int channel) { return QStringLiteral("Access_") + QChar(u'A' + channel); }
    // An empty channel name becomes its default again; every name is cut to its limit.
    void Settle();
};
