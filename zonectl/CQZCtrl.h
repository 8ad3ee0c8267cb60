#pragma once

#include "zonectl/CQZEdit.h"
#include "zonectl/CQZState.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QPainter;

// The schedule bar: one day drawn left to right with up to four periods,
// edited by dragging an edge, by a right click (next free period) or by a
// double click (the period under the mouse) through the range dialog.
class CQZCtrl : public QWidget
{
    Q_OBJECT

public:
    // The stock MouseDown event: Button, Shift, x, y.
    using MouseDownHandler = std::function<void(int button, int shift, int x, int y)>;

    explicit CQZCtrl(QWidget* parent = nullptr);

    ZcResult GetProperty(std::int32_t dispid, QVariant* value) const;
    ZcResult SetProperty(std::int32_t dispid, const QVariant& value);
    // Both leave the control unmodified.
    bool Load(const CQZState::PersistReader& read);
    bool Save(const CQZState::PersistWriter& write);
    // A property changed since the state was loaded or saved; mouse edits
    // do not count, the container reads the periods when it stores.
    bool IsModified() const { return m_modified; }

    void SetMouseDownHandler(MouseDownHandler handler) { m_mouseDown = std::move(handler); }
    // Called once the container gives the bar its window.
    void OnCreate();

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void DrawPeriods(QPainter& painter, int topOffset) const;
    void DrawTimeScale(QPainter& painter) const;
    void EditPeriod(int period, int begin, int end);
    void UpdateToolTipText(int which);
    bool ToolTipShown() const;
    void ShowToolTipAfterDelay(const QPoint& globalPos);
    void FireMouseDown(const QMouseEvent* event);

    CQZState m_state;
    CQZEdit m_edit{m_state};
    MouseDownHandler m_mouseDown;
    QString m_toolTipText;
    bool m_toolTipCreated = false;
    QTimer m_toolTipDelay;
    QPoint m_toolTipPos;
    bool m_modified = false;
};
