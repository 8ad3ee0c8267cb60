#include "app/CommandStoreTransaction.h"

#include "app/CWFDoc.h"
#include "platform/DatabaseException.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

CommandStoreTransaction::CommandStoreTransaction(CWFDoc& doc)
    : m_doc(doc)
    , m_open(doc.m_commandFiles == nullptr)
    , m_rows(doc.m_netCommandsSet.GetDefaultDBName())
{
    if (m_open)
        m_doc.m_commandFiles = &m_files;
}

CommandStoreTransaction::~CommandStoreTransaction()
{
    try {
        Commit();
    } catch (const DatabaseException&) {
        // What the commit could not keep, the engine has rolled back.
    }
}

void CommandStoreTransaction::Abandon()
{
    if (!m_open)
        return;
    m_open = false;
    m_doc.m_commandFiles = nullptr;
    m_files.RemoveAll();
    m_rows.Rollback();
    m_doc.ResyncPendingCount();
}

bool CommandStoreTransaction::Commit()
{
    if (!m_open)
        return true;
    m_open = false;
    m_doc.m_commandFiles = nullptr;
    // The files stay listed until their rows stand: rows that go back take
    // their files with them.
    DurableFiles synced = m_files;
    if (!synced.Sync()) {
        m_files.RemoveAll();
        m_rows.Rollback();
        m_doc.ResyncPendingCount();
        return false;
    }
    try {
        m_rows.Commit();
    } catch (const DatabaseException&) {
        // A commit refused at its journal's last sync has already kept the
        // rows: they are taken back for certain before their files go. If
        // even that fails, rows and files stay together, and the next run
        // removes whichever of them lacks the other.
        m_committed = m_files.Files();
        m_files = DurableFiles();
        try {
            TakeBack();
        } catch (const DatabaseException&) {
            m_committed.clear();
            m_doc.ResyncPendingCount();
        }
        throw;
    }
    m_committed = m_files.Files();
    m_files = DurableFiles();
    return true;
}

void CommandStoreTransaction::TakeBack()
{
    QStringList names;
    for (const QByteArray& file : m_committed)
        names << QFileInfo(QFile::decodeName(file)).fileName();
    m_doc.RemoveCommandRows(names);
    // The rows go first: a file without a row is removed by the next run.
    for (const QByteArray& file : m_committed)
        ::unlink(file.constData());
    m_committed.clear();
}
