#pragma once

class QPushButton;
class QTabWidget;
class QWidget;

// The tabs of a settings sheet with Apply and Cancel below them, as every
// editor in the right pane lays them out.
struct TabbedSheet
{
    QTabWidget* tabs;
    QPushButton* apply;
    QPushButton* cancel;
};

TabbedSheet BuildTabbedSheet(QWidget* owner);
