#include "platform/TextCollation.h"

#include <QString>

#include <sqlite3.h>

namespace
{
constexpr unsigned char kBlank = ' ';
constexpr unsigned char kFirstNonAscii = 0x80;

int TrimmedLength(int length, const unsigned char* text)
{
    while (length > 0 && text[length - 1] == kBlank)
        --length;
    return length;
}

int Sign(int value) { return (value > 0) - (value < 0); }

int Collate(void*, int length1, const void* text1, int length2, const void* text2)
{
    return CompareJetText(length1, text1, length2, text2);
}
} // namespace

int CompareJetText(int length1, const void* text1, int length2, const void* text2)
{
    const auto* a = static_cast<const unsigned char*>(text1);
    const auto* b = static_cast<const unsigned char*>(text2);
    const int n1 = TrimmedLength(length1, a);
    const int n2 = TrimmedLength(length2, b);
    // Plain ASCII is compared in place; the first byte beyond it hands the
    // rest to Qt's case folding.
    int i = 0;
    for (; i < n1 && i < n2; ++i) {
        if (a[i] >= kFirstNonAscii || b[i] >= kFirstNonAscii)
            break;
        const int ca = (a[i] >= 'A' && a[i] <= 'Z') ? a[i] + ('a' - 'A') : a[i];
        const int cb = (b[i] >= 'A' && b[i] <= 'Z') ? b[i] + ('a' - 'A') : b[i];
        if (ca != cb)
            return Sign(ca - cb);
    }
    if (i == n1 || i == n2)
        return Sign(n1 - n2);
    const QString rest1 = QString::fromUtf8(reinterpret_cast<const char*>(a + i), n1 - i);
    const QString rest2 = QString::fromUtf8(reinterpret_cast<const char*>(b + i), n2 - i);
    return Sign(QString::compare(rest1, rest2, Qt::CaseInsensitive));
}

int RegisterTextCollation(sqlite3* db, CreateCollationFunction create)
{
    return create(db, kTextCollation, SQLITE_UTF8, nullptr, &Collate);
}
