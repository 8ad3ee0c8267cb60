#include "image/CCardholdersBinder.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/AllRowsWalk.h"
#include "image/BindingLog.h"
#include "image/BindProgress.h"
#include "platform/DatabaseException.h"
#include "platform/MessageBox.h"

#include <QByteArray>

namespace {
constexpr std::uint8_t kInUse = 0x40;
constexpr std::uint8_t kActive = 0x80;
constexpr int kFlagsByte = 0;
constexpr int kSetByte = 1;
constexpr int kDayByte = 5;
constexpr int kMonthByte = 6;
constexpr int kYearByte = 7;
constexpr int kBaseYear = 2000;
constexpr int kLastYear = kBaseYear + 255;
constexpr int kProgressStep = 100;
constexpr int kUnsplitDate = -1;
const char* const kWriteFailedText = "Error adding a cardholder to paged memory.";
} // namespace

bool CCardholdersBinder::BuildRecord(bool deleted, bool active, std::uint8_t set, bool neverExpires,
                                     const QDateTime& expiry, Record& record)
{
    record.fill(0);
    if (deleted)
        return true;
    record[kFlagsByte] = static_cast<std::uint8_t>(kInUse | (active ? kActive : 0));
    record[kSetByte] = set;
    if (neverExpires)
        return true;
    const QDate date = expiry.date();
    // A date without calendar fields is stored as the panels have always
    // seen it: day and month -1, year -1 - 2000.
    const int day = date.isValid() ? date.day() : kUnsplitDate;
    const int month = date.isValid() ? date.month() : kUnsplitDate;
    const int year = date.isValid() ? date.year() : kUnsplitDate;
    if (date.isValid() && (year < kBaseYear || year > kLastYear))
        return false;
    record[kDayByte] = static_cast<std::uint8_t>(day);
    record[kMonthByte] = static_cast<std::uint8_t>(month);
    record[kYearByte] = static_cast<std::uint8_t>(year - kBaseYear);
    return true;
}

int CCardholdersBinder::Bind()
{
    BindProgress progress(BindProgress::Percent, QString::fromLatin1(kBindingDataCaption),
                          QStringLiteral("Binding Cardholder information..."), kRecords);
    // Each row lands at its own number, so the order the rows come in
    // cannot overwrite one cardholder with another's gap.
    QByteArray file(kRecords * kRecordSize, '\0');
    try {
        int rows = 0;
        ReadAllRows(g_setUsers, QString(), [&](const CSetUsers& user) {
            const std::int32_t id = user.m_UserID;
            if (id < 0 || id >= kRecords) {
                LogBinding(QStringLiteral("Cardholder %1 lies beyond the panel's %2 cardholder records "
                                          "and was not bound.")
                               .arg(id)
                               .arg(kRecords));
                return;
            }
            Record record;
            if (!BuildRecord(user.m_Deleted, user.m_Active, user.m_CHSetIndex, user.m_NeverExpiers,
                             user.m_ExpirationDate, record)) {
                LogBinding(QStringLiteral("Cardholder %1 expires in %2, which the panels cannot hold, "
                                          "and was not bound.")
                               .arg(id)
                               .arg(user.m_ExpirationDate.date().year()));
                return;
            }
            file.replace(id * kRecordSize, kRecordSize, reinterpret_cast<const char*>(record.data()), kRecordSize);
            if (++rows % kProgressStep == 0)
                progress.SetPos(std::min(rows, kRecords));
        });
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
        return 0;
    }
    progress.SetPos(kRecords);
    if (!WriteBinderFile(file)) {
        ShowMessageBox(QString::fromLatin1(kWriteFailedText));
        return 0;
    }
    return 1;
}
