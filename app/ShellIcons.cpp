#include "app/ShellIcons.h"

#include "common/CommandIds.h"

#include <QApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

struct CommandPicture
{
    unsigned command;
    QStyle::StandardPixmap pixmap;
};

using namespace CommandId;

constexpr CommandPicture kPictures[] = {
    {NavigationView, QStyle::SP_MessageBoxInformation},
    {CardholdersView, QStyle::SP_DirHomeIcon},
    {ReportsMenu, QStyle::SP_FileDialogDetailedView},
    {SetupMenu, QStyle::SP_FileDialogContentsView},
    {SetInstallationTime, QStyle::SP_BrowserReload},
    {ClearLastViolated, QStyle::SP_DialogResetButton},
    {UnhandledToolbarButton, QStyle::SP_DialogCancelButton},
    {PriorityAccess, QStyle::SP_DialogApplyButton},
    {OnOffLine, QStyle::SP_DriveNetIcon},
    {ProgramNetwork, QStyle::SP_ArrowRight},
    {CollectEventLogs, QStyle::SP_ArrowDown},
};

// Drawings are made on a 32-unit square.
constexpr qreal kDrawingSize = 32.0;

// A picture drawn at whatever size it is asked for: the styles' computer and
// drive pictures come at 16 pixels only and were blurred beside the others.
class DrawnIcon : public QIconEngine
{
public:
    using Drawing = void (*)(QPainter&);
    explicit DrawnIcon(Drawing drawing) : m_drawing(drawing) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / kDrawingSize, rect.height() / kDrawingSize);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        m_drawing(*painter);
        painter->restore();
    }
    QIconEngine* clone() const override { return new DrawnIcon(m_drawing); }

private:
    Drawing m_drawing;
};

void DrawMonitor(QPainter& p)
{
    p.setPen(QPen(QColor(0x30, 0x33, 0x36), 1.0));
    p.setBrush(QColor(0x4a, 0x4e, 0x52));
    p.drawRoundedRect(QRectF(2.5, 3.5, 27, 19), 2, 2);
    QLinearGradient screen(0, 6, 0, 20);
    screen.setColorAt(0, QColor(0x6c, 0xb4, 0xf0));
    screen.setColorAt(1, QColor(0x1d, 0x5f, 0xb0));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(5, 6, 22, 14));
    p.setBrush(QColor(0x5e, 0x62, 0x66));
    p.drawRect(QRectF(14, 22.5, 4, 4));
    p.drawRoundedRect(QRectF(9, 26, 14, 3), 1.5, 1.5);
}

void DrawBackup(QPainter& p)
{
    QLinearGradient drive(0, 15, 0, 28);
    drive.setColorAt(0, QColor(0xd8, 0xdb, 0xde));
    drive.setColorAt(1, QColor(0x8e, 0x93, 0x98));
    p.setPen(QPen(QColor(0x5a, 0x5e, 0x62), 1.0));
    p.setBrush(drive);
    p.drawRoundedRect(QRectF(3.5, 15.5, 25, 12), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3c, 0xc8, 0x4b));
    p.drawEllipse(QRectF(22, 22, 3, 3));
    QPainterPath arrow;
    arrow.moveTo(13, 2);
    arrow.lineTo(19, 2);
    arrow.lineTo(19, 10);
    arrow.lineTo(24, 10);
    arrow.lineTo(16, 19);
    arrow.lineTo(8, 10);
    arrow.lineTo(13, 10);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x1e, 0x7a, 0x2c), 1.0));
    p.setBrush(QColor(0x34, 0xa8, 0x45));
    p.drawPath(arrow);
}

struct CommandDrawing
{
    unsigned command;
    DrawnIcon::Drawing drawing;
};

constexpr CommandDrawing kDrawings[] = {
    {MonitorView, &DrawMonitor},
    {BackupRestoreMenu, &DrawBackup},
};

} // namespace

QIcon CommandIcon(unsigned command)
{
    for (const CommandDrawing& d : kDrawings) {
        if (d.command == command)
            return QIcon(new DrawnIcon(d.drawing));
    }
    for (const CommandPicture& p : kPictures) {
        if (p.command == command)
            return QApplication::style()->standardIcon(p.pixmap);
    }
    return QIcon();
}
