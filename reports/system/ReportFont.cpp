#include "reports/system/ReportFont.h"

#include <QFontDatabase>
#include <QFontInfo>

QFont ReportFont(const QString& face, int pointSize)
{
    QFont font(face, pointSize);
    if (face == QLatin1String("Courier New")) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        // Some font packages alias the name to a face Qt does not take as
        // fixed pitch, and the listing's columns would not line up.
        if (!QFontInfo(font).fixedPitch()) {
            font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
            font.setPointSize(pointSize);
        }
    } else if (face == QLatin1String("Times New Roman")) {
        font.setStyleHint(QFont::Serif);
    }
    return font;
}
