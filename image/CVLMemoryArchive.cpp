#include "image/CVLMemory.h"

#include "platform/Archive.h"
#include "platform/DurableFiles.h"

#include <QFileInfo>

#include <algorithm>

using namespace VLLayout;

namespace {

// The file holds the image byte for byte except inside two kinds of field,
// whose bytes the panel firmware expects the other way round. Both
// reorderings are their own inverse, so one map serves reading and writing.
int ImageIndexOfFileByte(int n)
{
    if (n >= kObstacles.base && n < kObstacles.End()) {
        const int record = kObstacles.At((n - kObstacles.base) / kObstacles.size);
        const int b = n - record;
        if (b >= Obstacle::kWordFirst && b <= Obstacle::kWordLast)
            return record + Obstacle::kWordFirst + Obstacle::kWordLast - b;
        if (b >= Obstacle::kFiveFirst && b <= Obstacle::kFiveLast)
            return record + Obstacle::kFiveFirst + Obstacle::kFiveLast - b;
        return n;
    }
    if (n >= kFloorSchedules.base && n < kFloorSchedules.End()) {
        const int mask = n - (n - kFloorSchedules.base) % kCabMaskSize;
        return mask + kCabMaskSize - 1 - (n - mask);
    }
    return n;
}

bool IsGlobalFile(const QString& fileName)
{
    return fileName == QLatin1String(kGlobalSettingsFile);
}

bool IsControllerFile(const QString& fileName)
{
    return !IsGlobalFile(fileName) && fileName != QLatin1String(kDownloadedControllerFile);
}

void ClearSpan(VLImage& image, const ImageSpan& span)
{
    for (int r = 0; r < span.count; ++r)
        for (int b = 0; b < span.length; ++b) {
            const int at = span.offset + r * span.stride + b;
            if (at >= 0 && at < kImageSize)
                image[static_cast<std::size_t>(at)] &= static_cast<std::uint8_t>(~span.mask);
        }
}

void ClearScratchBytes(VLImage& image)
{
    ClearSpan(image, EachRecord(kCardholderSets, Chs::kScratch, Chs::kScratchLength));
    ClearSpan(image, kDoorScheduleScratch);
    ClearSpan(image, EachRecord(kDoorValGroups, kDoorValGroupPad, 1));
}

// What an image of the older layout lacks; the anti-passback time keeps what
// the object held.
void FillShortFileDefaults(VLImage& image)
{
    ClearSpan(image, WholeTable(kFloorSchedules));
    ClearSpan(image, WholeTable(kTovixAddresses));
    image[kTovixActivationTime] = kDefaultTovixActivationTime;
    ClearSpan(image, kUnmappedTail);
}

QString NameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

void CVLMemory::ApplyStoreCorrections(const QString& fileName)
{
    if (IsControllerFile(fileName)) {
        // Every node but node 1 carries its net's remote password.
        if (Byte(kNetworkAddress) != kFirstNodeAddress) {
            if (const auto netPassword = NetworkPasswords::Remote(Byte(kNetworkIndex)))
                std::copy(netPassword->begin(), netPassword->end(), m_VLMemory.begin() + kRemotePassword);
        }
        SetByte(kFixedDeviceTypeByte, Device::kFixedDeviceType);
        SetByte(kIntegralRadioDeviceByte, (Byte(kRadioDirection) & kIntegralRadioBit) ? 1 : 0);
    }
    SetByte(kCardholderSets.At(Chs::kAlwaysActiveSet) + Chs::kFlags, Chs::kActiveFlags);
    ClearSpan(m_VLMemory, EachRecord(kDoorValGroups, kDoorValGroupPad, 1));
}

QByteArray CVLMemory::StoreImage(const QString& fileName)
{
    ApplyStoreCorrections(fileName);
    ArchiveWriter writer;
    for (int n = 0; n < kImageSize; ++n)
        writer.WriteByte(m_VLMemory[static_cast<std::size_t>(ImageIndexOfFileByte(n))]);
    return writer.Bytes();
}

bool CVLMemory::LoadImage(const QByteArray& bytes, const QString& fileName)
{
    if (bytes.size() < kShortFileLength)
        return false;
    const bool shortFile = bytes.size() < kImageSize;
    const int length = shortFile ? kShortFileLength : kImageSize;

    VLImage image = m_VLMemory;
    ArchiveReader reader(bytes);
    for (int n = 0; n < length; ++n) {
        std::uint8_t value = 0;
        if (!reader.ReadByte(value))
            return false;
        image[static_cast<std::size_t>(ImageIndexOfFileByte(n))] = value;
    }

    const bool controllerFile = IsControllerFile(fileName);
    // An override of 0 means none: a network index of 0 would address no network.
    if (controllerFile && m_networkOverride != 0)
        image[kNetworkIndex] = m_networkOverride;
    if (IsGlobalFile(fileName))
        image[kNetworkAddress] = 0;
    if (controllerFile)
        image[kFixedDeviceTypeByte] = Device::kFixedDeviceType;
    ClearScratchBytes(image);
    if (shortFile)
        FillShortFileDefaults(image);

    m_VLMemory = image;
    std::copy_n(m_VLMemory.begin() + kRemotePassword, kRemotePasswordLength, m_loadedRemote.begin());
    std::copy_n(m_VLMemory.begin() + kPriorityPassword, kPriorityPasswordLength, m_loadedPriority.begin());
    return true;
}

bool CVLMemory::LoadFile(const QString& path, int create, std::uint8_t nodeCode, const FirmwareVersion& version)
{
    m_path = path;
    if (!create) {
        const std::optional<QByteArray> bytes = ReadWholeFile(path);
        if (!bytes || !LoadImage(*bytes, NameOf(path)))
            return false;
        if (bytes->size() < kImageSize)
            NetworkPasswords::SetShortFileLoaded();
    } else {
        const VLImage before = m_VLMemory;
        FillDefaults(nodeCode, version);
        if (!WriteWholeFile(path, StoreImage(NameOf(path)))) {
            m_VLMemory = before;
            return false;
        }
    }
    m_VLMemoryMiror = m_VLMemory;
    return true;
}

bool CVLMemory::WriteInto(QFile& file, const QByteArray& bytes)
{
    return file.isOpen() && file.seek(0) && file.write(bytes) == bytes.size() && file.flush();
}

bool CVLMemory::SaveFile(QFile* file)
{
    if (file) {
        if (!file->isOpen() || !WriteInto(*file, StoreImage(NameOf(file->fileName()))))
            return false;
    } else {
        if (m_path.isEmpty() || !QFileInfo::exists(m_path))
            return false;
        const QByteArray bytes = StoreImage(NameOf(m_path));
        const bool ownFileOpen = m_file.isOpen() && QFileInfo(m_file.fileName()) == QFileInfo(m_path);
        if (!WriteWholeFile(m_path, bytes))
            return false;
        // The open file member still reads the file the rename replaced.
        if (ownFileOpen) {
            const QIODevice::OpenMode mode = m_file.openMode() & ~QIODevice::Truncate;
            m_file.close();
            if (!m_file.open(mode))
                return false;
        }
    }
    m_VLMemoryMiror = m_VLMemory;
    return true;
}
