#pragma once

#include "link/CNetCommand.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Request frames as the user-interface thread builds them for the writer.
namespace LinkTestSupport {

QByteArray RequestFrame(const CNetCommand& command);
QByteArray LoginFrame(int network, int node, const QString& password = QStringLiteral("123456"));
QByteArray StatusPollFrame(int network, int node);
// A memory write of 4096 data bytes: the longest frame a panel takes.
QByteArray LargestWriteFrame(std::uint8_t address);

// The reply code and address of a whole frame.
std::uint8_t CodeOf(const QByteArray& frame);
std::uint8_t AddressOf(const QByteArray& frame);

} // namespace LinkTestSupport
