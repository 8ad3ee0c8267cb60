#include "app/CRPNavigationHelp.h"

#include "app/AppObjects.h"
#include "app/NavigationHelpAreas.h"
#include "app/ShellIcons.h"
#include "common/CommandIds.h"
#include "common/ICommControlForm.h"
#include "platform/WindowMessages.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// Dialog units: a quarter of the average character width, an eighth of the line height.
constexpr int kUnitsPerCharWidth = 4;
constexpr int kUnitsPerLineHeight = 8;
constexpr int kIconUnits = 20;
constexpr int kInsetUnits = 4;
constexpr double kTextScale = 0.9;

} // namespace

CRPNavigationHelp::CRPNavigationHelp(QWidget* parent) : CPaneView(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

QSize CRPNavigationHelp::sizeHint() const
{
    return ToPixels(QRect(0, 0, kNavigationFormWidth, kNavigationFormHeight)).size();
}

int CRPNavigationHelp::BaseUnitX() const
{
    // The average width of the 52 letters, rounded, as dialog layouts measure it.
    static const QString kLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return (fontMetrics().horizontalAdvance(kLetters) / 26 + 1) / 2;
}

QPoint CRPNavigationHelp::ToDialogUnits(const QPoint& pixels) const
{
    return QPoint(pixels.x() * kUnitsPerCharWidth / BaseUnitX(), pixels.y() * kUnitsPerLineHeight / fontMetrics().height());
}

QRect CRPNavigationHelp::ToPixels(const QRect& r) const
{
    const int baseX = BaseUnitX();
    const int baseY = fontMetrics().height();
    const auto x = [baseX](int u) { return u * baseX / kUnitsPerCharWidth; };
    const auto y = [baseY](int u) { return u * baseY / kUnitsPerLineHeight; };
    return QRect(QPoint(x(r.left()), y(r.top())), QPoint(x(r.left() + r.width()) - 1, y(r.top() + r.height()) - 1));
}

void CRPNavigationHelp::DrawArea(QPainter& painter, const QRect& dialogRect, unsigned command,
                                 const QString& text) const
{
    const QRect frame = ToPixels(dialogRect);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    const QRect icon = ToPixels(QRect(dialogRect.left() + kInsetUnits, dialogRect.top() + kInsetUnits, kIconUnits,
                                      kIconUnits));
    const int side = qMin(icon.width(), icon.height());
    CommandIcon(command).paint(&painter, QRect(icon.topLeft(), QSize(side, side)));
    const QRect textRect = ToPixels(QRect(dialogRect.left() + 2 * kInsetUnits + kIconUnits,
                                          dialogRect.top() + kInsetUnits,
                                          dialogRect.width() - 3 * kInsetUnits - kIconUnits,
                                          dialogRect.height() - 2 * kInsetUnits));
    painter.setPen(palette().color(QPalette::Text));
    // The sentences were written for a smaller dialog font than the layout's.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * kTextScale);
    painter.setFont(small);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

void CRPNavigationHelp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    DrawArea(painter, NavigationInformationRect(), CommandId::NavigationView, QString::fromLatin1(kNavigationInformationText));
    for (const NavigationArea& area : NavigationAreas())
        DrawArea(painter, area.rect, area.command, QString::fromLatin1(area.text));
}

void CRPNavigationHelp::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_buttonDown = true;
    CPaneView::mousePressEvent(event);
}

void CRPNavigationHelp::mouseReleaseEvent(QMouseEvent* event)
{
    CPaneView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !m_buttonDown)
        return;
    m_buttonDown = false;
    ICommControlForm* form = GetCommControlForm();
    const NavigationArea* area =
        NavigationHitTest(ToDialogUnits(event->position().toPoint()), form && form->IsConnected());
    if (!area)
        return;
    QObject* target = area->toCommForm ? dynamic_cast<QObject*>(form) : GetMainWindow();
    SendAppMessage(target, Msg::WM_COMMAND, area->command);
}
