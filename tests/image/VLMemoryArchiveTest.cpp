#include "image/CVLFileMemory.h"
#include "tests/image/ImageTestFixture.h"

#include <QDir>
#include <QFile>

using ArchiveFileTest = ImageTest;

namespace {

// An image of node 3 on net 2 saved under name, read back as raw file bytes.
QByteArray SaveNewImage(CVLMemory& memory, const QString& path)
{
    if (!memory.LoadFile(path, 1, 23, {'0', '0', '1'}))
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::uint8_t At(const QByteArray& bytes, int offset)
{
    return static_cast<std::uint8_t>(bytes.at(offset));
}

} // namespace

TEST_F(ArchiveFileTest, ObstacleRecordsAndCabMasksAreReversedOnDisk)
{
    CVLMemory memory;
    ASSERT_TRUE(memory.LoadFile(PathOf("Vestrel23.dat"), 1, 23, kVersion));
    for (int record = 0; record < 2; ++record)
        for (int b = 0; b < 32; ++b)
            memory.SetByte(769 + 32 * record + b, static_cast<std::uint8_t>(0x10 * (record + 1) + b));
    memory.SetFloorSchedule(3, {0x000001, 0x123456, 0, 0});
    ASSERT_TRUE(memory.SaveFile());
    const QByteArray file = ReadBytes("Vestrel23.dat");
    ASSERT_EQ(file.size(), 8192);

    EXPECT_EQ(file.mid(769, 10).toHex(), QByteArray("10121117161514131819"));
    EXPECT_EQ(file.mid(801, 10).toHex(), QByteArray("20222127262524232829"));
    EXPECT_EQ(file.mid(777, 24), ImageText(memory, 777, 24));
    EXPECT_EQ(file.mid(4091 + 36, 6).toHex(), QByteArray("000001123456"));
    EXPECT_EQ(file.mid(4091, 3).toHex(), QByteArray("000001"));
    EXPECT_EQ(memory.Byte(4091 + 39), 0x56);

    CVLMemory back;
    back.SetNetworkOverride(2);
    ASSERT_TRUE(back.LoadFile(PathOf("Vestrel23.dat"), 0, 0, {}));
    EXPECT_EQ(back.Image(), memory.Image());
}

TEST_F(ArchiveFileTest, FileNameChoosesTheCorrectionsMadeOnLoad)
{
    struct Case
    {
        const char* name;
        std::uint8_t overrideNet;
        int networkIndex;
        int nodeAddress;
        int fixedDeviceType;
    };
    const Case cases[] = {
        {"GlobalSettings.dat", 3, 2, 0, 9},
        {"Controller.dat", 3, 2, 3, 9},
        {"Vestrel23.dat", 3, 3, 3, 6},
        // No override keeps the stored network index.
        {"Vestrel23.dat", 0, 2, 3, 6},
    };
    QByteArray stored(8192, '\0');
    stored[834] = 2;
    stored[835] = 3;
    stored[1076] = 9;
    stored[1240] = 1;  // cardholder set 0, bytes 14-15
    stored[1241] = 1;
    stored[2282] = 1;
    stored[2329] = 1;
    stored[2337] = 1;  // door validation group 0, byte 7
    stored[2330] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromLatin1(c.name).toStdString() + " override " + std::to_string(c.overrideNet));
        ASSERT_TRUE(WriteBytes(c.name, stored));
        CVLMemory memory;
        memory.SetNetworkOverride(c.overrideNet);
        ASSERT_TRUE(memory.LoadFile(PathOf(c.name), 0, 0, {}));
        EXPECT_EQ(memory.Byte(834), c.networkIndex);
        EXPECT_EQ(memory.Byte(835), c.nodeAddress);
        EXPECT_EQ(memory.Byte(1076), c.fixedDeviceType);
        for (int scratch : {1240, 1241, 2282, 2329, 2337})
            EXPECT_EQ(memory.Byte(scratch), 0) << scratch;
        EXPECT_EQ(memory.Byte(2330), 1);
        EXPECT_EQ(memory.Mirror(), memory.Image());
    }
}

TEST_F(ArchiveFileTest, EverySaveKeepsCardholderSetTwoActive)
{
    for (const char* name : {"GlobalSettings.dat", "Controller.dat", "Vestrel23.dat"}) {
        SCOPED_TRACE(name);
        CVLMemory memory;
        ASSERT_FALSE(SaveNewImage(memory, PathOf(name)).isEmpty());
        memory.SetByte(1258, 0);
        memory.SetByte(2330 + 8 * 4 + 7, 5);
        ASSERT_TRUE(memory.SaveFile());
        const QByteArray file = ReadBytes(name);
        EXPECT_EQ(At(file, 1258), 0x40);
        EXPECT_EQ(memory.Byte(1258), 0x40);
        EXPECT_EQ(At(file, 2330 + 8 * 4 + 7), 0);
    }
}

TEST_F(ArchiveFileTest, ControllerFilesGetTheFixedDeviceAndRadioBitOnSave)
{
    struct Case
    {
        const char* name;
        int deviceType;
        int radioBit;
    };
    const Case cases[] = {{"Vestrel23.dat", 6, 1}, {"GlobalSettings.dat", 2, 0}, {"Controller.dat", 2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVLMemory memory;
        ASSERT_FALSE(SaveNewImage(memory, PathOf(c.name)).isEmpty());
        memory.SetByte(1076, 2);
        memory.SetByte(11, 0xF1);
        ASSERT_TRUE(memory.SaveFile());
        const QByteArray file = ReadBytes(c.name);
        EXPECT_EQ(At(file, 1076), c.deviceType);
        EXPECT_EQ(At(file, 865), c.radioBit);
    }
}

TEST_F(ArchiveFileTest, SavingAnotherNodeWritesItsNetsRemotePassword)
{
    CVLMemory first;
    ASSERT_TRUE(first.LoadFile(PathOf("Vestrel21.dat"), 1, 21, kVersion));
    CVLMemory third;
    ASSERT_FALSE(SaveNewImage(third, PathOf("Vestrel23.dat")).isEmpty());
    for (int i = 0; i < 8; ++i)
        third.SetByte(606 + i, 'x');
    third.SetByte(614, 'y');
    ASSERT_TRUE(third.SaveFile());
    const QByteArray netRemote = QByteArray(2, '\0') + "580317";
    EXPECT_EQ(ReadBytes("Vestrel23.dat").mid(606, 8), netRemote);
    EXPECT_EQ(ImageText(third, 606, 8), netRemote);
    EXPECT_EQ(third.Byte(614), 'y');

    // Node 1 keeps its own, and so does a node of a net whose password is unknown.
    for (int i = 0; i < 8; ++i)
        first.SetByte(606 + i, 'x');
    ASSERT_TRUE(first.SaveFile());
    EXPECT_EQ(ReadBytes("Vestrel21.dat").mid(606, 8), QByteArray(8, 'x'));
    third.SetByte(834, 4);
    for (int i = 0; i < 8; ++i)
        third.SetByte(606 + i, 'x');
    ASSERT_TRUE(third.SaveFile());
    EXPECT_EQ(ImageText(third, 606, 8), QByteArray(8, 'x'));
}

TEST_F(ArchiveFileTest, LoadKeepsThePasswordsAsRead)
{
    QByteArray stored(8192, '\0');
    stored.replace(606, 8, QByteArray("\0\0\0\0abcd", 8));
    stored.replace(614, 6, QByteArray("\0\0wxyz", 6));
    ASSERT_TRUE(WriteBytes("Controller.dat", stored));
    CVLMemory memory;
    ASSERT_TRUE(memory.LoadFile(PathOf("Controller.dat"), 0, 0, {}));
    RemotePassword remote{};
    PriorityPassword priority{};
    memory.GetLoadedPasswords(remote, priority);
    EXPECT_EQ(remote, (RemotePassword{0, 0, 0, 0, 'a', 'b', 'c', 'd'}));
    EXPECT_EQ(priority, (PriorityPassword{0, 0, 'w', 'x', 'y', 'z'}));
}

TEST_F(ArchiveFileTest, OlderShortLayoutLoadsWithTheNewerFieldsFilled)
{
    CVLMemory memory;
    memory.FillDefaults(11, kVersion);
    memory.SetByte(4480, 3);
    memory.SetByte(4475, 9);
    memory.SetByte(4479, 1);
    memory.SetByte(6000, 7);
    memory.SetFloorSchedule(2, {1, 2, 3, 4});
    QByteArray stored(4091, '\x11');
    stored[4090] = 0x22;
    ASSERT_TRUE(WriteBytes("Controller.dat", stored));

    ASSERT_TRUE(memory.LoadFile(PathOf("Controller.dat"), 0, 0, {}));
    EXPECT_TRUE(NetworkPasswords::ConsumeShortFileFlag());
    EXPECT_EQ(memory.Byte(4089), 0x11);
    EXPECT_EQ(memory.Byte(4090), 0x22);
    for (int offset = 4091; offset < 4479; ++offset)
        ASSERT_EQ(memory.Byte(offset), 0) << offset;
    EXPECT_EQ(memory.Byte(4479), 5);
    EXPECT_EQ(memory.Byte(4480), 3);
    for (int offset = 4481; offset < 8192; ++offset)
        ASSERT_EQ(memory.Byte(offset), 0) << offset;
    EXPECT_EQ(memory.Mirror(), memory.Image());
}

TEST_F(ArchiveFileTest, FileTooShortForAnImageFailsAndChangesNothing)
{
    CVLMemory memory;
    ASSERT_TRUE(memory.LoadFile(PathOf("Vestrel11.dat"), 1, 11, kVersion));
    memory.SetByte(10, 42);
    const VLImage image = memory.Image();
    const VLImage mirror = memory.Mirror();
    for (qsizetype length : {0, 1, 4090}) {
        SCOPED_TRACE(length);
        ASSERT_TRUE(WriteBytes("Short.dat", QByteArray(length, '\x55')));
        EXPECT_FALSE(memory.LoadFile(PathOf("Short.dat"), 0, 0, {}));
        EXPECT_EQ(memory.Image(), image);
        EXPECT_EQ(memory.Mirror(), mirror);
        EXPECT_FALSE(NetworkPasswords::ShortFileLoaded());
    }
}

TEST_F(ArchiveFileTest, MissingFilesFailWithoutTouchingTheImage)
{
    CVLMemory memory;
    memory.FillDefaults(11, kVersion);
    const VLImage image = memory.Image();
    EXPECT_FALSE(memory.LoadFile(PathOf("Missing.dat"), 0, 0, {}));
    EXPECT_EQ(memory.Image(), image);
    // A save never creates the image's file.
    memory.SetByte(10, 1);
    EXPECT_FALSE(memory.SaveFile());
    EXPECT_FALSE(QFile::exists(PathOf("Missing.dat")));
    EXPECT_NE(memory.Mirror(), memory.Image());
    const VLImage changed = memory.Image();
    EXPECT_FALSE(memory.LoadFile(PathOf("NoFolder/New.dat"), 1, 11, kVersion));
    EXPECT_EQ(memory.Image(), changed);
}

TEST_F(ArchiveFileTest, SaveIntoAnOpenFileRewindsAndRefreshesTheMirror)
{
    CVLMemory memory;
    ASSERT_TRUE(memory.LoadFile(PathOf("Vestrel11.dat"), 1, 11, kVersion));
    QFile other(PathOf("Copy.dat"));
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    other.write(QByteArray(100, 'z'));
    memory.SetByte(10, 9);
    ASSERT_TRUE(memory.SaveFile(&other));
    other.close();
    EXPECT_EQ(ReadBytes("Copy.dat"), ReadBytes("Vestrel11.dat").replace(10, 1, QByteArray(1, 9)));
    EXPECT_EQ(memory.Mirror(), memory.Image());
}

TEST_F(ArchiveFileTest, FileMemoryKeepsItsFileOpenAndSkipsWholePages)
{
    CVLFileMemory memory;
    ASSERT_TRUE(memory.LoadFile(PathOf("Vestrel11.dat"), 1, 11, kVersion));
    ASSERT_TRUE(memory.File().isOpen());
    EXPECT_TRUE(memory.File().isWritable());
    EXPECT_TRUE(memory.SkipPage());
    EXPECT_EQ(memory.File().pos(), 4082);
    EXPECT_TRUE(memory.SkipPage());
    EXPECT_EQ(memory.File().pos(), 8164);
    EXPECT_FALSE(memory.SkipPage());
    EXPECT_EQ(memory.File().pos(), 8164);

    // A save through the open file is seen by it.
    memory.SetByte(4, 77);
    ASSERT_TRUE(memory.SaveFile());
    ASSERT_TRUE(memory.File().seek(4));
    EXPECT_EQ(memory.File().read(1), QByteArray(1, 77));

    EXPECT_FALSE(memory.LoadFile(PathOf("Missing.dat"), 0, 0, {}));
    EXPECT_FALSE(memory.File().isOpen());
}
