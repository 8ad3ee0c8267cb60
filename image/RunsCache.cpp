#include "image/RunsCache.h"

const RunsCache::Runs* RunsCache::Find(const QString& key, const QByteArray& current) const
{
    const auto found = m_runs.find(key);
    return found != m_runs.end() && found->second.first == current ? &found->second.second : nullptr;
}

const RunsCache::Runs& RunsCache::Keep(const QString& key, const QByteArray& current, Runs runs)
{
    auto& kept = m_runs[key];
    kept = {current, std::move(runs)};
    return kept.second;
}
