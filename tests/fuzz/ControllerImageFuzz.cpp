#include "image/CVLControllerMemory.h"
#include "image/CVLGlobalMemory.h"
#include "platform/Archive.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <QDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The bytes as a script of archive reads: each read's kind is the next byte.
// Reads stay inside the bytes, and a string read back from what the writer
// makes of it is the same string.
void ReadAsArchive(const QByteArray& bytes)
{
    ArchiveReader reader(bytes);
    std::uint8_t op = 0;
    while (reader.ReadByte(op)) {
        std::uint8_t byte = 0;
        std::uint16_t word = 0;
        std::uint32_t dword = 0;
        QByteArray run;
        QString text;
        switch (op % 5) {
        case 0:
            reader.ReadByte(byte);
            break;
        case 1:
            reader.ReadWord(word);
            break;
        case 2:
            reader.ReadDWord(dword);
            break;
        case 3:
            if (reader.ReadWord(word))
                reader.ReadBytes(word, run);
            break;
        default:
            if (reader.ReadString(text)) {
                ArchiveWriter writer;
                writer.WriteString(text);
                ArchiveReader back(writer.Bytes());
                QString again;
                if (!back.ReadString(again) || again != text || !back.AtEnd())
                    std::abort();
            }
            break;
        }
        if (reader.Position() > bytes.size())
            std::abort();
    }
}

// An image file of the name loads as the program loads it; what it stores
// then loads and stores again to the same bytes.
template <typename Memory>
void LoadImageFile(const QString& folder, const char* name, const QByteArray& bytes)
{
    const QString path = QDir(folder).filePath(QLatin1String(name));
    FuzzSandbox::WriteFile(path, bytes);
    NetworkPasswords::Reset();
    Memory memory;
    if (!memory.LoadFile(path, 0, 0, FirmwareVersion{}))
        return;
    const QByteArray stored = memory.StoreImage(QLatin1String(name));
    if (stored.size() != VLLayout::kImageSize)
        std::abort();
    Memory again;
    if (!again.LoadImage(stored, QLatin1String(name)) || again.StoreImage(QLatin1String(name)) != stored)
        std::abort();
}

} // namespace

// Controller images as read from a controller folder, and the archive
// layer beneath them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString folder = [] {
        const QString path = FuzzSandbox::Get().Path(QStringLiteral("Controllers"));
        QDir().mkpath(path);
        return path;
    }();
    const QByteArray bytes = FuzzSandbox::Bytes(data, size);
    ReadAsArchive(bytes);
    LoadImageFile<CVLControllerMemory>(folder, "Vestrel11.dat", bytes);
    LoadImageFile<CVLControllerMemory>(folder, kDownloadedControllerFile, bytes);
    LoadImageFile<CVLGlobalMemory>(folder, kGlobalSettingsFile, bytes);
    return 0;
}
