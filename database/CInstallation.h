#pragma once

#include "database/FolderCopy.h"

#include <QString>

// One entry of the installations list the profile keeps (section
// "Installations", "Installation 1" to "Installation 99"), each the path of an
// installation file (.wfi) lying in the installation's own folder.
class CInstallation
{
public:
    static constexpr int kMaxInstallations = 99;
    static constexpr int kNoSlot = 0;

    CInstallation();
    explicit CInstallation(int slot);
    explicit CInstallation(const QString& path, int slot = kNoSlot);
    virtual ~CInstallation();

    // True when the file exists and its installation version is 1.0 or more;
    // the name is then read from the file. A missing file leaves its path as
    // the name, so callers can show what is missing.
    bool Load();

    const QString& GetName() const { return m_strName; }
    const QString& GetPath() const { return m_strPath; }
    int GetSlot() const { return m_nSlot; }

    // The file's title becomes the installation name.
    bool UpdateNameFromFile();
    bool SetName(const QString& name);
    // Writes the name into the file, then registers the path.
    bool WriteName();
    // Enters the path into the list: the entry already holding it, else the
    // lowest free slot. False when all 99 slots are taken (after saying so).
    bool Register();
    // Empties this slot's entry; the files stay where they are.
    bool Forget();

    // The folder holding the file, with a trailing separator.
    QString GetFolder() const;
    QString GetNameFromPath() const;
    static QString GetInstallationNameFromPath(const QString& path);

    // Copies everything of one installation folder into another, in a
    // progress window of the given title; refuses a target inside the source
    // and asks before replacing files. copyError is the text shown when the
    // copy itself fails.
    static bool CopyTo(const QString& fromFolder, const QString& toFolder,
                       const QString& progressTitle = QString::fromLatin1(kCopyingInstallationTitle),
                       const QString& copyError = QStringLiteral("Error copying the current installation."));
    // Gives the file a new title in the same folder, then registers it.
    bool Rename(const QString& newName);

    bool IsOpen() const;
    // The file's last write, or "-" when it is missing.
    QString GetLastModified() const;

    static QString ProfileKey(int slot);

private:
    int m_nSlot = kNoSlot;
    QString m_strName;
    QString m_strPath;
};
