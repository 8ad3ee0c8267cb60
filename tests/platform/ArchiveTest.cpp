#include "platform/Archive.h"
#include "platform/DurableFiles.h"
#include "tests/support/TestEnvironment.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

TEST(Archive, WritesMfcLayoutLittleEndianWithStringLengthPrefixes)
{
    ArchiveWriter w;
    w.WriteByte(0x12);
    w.WriteWord(0x3456);
    w.WriteDWord(0x789ABCDE);
    w.WriteString(QStringLiteral("AB"));
    w.WriteString(QString());
    const QByteArray expected = Hex("12" "5634" "debc9a78" "024142" "00");
    EXPECT_EQ(w.Bytes().toHex(), expected.toHex());
}

TEST(Archive, StringLengthPrefixTable)
{
    struct Case { qsizetype length; QByteArray prefix; };
    const Case cases[] = {
        {254, Hex("fe")},
        {255, Hex("ffff00")},
        {300, Hex("ff2c01")},
        {0xFFFD, Hex("fffdff")},
        {0xFFFE, Hex("ffffff" "feff0000")},
        {70000, Hex("ffffff" "70110100")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const QString text(c.length, QLatin1Char('x'));
        ArchiveWriter w;
        w.WriteString(text);
        EXPECT_EQ(w.Bytes().left(c.prefix.size()).toHex(), c.prefix.toHex());
        EXPECT_EQ(w.Bytes().size(), c.prefix.size() + c.length);
        ArchiveReader r(w.Bytes());
        QString back;
        ASSERT_TRUE(r.ReadString(back));
        EXPECT_EQ(back, text);
        EXPECT_TRUE(r.AtEnd());
    }
}

TEST(Archive, LatinOneCharactersTakeOneByte)
{
    ArchiveWriter w;
    w.WriteString(QString::fromLatin1("Caf\xe9"));
    EXPECT_EQ(w.Bytes().toHex(), Hex("04436166e9").toHex());
}

TEST(Archive, ReadsPastTheEndFailAndStayFailed)
{
    struct Case { const char* name; QByteArray bytes; };
    const Case cases[] = {
        {"length beyond data", Hex("05414243")},
        {"word length cut", Hex("ff01")},
        {"long length beyond data", Hex("ffffff" "ffffff7f" "41")},
        {"empty", QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ArchiveReader r(c.bytes);
        QString text = QStringLiteral("kept");
        EXPECT_FALSE(r.ReadString(text));
        EXPECT_EQ(text, QStringLiteral("kept"));
        EXPECT_FALSE(r.Ok());
        std::uint8_t b = 0;
        EXPECT_FALSE(r.ReadByte(b)) << "a failed reader must not resume";
    }
}

TEST(Archive, IntegerReadsCheckTheirWidth)
{
    ArchiveReader r(Hex("010203"));
    std::uint32_t d = 99;
    EXPECT_FALSE(r.ReadDWord(d));
    EXPECT_EQ(d, 99u);
}

TEST(Archive, AtomicWriteReplacesTheFileAndReadGivesItBack)
{
    TestEnvironment env;
    const QString path = env.Path(QStringLiteral("file.dat"));
    ASSERT_TRUE(WriteWholeFile(path, "old contents"));
    ASSERT_TRUE(WriteWholeFile(path, "new"));
    EXPECT_EQ(ReadWholeFile(path).value_or(QByteArray()), QByteArray("new"));
    EXPECT_FALSE(ReadWholeFile(env.Path(QStringLiteral("missing.dat"))).has_value());
    EXPECT_FALSE(WriteWholeFile(env.Path(QStringLiteral("no/such/folder/x.dat")), "x"));
}
