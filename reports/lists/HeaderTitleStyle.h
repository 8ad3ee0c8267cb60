#pragma once

#include <QProxyStyle>

class QStyleOptionHeader;

// The style of the report list's header: a column title too wide for its
// column shows its start, left-aligned and elided at the end, where Qt would
// centre it and cut it at both ends.
class HeaderTitleStyle : public QProxyStyle
{
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

    // The title as the label's rectangle can hold it.
    static void FitTitle(QStyleOptionHeader& header);
};
