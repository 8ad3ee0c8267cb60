#pragma once

#include <QString>

class QWidget;

// Tool tips for child windows of a form.
class CToolTipCtrlEx
{
public:
    void AddWindowTool(QWidget* window, const QString& text);
};
