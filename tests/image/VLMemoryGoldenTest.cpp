#include "image/CVLMemory.h"
#include "tests/image/ImageTestFixture.h"

#include <QDir>
#include <QFile>

using GoldenImageTest = ImageTest;

// Node 1 of net 2 with firmware "001", as FillDefaults makes it and the
// archive writes it. Regenerate on purpose only: see tests/data/README.md.
TEST_F(GoldenImageTest, NewImageFileMatchesTheCheckedInBytes)
{
    const QString golden = QDir(QStringLiteral(WARDIX_TEST_DATA_DIR)).filePath(QStringLiteral("Vestrel21.dat"));
    CVLMemory memory;
    ASSERT_TRUE(memory.LoadFile(PathOf("Vestrel21.dat"), 1, 21, kVersion));
    const QByteArray written = ReadBytes("Vestrel21.dat");
    ASSERT_EQ(written.size(), 8192);

    if (qEnvironmentVariableIsSet("WARDIX_REGENERATE_GOLDEN")) {
        QFile out(golden);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(written);
        GTEST_SKIP() << "golden image written to " << golden.toStdString();
    }

    QFile in(golden);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray expected = in.readAll();
    ASSERT_EQ(expected.size(), 8192);
    for (int n = 0; n < 8192; ++n)
        ASSERT_EQ(written.at(n), expected.at(n)) << "first difference at byte " << n;

    CVLMemory back;
    back.SetNetworkOverride(2);
    ASSERT_TRUE(back.LoadFile(golden, 0, 0, {}));
    EXPECT_EQ(back.Image(), memory.Image());
}
