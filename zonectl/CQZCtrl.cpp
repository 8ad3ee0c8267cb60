#include "zonectl/CQZCtrl.h"

#include "zonectl/CQZGeometry.h"
#include "zonectl/CQZRangeDlg.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

const QColor kBarColour(192, 192, 192);
const QColor kPeriodColour(0, 0, 128);

constexpr int kPeriodTopWithScale = 17;
constexpr int kPeriodTopWithoutScale = 3;
constexpr int kPeriodBottomMargin = 2;
constexpr int kScaleBaseLine = 15;
constexpr int kHalfHourTickTop = 12;
constexpr int kHourTickTop = 10;
constexpr int kLabelBaseline = 9;
constexpr int kTopLine = 1;
constexpr int kHalfHours = 48;
constexpr int kHours = 24;
constexpr int kLabelSteps = 8;
constexpr int kHoursPerLabel = 3;

constexpr const char* kCreationToolTip = "Time Zone control";
// The tooltip's automatic delay; it stays up ten times as long.
constexpr int kToolTipDelayMs = 150;
constexpr int kToolTipShownMs = 10 * kToolTipDelayMs;
constexpr int kSizeHintWidth = 288;
constexpr int kSizeHintHeight = 32;

int ButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return QZ::kLeftButton;
    case Qt::RightButton:
        return QZ::kRightButton;
    case Qt::MiddleButton:
        return QZ::kMiddleButton;
    default:
        return 0;
    }
}

int ShiftCode(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= QZ::kShiftMask;
    if (modifiers & Qt::ControlModifier)
        shift |= QZ::kCtrlMask;
    if (modifiers & Qt::AltModifier)
        shift |= QZ::kAltMask;
    return shift;
}

} // namespace

CQZCtrl::CQZCtrl(QWidget* parent) : QWidget(parent)
{
    // Period tooltips follow the mouse with no button down.
    setMouseTracking(true);
    m_toolTipDelay.setSingleShot(true);
    m_toolTipDelay.setInterval(kToolTipDelayMs);
    connect(&m_toolTipDelay, &QTimer::timeout, this, [this] {
        if (ToolTipShown())
            QToolTip::showText(m_toolTipPos, m_toolTipText, this, {}, kToolTipShownMs);
    });
}

ZcResult CQZCtrl::GetProperty(std::int32_t dispid, QVariant* value) const
{
    return m_state.GetProperty(dispid, value);
}

ZcResult CQZCtrl::SetProperty(std::int32_t dispid, const QVariant& value)
{
    const ZcResult result = m_state.SetProperty(dispid, value);
    // Active changes nothing on screen and is not the control's state; the
    // tooltip switch counts only once there is a tooltip to switch.
    if (result == ZC_S_OK && dispid != QZ::DISPID_Active) {
        if (dispid != QZ::DISPID_ShowToolTip || m_toolTipCreated)
            m_modified = true;
        update();
    }
    return result;
}

bool CQZCtrl::Load(const CQZState::PersistReader& read)
{
    const bool loaded = m_state.Load(read);
    m_modified = false;
    update();
    return loaded;
}

bool CQZCtrl::Save(const CQZState::PersistWriter& write)
{
    if (!m_state.Save(write))
        return false;
    m_modified = false;
    return true;
}

void CQZCtrl::OnCreate()
{
    if (m_toolTipCreated)
        return;
    m_toolTipCreated = true;
    m_toolTipText = QString::fromLatin1(kCreationToolTip);
    UpdateToolTipText(0);
}

QSize CQZCtrl::sizeHint() const
{
    return {kSizeHintWidth, kSizeHintHeight};
}

bool CQZCtrl::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        // The bar keeps its own, shorter delay.
        const auto* help = static_cast<QHelpEvent*>(event);
        if (ToolTipShown())
            ShowToolTipAfterDelay(help->globalPos());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void CQZCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(m_state.Font());
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, h, kBarColour);
    painter.setPen(Qt::black);
    painter.drawLine(0, h - 1, w, h - 1);
    if (m_state.ShowTimeScale()) {
        DrawPeriods(painter, kPeriodTopWithScale);
        DrawTimeScale(painter);
    } else {
        DrawPeriods(painter, kPeriodTopWithoutScale);
        painter.drawLine(0, kTopLine, w, kTopLine);
    }
}

// Rectangles come from the size the bar has now, so a resized bar never shows
// stale periods.
void CQZCtrl::DrawPeriods(QPainter& painter, int topOffset) const
{
    const int w = width();
    for (int p = 0; p < QZ::kPeriodCount; ++p) {
        const CQZState::Period& period = m_state.PeriodAt(p);
        const CQZGeometry::Rect rect = CQZGeometry::PeriodToRect(period.begin, period.end, w, height());
        if (rect.IsEmpty())
            continue;
        const int top = rect.top + topOffset;
        const int fillHeight = rect.bottom - kPeriodBottomMargin - top;
        if (fillHeight <= 0)
            continue;
        if (rect.right > w) {
            painter.fillRect(rect.left, top, w - rect.left, fillHeight, kPeriodColour);
            painter.fillRect(0, top, rect.right - w, fillHeight, kPeriodColour);
        } else {
            painter.fillRect(rect.left, top, rect.right - rect.left, fillHeight, kPeriodColour);
        }
    }
}

void CQZCtrl::DrawTimeScale(QPainter& painter) const
{
    const int w = width();
    painter.drawLine(0, kScaleBaseLine, w, kScaleBaseLine);
    for (int i = 1; i < kHalfHours; ++i) {
        const int x = w * i / kHalfHours;
        painter.drawLine(x, kScaleBaseLine, x, kHalfHourTickTop);
    }
    const QFontMetrics metrics(m_state.Font());
    for (int k = 1; k < kLabelSteps; ++k) {
        const QString label = QString::number(k * kHoursPerLabel);
        const int x = w * k / kLabelSteps;
        painter.drawText(QPoint(x - metrics.horizontalAdvance(label) / 2, kLabelBaseline), label);
    }
    for (int i = 1; i < kHours; ++i) {
        const int x = w * i / kHours;
        painter.drawLine(x, kScaleBaseLine, x, kHourTickTop);
    }
}

void CQZCtrl::mousePressEvent(QMouseEvent* event)
{
    const bool editing = event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
    if (editing && !m_state.EditingAllowed())
        return;
    if (event->button() == Qt::LeftButton) {
        m_edit.Press(event->position().toPoint(), size());
    } else if (event->button() == Qt::RightButton) {
        const int period = m_state.FirstFreePeriod();
        if (period >= 0)
            EditPeriod(period, 0, 0);
        update();
    }
    FireMouseDown(event);
}

void CQZCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!(event->buttons() & (Qt::LeftButton | Qt::RightButton)) && m_edit.Dragging()) {
        m_edit.Release();
        update();
    }
    if (m_edit.Move(point, size()))
        update();
    const int period = m_edit.LastPeriodAt(point, size());
    if (period >= 0)
        UpdateToolTipText(period + 1);
    if (ToolTipShown() && !QToolTip::isVisible())
        ShowToolTipAfterDelay(event->globalPosition().toPoint());
}

void CQZCtrl::leaveEvent(QEvent* event)
{
    m_toolTipDelay.stop();
    QWidget::leaveEvent(event);
}

void CQZCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_edit.Release();
        update();
    }
}

void CQZCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_state.EditingAllowed())
        return;
    const int period = m_edit.FirstPeriodAt(event->position().toPoint(), size());
    if (period >= 0) {
        const CQZState::Period& p = m_state.PeriodAt(period);
        EditPeriod(period, p.begin, p.end);
    }
    m_edit.Release();
    update();
}

void CQZCtrl::EditPeriod(int period, int begin, int end)
{
    CQZRangeDlg dialog(this);
    dialog.SetLabel(tr("Enter range for Time period %1:").arg(period + 1));
    dialog.SetBegin(begin);
    dialog.SetEnd(end);
    if (dialog.exec() == QDialog::Accepted)
        m_state.SetPeriod(period, dialog.Begin(), dialog.End());
}

void CQZCtrl::UpdateToolTipText(int which)
{
    m_toolTipText = m_state.ToolTipText(which);
    if (QToolTip::isVisible() && ToolTipShown())
        QToolTip::showText(QCursor::pos(), m_toolTipText, this, {}, kToolTipShownMs);
}

bool CQZCtrl::ToolTipShown() const
{
    return m_toolTipCreated && m_state.ShowToolTip() && !m_toolTipText.isEmpty();
}

void CQZCtrl::ShowToolTipAfterDelay(const QPoint& globalPos)
{
    m_toolTipPos = globalPos;
    m_toolTipDelay.start();
}

void CQZCtrl::FireMouseDown(const QMouseEvent* event)
{
    if (!m_mouseDown)
        return;
    const QPoint point = event->position().toPoint();
    m_mouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), point.x(), point.y());
}
