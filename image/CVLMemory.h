#pragma once

#include "image/NetworkPasswords.h"
#include "image/VLMemoryLayout.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <array>
#include <cstdint>

using VLImage = std::array<std::uint8_t, VLLayout::kImageSize>;
using FirmwareVersion = std::array<std::uint8_t, VLLayout::kFirmwareVersionLength>;
using CabMasks = std::array<std::uint32_t, VLLayout::kCabCount>;
// Justification of display messages 1-40 of one message set, message k at k - 1.
using DisplayJustifications = std::array<std::uint8_t, VLLayout::kDisplaySlots.count>;

// Names that choose the corrections made while an image file is read or written.
inline constexpr const char* kGlobalSettingsFile = "GlobalSettings.dat";
inline constexpr const char* kDownloadedControllerFile = "Controller.dat";

// One panel's 8192-byte settings memory with the mirror taken at its last
// load or save, stored as a file of exactly those bytes. Subclasses give the
// installation-wide image and the image of one controller.
class CVLMemory
{
public:
    CVLMemory();
    virtual ~CVLMemory();
    CVLMemory(const CVLMemory&) = delete;
    CVLMemory& operator=(const CVLMemory&) = delete;

    // Reads the image from path, or with create writes a new file with the
    // defaults of nodeCode (network x 10 + node). False, with image and mirror
    // unchanged, when the file cannot be opened or is too short to be an image.
    virtual bool LoadFile(const QString& path, int create, std::uint8_t nodeCode,
                          const FirmwareVersion& version);
    // Writes into the given open file from its start, or with none into the
    // image's own file, which must exist: written beside it and renamed, and
    // a file member open on it is opened again on the new file. The mirror
    // follows a good write.
    bool SaveFile(QFile* file = nullptr);

    void FillDefaults(std::uint8_t nodeCode, const FirmwareVersion& version);
    void GetLoadedPasswords(RemotePassword& remote, PriorityPassword& priority) const;
    void SetNetworkOverride(std::uint8_t net) { m_networkOverride = net; }

    // Button 1-4; 0 for any other number.
    std::uint8_t GetButtonSchedule(int button) const;
    // Schedule 1-31; value is reduced to the door bits in place.
    bool SetDoorSchedule(std::uint8_t& value, int schedule);
    // Schedule 0-31, cab masks of 24 bits; schedule 0 is then rebuilt as
    // the OR of schedules 1-31.
    bool SetFloorSchedule(int schedule, const CabMasks& cabs);
    CabMasks GetFloorSchedule(int schedule) const;

    void BindDisplayMessageSlots(const DisplayJustifications& justifications);
    // Copies the installation-wide settings of controllerFolder/GlobalSettings.dat
    // into this image; says so and changes nothing when that file cannot be read.
    bool MergeGlobalSettings(const QString& controllerFolder);

    const VLImage& Image() const { return m_VLMemory; }
    VLImage& Image() { return m_VLMemory; }
    const VLImage& Mirror() const { return m_VLMemoryMiror; }
    // Offsets outside the image read 0 and write nothing.
    std::uint8_t Byte(int offset) const;
    void SetByte(int offset, std::uint8_t value);
    std::uint16_t Word(int offset) const;
    void SetWord(int offset, std::uint16_t value);

    const QString& Path() const { return m_path; }
    QFile& File() { return m_file; }

    // The image in file order with the corrections for a file of that name,
    // which stay in the image; and the reverse. LoadImage leaves everything
    // unchanged and fails when the bytes are too few for an image.
    QByteArray StoreImage(const QString& fileName);
    bool LoadImage(const QByteArray& bytes, const QString& fileName);

protected:
    bool SpanDiffers(const VLLayout::ImageSpan& span) const;
    void RestoreSpan(const VLLayout::ImageSpan& span);
    static void CopySpan(VLImage& to, const VLImage& from, const VLLayout::ImageSpan& span);
    static bool AskToSave(const char* question);

    void ExchangeByte(int offset, std::uint8_t& value, int get);
    void ExchangeWord(int offset, std::uint16_t& value, int get);
    void ExchangeBits(int offset, std::uint8_t mask, bool& value, int get);
    // Blank-padded text; read back without trailing blanks and NUL bytes.
    void ExchangeText(int offset, int length, QString& text, int get);

private:
    void FillRecordDefaults();
    void FillPasswordDefaults(int net, int node);
    void ApplyStoreCorrections(const QString& fileName);
    bool WriteInto(QFile& file, const QByteArray& bytes);

    VLImage m_VLMemory{};
    QString m_path;
    QFile m_file;
    RemotePassword m_loadedRemote{};
    PriorityPassword m_loadedPriority{};
    VLImage m_VLMemoryMiror{};
    std::uint8_t m_networkOverride = 0;
};
