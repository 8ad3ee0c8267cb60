#include "linkforms/NetworkDevices.h"

#include "app/CWFDoc.h"
#include "common/Vocabulary.h"
#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "image/CVLControllerMemory.h"
#include "image/VLMemoryLayout.h"
#include "platform/DatabaseException.h"

namespace {

constexpr int kFirstDevice = 1;
constexpr int kLastDevice = 11;
constexpr int kDeviceTypeByte = 1;
constexpr std::uint8_t kDirectionBits = 0x0F;
constexpr std::uint8_t kDirectionIn = 1;
constexpr std::uint8_t kDirectionOut = 2;
// "[A1]" of the controller's label.
constexpr int kLabelPrefix = 4;

void AppendDevices(CVLControllerMemory& image, const QString& label, std::vector<AntiPassbackDevice>& rows)
{
    using namespace VLLayout;
    for (int device = kFirstDevice; device <= kLastDevice; ++device) {
        const int record = kDevices.At(device);
        const std::uint8_t direction = image.Byte(record + Device::kSettings) & kDirectionBits;
        if (direction != kDirectionIn && direction != kDirectionOut)
            continue;
        QString name;
        image.ExchangeDeviceName(device, name, 1);
        rows.push_back({label + QStringLiteral("[DV") + QString::number(device) + QStringLiteral("] ") + name.trimmed(),
                        NameAt(DeviceTypeNames, image.Byte(record + kDeviceTypeByte)),
                        NameAt(DeviceDirectionNames, direction)});
    }
}

} // namespace

std::vector<AntiPassbackDevice> AntiPassbackDevices(const CWFDoc& doc, int net)
{
    std::vector<AntiPassbackDevice> rows;
    if (!g_setVestrels.IsOpen())
        return rows;
    try {
        const QString panels = QStringLiteral("NetAddress = %1").arg(net);
        for (bool found = g_setVestrels.FindFirst(panels); found; found = g_setVestrels.FindNext(panels)) {
            // The name comes from the database: only a plain file name is read.
            const QString fileName = g_setVestrels.GetFileName();
            if (!InstallationPaths::IsPlainFileName(fileName))
                continue;
            CVLControllerMemory image;
            if (!image.LoadFile(doc.BuildPath(InstallationPaths::kVestrels, fileName), 0, 0, {}))
                continue;
            AppendDevices(image, g_setVestrels.GetNodeLabel().left(kLabelPrefix), rows);
        }
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    return rows;
}
