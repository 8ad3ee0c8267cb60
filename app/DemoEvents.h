#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

// The demo installation's event log and one archived log, so the event-log
// area shows something on a first start: door events of its three
// controllers, host commands and the cardholders' cards, ending just before
// now. The cardholders are the demo's, in the order of their cards.
void AddDemoEvents(const QString& installationFolder, const std::vector<std::int32_t>& cardholders,
                   const QDateTime& now);
