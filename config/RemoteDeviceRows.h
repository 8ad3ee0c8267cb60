#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

class CVLControllerMemory;

// The devices DV1-DV9 of a controller's device bus, apart from the widgets:
// DV1-DV7 on the bus, DV8 and DV9 the two Wiegand reader inputs. Rows are
// counted from 1 and hold the stored type codes, so a code a row's list
// cannot show is kept as it was.
class RemoteDeviceRows
{
public:
    static constexpr int kRows = 9;
    static constexpr int kOptions = 4;
    static constexpr int kLastBusRow = 6;
    static constexpr int kPhoneRow = 7;
    // Control channel positions.
    static constexpr int kDoors = 4;
    static constexpr int kButtonsChannel = 4;
    static constexpr int kFirstCabChannel = 5;
    static constexpr int kLastCabChannel = 8;
    static constexpr int kElevatorChannel = 9;
    static constexpr int kCabs = 4;
    // Type codes.
    static constexpr int kEnclosureType = 7;
    static constexpr int kFirstModuleType = 8;
    static constexpr int kLastModuleType = 11;

    struct Row
    {
        int type = 0;
        int channel = 0;
        int direction = 0;
        std::array<bool, kOptions> options{};
        QString name;
    };

    // The type list of a row and the code of each of its positions.
    static QStringList TypeNames(int row);
    static int TypeCode(int row, int position);
    // -1 when the row's list cannot show the code.
    static int TypePosition(int row, int code);
    static bool IsTovixType(int code);

    void Load(CVLControllerMemory& image);
    const Row& At(int row) const { return m_rows[static_cast<size_t>(row - 1)]; }
    // Channel and direction are fixed while a row holds a Tovix type.
    bool IsChannelFixed(int row) const;

    // Each gives the refusal's message, empty when the change was taken.
    QString ChangeType(int row, int code);
    QString ChangeChannel(int row, int channel);
    void SetDetails(int row, int direction, const std::array<bool, kOptions>& options, const QString& name);

    // Writes the rows and the Tovix module addresses into the image and
    // gives the (cab, mask) to apply to the node's floor rows for each cab
    // and module no longer there. What was saved counts as loaded after.
    std::vector<std::pair<int, std::int32_t>> Save(CVLControllerMemory& image);

private:
    Row& RowAt(int row) { return m_rows[static_cast<size_t>(row - 1)]; }

    std::array<Row, kRows> m_rows{};
    std::array<int, kRows> m_loadedChannels{};
    std::array<int, kRows> m_loadedTypes{};
};
