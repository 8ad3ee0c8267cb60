#pragma once

#include "platform/DatabaseTransaction.h"
#include "platform/DurableFiles.h"

class CWFDoc;

// Commands stored as one unit, a programming run's: their files are written
// first, made durable together, and only then are their rows committed, so
// a crash leaves no committed row without its file. A sync that fails takes
// the rows back. Inside another such scope this one does nothing.
class CommandStoreTransaction
{
public:
    explicit CommandStoreTransaction(CWFDoc& doc);
    ~CommandStoreTransaction();
    CommandStoreTransaction(const CommandStoreTransaction&) = delete;
    CommandStoreTransaction& operator=(const CommandStoreTransaction&) = delete;

    // False when the files could not be made durable, a database exception
    // when the rows could not be committed: either way nothing of the scope
    // was kept, neither rows nor files.
    bool Commit();
    // Takes back every row and file of the scope.
    void Abandon();
    // After a Commit: deletes the rows committed and their files, for a run
    // that could not record what it sent.
    void TakeBack();

private:
    CWFDoc& m_doc;
    bool m_open;
    DatabaseTransaction m_rows;
    DurableFiles m_files;
    std::vector<QByteArray> m_committed;
};
