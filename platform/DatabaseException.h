#pragma once

#include <QString>

#include <exception>

// The engine's error numbers that callers test. Our databases are SQLite
// files, but handlers choose their texts by these numbers, so SQLite's
// results are mapped onto them.
namespace JetError
{
inline constexpr int ReservedError = 3000;
inline constexpr int UpdateWithoutEdit = 3020;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int DuplicateKey = 3022;
inline constexpr int FileNotFound = 3024;
inline constexpr int NotADatabase = 3049;
inline constexpr int ReadOnlyOrLocked = 3051;
inline constexpr int FieldMissing = 3061;
inline constexpr int SyntaxError = 3075;
inline constexpr int TableNotFound = 3078;
inline constexpr int NoReadPermission = 3112;
inline constexpr int InvalidBookmark = 3159;
inline constexpr int RecordDeleted = 3167;
inline constexpr int DatabaseExists = 3204;
inline constexpr int FieldExists = 3191;
inline constexpr int NotOpen = 3420;
} // namespace JetError

// A failure of the database layer: an error number from JetError and a
// description for the operator.
class DatabaseException : public std::exception
{
public:
    DatabaseException(int errorCode, QString description);

    int ErrorCode() const { return m_errorCode; }
    const QString& Description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    int m_errorCode;
    QString m_description;
    QByteArray m_what;
};
