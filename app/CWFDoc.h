#pragma once

#include <QString>

#include <array>

// The open installation: its folder, its installation file (an ini file,
// the document's path name) and the flags the rest of the program reads.
class CWFDoc
{
public:
    // Folder kinds of BuildPath.
    enum PathKind {
        kProgramInstallations = 0,
        kProgram = 1,
        kInstallation = 2,
        kNetCommands = 3,
        kVestrels = 4,
        kLastProgrammed = 5,
        kEventLogs = 6,
        kInstallationDatabase = 7,
        kNewInstallation = 8,
        kProgramHtml = 9,
        kBackups = 10,
        kProgramDatabase = 11,
        kVestrelsToo = 12,
        kReflasher = 13,
    };

    CWFDoc();
    ~CWFDoc();
    CWFDoc(const CWFDoc&) = delete;
    CWFDoc& operator=(const CWFDoc&) = delete;

    // Every path of the system from a folder kind and a name; the
    // installation-relative kinds are built on installationFolder.
    static QString BuildPath(int kind, const QString& name, const QString& installationFolder);
    QString BuildPath(int kind, const QString& name) const;

    // Document life: open saves and closes a previous installation first; a
    // save is a close and a reopen; close saves first.
    bool OnOpenDocument(const QString& path);
    bool OnSaveDocument(const QString& path);
    void OnCloseDocument();
    const QString& GetPathName() const { return m_strPathName; }

    // Opens (true) or closes (false) what lives outside the document: the
    // installation file's keys, databases, settings images and queue.
    void OpenInstallation(bool open);
    void CreateInstallationFolders() const;

    void SetDataToProgram(int flag) { m_bDataToProgram = flag; }
    int GetDataToProgram() const { return m_bDataToProgram; }
    int GetPendingCommandCount() const { return m_nPendingCommands; }

    int m_bIgnoreCaseDirCodes = 1;
    QString m_strInstallationFolder;
    QString m_strInstallationName;
    std::array<QString, 4> m_userTypeLabels;
    int m_bInstallationOpen = 0;
    int m_nPendingCommands = 0;
    int m_bDataToProgram = 0;
    int m_bChecksDone = 0;

private:
    void ReadInstallationFile();
    void WriteInstallationFile() const;

    QString m_strPathName;
};
