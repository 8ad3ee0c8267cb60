#pragma once

#include "platform/Recordset.h"

#include <QString>

// What every recordset of an installation shares: the database folder it is
// pointed at before it opens, and the file of its table in that folder.
class CSetBase : public Recordset
{
public:
    explicit CSetBase(const char* fileName)
        : m_fileName(QLatin1String(fileName))
    {
    }

    QString GetDefaultDBName() const override { return m_strDBFolder + QLatin1Char('/') + m_fileName; }

    QString m_strDBFolder;

private:
    QString m_fileName;
};
