#include "reports/system/ReportFont.h"

QFont ReportFont(const QString& face, int pointSize)
{
    QFont font(face, pointSize);
    if (face == QLatin1String("Courier New")) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else if (face == QLatin1String("Times New Roman")) {
        font.setStyleHint(QFont::Serif);
    }
    return font;
}
