#pragma once

#include "image/TreeSlotRuns.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <utility>
#include <vector>

// The writes that a file of the controller folder needs, worked out once in
// a programming run for all the nodes that are sent it: the same bytes
// against the same last-programmed copy give the same runs.
class RunsCache
{
public:
    using Runs = std::vector<TreeSlotRuns::SlotRun>;

    // The runs kept under key for exactly these bytes, or null.
    const Runs* Find(const QString& key, const QByteArray& current) const;
    const Runs& Keep(const QString& key, const QByteArray& current, Runs runs);

private:
    std::map<QString, std::pair<QByteArray, Runs>> m_runs;
};
