#include "linkforms/NodeIcons.h"

#include "database/NetworkLetter.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

#include <array>

namespace NodeIcons {
namespace {

constexpr int kSize = 32;
constexpr int kMargin = 3;
constexpr int kMasterMark = 8;

enum class Look { InService, Suspended, Active };

struct StatePicture
{
    int resource;
    Look look;
    bool master;
};

// In service and suspended pictures of masters (first of each pair) and of
// other nodes, by panel type; and the activity picture.
constexpr std::array<StatePicture, 13> kStates = {{
    {207, Look::InService, true},  {208, Look::InService, false}, {443, Look::InService, true},
    {444, Look::InService, false}, {475, Look::InService, true},  {477, Look::InService, false},
    {435, Look::Suspended, true},  {436, Look::Suspended, false}, {445, Look::Suspended, true},
    {446, Look::Suspended, false}, {476, Look::Suspended, true},  {478, Look::Suspended, false},
    {479, Look::Active, false},
}};

QColor ColourOf(Look look)
{
    switch (look) {
    case Look::InService:
        return QColor(0, 160, 0);
    case Look::Suspended:
        return QColor(200, 0, 0);
    case Look::Active:
        return QColor(230, 190, 0);
    }
    return QColor();
}

QIcon Draw(const StatePicture& state)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(ColourOf(state.look));
    painter.setPen(Qt::black);
    painter.drawRoundedRect(kMargin, kMargin, kSize - 2 * kMargin, kSize - 2 * kMargin, kMargin, kMargin);
    if (state.master) {
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPoint(kSize / 2, kSize / 2), kMasterMark / 2, kMasterMark / 2);
    }
    return QIcon(pixmap);
}

} // namespace

QIcon StateIcon(int resource)
{
    static QHash<int, QIcon> cache;
    if (const auto found = cache.constFind(resource); found != cache.constEnd())
        return *found;
    for (const StatePicture& state : kStates) {
        if (state.resource == resource)
            return cache[resource] = Draw(state);
    }
    return QIcon();
}

QIcon NetworkIcon(int network)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(kSize - 2 * kMargin);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString(NetworkLetter(network)));
    return QIcon(pixmap);
}

} // namespace NodeIcons
