#pragma once

#include "app/AppObjects.h"
#include "tests/app/DocumentFixture.h"

#include <QDateTime>

#include <cstdint>

// An installation made from the template and opened by a document that the
// program reaches as the open installation, with the program-wide
// recordsets open on it.
class EventLogFixture : public DocumentFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString Site() const { return m_doc.m_strInstallationFolder; }
    QString DatabasePath(const QString& file) const { return Site() + "/Database/" + file; }
    // Appends an event of type 15 at the time through the program-wide log.
    void AddEventAt(const QDateTime& time);
    // Rows of a table of a database file, counted by the engine.
    static qint64 CountRows(const QString& path, const QString& table, const QString& where = {});

    CWFDoc m_doc;
};
