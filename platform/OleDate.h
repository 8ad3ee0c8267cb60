#pragma once

#include <QDateTime>

// Dates in the databases are OLE dates: days since 1899-12-30 as a double,
// the fraction the time of day. They carry no time zone, so a QDateTime read
// from one holds the wall-clock fields with a UTC spec, and only the date()
// and time() fields of a QDateTime are written.
double ToOleDate(const QDateTime& dateTime);
QDateTime FromOleDate(double oleDate);
