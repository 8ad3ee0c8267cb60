#include "reports/system/ReportFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace {

// The characters of the listing: the formats' printable ASCII and the
// printable Latin-1 range of panel names.
constexpr char16_t kFirstAscii = 0x21;
constexpr char16_t kLastAscii = 0x7E;
constexpr char16_t kFirstLatin1 = 0xA0;
constexpr char16_t kLastLatin1 = 0xFF;

// The face at the size of the font, given in points or in pixels.
QFont AtSizeOf(QFont face, const QFont& font)
{
    if (font.pointSize() > 0)
        face.setPointSize(font.pointSize());
    else
        face.setPixelSize(font.pixelSize());
    return face;
}

} // namespace

QFont FixedPitchFace(const QFont& font)
{
    if (DrawsFixedPitch(font))
        return font;
    const QFont system = AtSizeOf(QFontDatabase::systemFont(QFontDatabase::FixedFont), font);
    if (DrawsFixedPitch(system))
        return system;
    QStringList families = QFontDatabase::families();
    std::stable_partition(families.begin(), families.end(),
                          [](const QString& family) { return QFontDatabase::isFixedPitch(family); });
    for (const QString& family : std::as_const(families)) {
        const QFont candidate = AtSizeOf(QFont(family), font);
        if (DrawsFixedPitch(candidate))
            return candidate;
    }
    return font;
}

bool DrawsFixedPitch(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int advance = metrics.horizontalAdvance(QLatin1Char(' '));
    const auto allAlike = [&](char16_t first, char16_t last) {
        for (char16_t c = first; c <= last; ++c) {
            if (metrics.horizontalAdvance(QChar(c)) != advance)
                return false;
        }
        return true;
    };
    return advance > 0 && allAlike(kFirstAscii, kLastAscii) && allAlike(kFirstLatin1, kLastLatin1);
}

QFont ReportFont(const QString& face, int pointSize)
{
    QFont font(face, pointSize);
    if (face == QLatin1String("Courier New")) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        return FixedPitchFace(font);
    }
    if (face == QLatin1String("Times New Roman"))
        font.setStyleHint(QFont::Serif);
    return font;
}
