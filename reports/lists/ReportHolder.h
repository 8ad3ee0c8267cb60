#pragma once

#include <QString>

#include <cstdint>

// The cardholder cells that the credential and code reports share.
struct ReportHolder
{
    QString name;
    QString setName;
    QString setStatus;
    bool found = false;
    bool setFound = false;
};

// The cardholder with the number, found in the shared cardholder recordset
// (moving it), with its set; "Cardholder not in database" when there is none.
ReportHolder LookUpHolder(std::int32_t userID);
// The first cardholder that matches the criterion, the same way.
ReportHolder FindHolder(const QString& criterion);
// The current cardholder row with its set.
ReportHolder CurrentHolder();
// The current cardholder row with the current set row, the set being walked.
ReportHolder CurrentHolderInCurrentSet();

// "Suspended & Lost", "Lost", "Suspended" or "Enabled".
QString CredentialStatusText(bool suspended, bool lost);
