#include "database/DatabaseLog.h"

#include <QDebug>

namespace
{
DatabaseLogSink& Sink()
{
    static DatabaseLogSink sink;
    return sink;
}
} // namespace

void SetDatabaseLogSink(DatabaseLogSink sink)
{
    Sink() = std::move(sink);
}

void WriteDatabaseLog(const QString& text)
{
    if (Sink())
        Sink()(text);
    else
        qWarning().noquote() << text;
}
