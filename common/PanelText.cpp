#include "common/PanelText.h"

#include "platform/MessageBox.h"

#include <QList>

#include <string>
#include <utility>

namespace {

constexpr char32_t kLastPanelCharacter = 0xFF;

// Letters and signs whose decomposition leaves nothing a panel holds,
// though a Latin letter or sign is plainly their nearest.
const std::pair<char32_t, const char*> kNearestByHand[] = {
    {U'\u0110', "D"},  {U'\u0111', "d"},  {U'\u0126', "H"},  {U'\u0127', "h"},  {U'\u0131', "i"},
    {U'\u0138', "k"},  {U'\u0141', "L"},  {U'\u0142', "l"},  {U'\u014A', "N"},  {U'\u014B', "n"},
    {U'\u0152', "OE"}, {U'\u0153', "oe"}, {U'\u0166', "T"},  {U'\u0167', "t"},  {U'\u0180', "b"},
    {U'\u0192', "f"},  {U'\u0197', "I"},  {U'\u0268', "i"},  {U'\u1E9E', "SS"}, {U'\u2010', "-"},
    {U'\u2011', "-"},  {U'\u2012', "-"},  {U'\u2013', "-"},  {U'\u2014', "-"},  {U'\u2015', "-"},
    {U'\u2018', "'"},  {U'\u2019', "'"},  {U'\u201A', "'"},  {U'\u201B', "'"},  {U'\u201C', "\""},
    {U'\u201D', "\""}, {U'\u201E', "\""}, {U'\u201F', "\""}, {U'\u2032', "'"},  {U'\u2033', "\""},
};

bool IsMark(char32_t character)
{
    switch (QChar::category(character)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing: return true;
    default: return false;
    }
}

QString NearestTo(char32_t character)
{
    if (character <= kLastPanelCharacter)
        return QString::fromUcs4(&character, 1);
    for (const auto& [letter, nearest] : kNearestByHand) {
        if (letter == character)
            return QString::fromLatin1(nearest);
    }
    // A mark the name's letters did not take in adds nothing a panel shows.
    if (IsMark(character))
        return {};
    // Marks go from the last, so a letter with two keeps the one a panel
    // holds with it: ễ gives ê.
    const QList<uint> decomposed =
        QString::fromUcs4(&character, 1).normalized(QString::NormalizationForm_KD).toUcs4();
    std::u32string parts(decomposed.begin(), decomposed.end());
    while (!parts.empty()) {
        const QString composed = QString::fromUcs4(parts.data(), static_cast<qsizetype>(parts.size()))
                                     .normalized(QString::NormalizationForm_C);
        if (!FirstCharacterOutsidePanelText(composed))
            return composed;
        if (!IsMark(parts.back()))
            break;
        parts.pop_back();
    }
    return QString(QChar(kPanelStandIn));
}

} // namespace

std::optional<QString> FirstCharacterOutsidePanelText(const QString& text)
{
    // A lone surrogate comes out as U+FFFD, which no panel holds either.
    for (const char32_t character : text.toUcs4()) {
        if (character > kLastPanelCharacter)
            return QString::fromUcs4(&character, 1);
    }
    return std::nullopt;
}

bool CheckPanelText(const QString& field, const QString& text)
{
    const std::optional<QString> refused = FirstCharacterOutsidePanelText(text);
    if (!refused)
        return true;
    ShowMessageBox(QStringLiteral("%1: the character \"%2\" cannot be stored in a controller.\n\n"
                                  "Controllers hold only Western European (Latin-1) characters.")
                       .arg(field, *refused),
                   MbButtons::Ok, MbIcon::Exclamation);
    return false;
}

QString NearestPanelText(const QString& text)
{
    // Composed first, so a letter typed as letter and mark stays one letter.
    QString nearest;
    for (const char32_t character : text.normalized(QString::NormalizationForm_C).toUcs4())
        nearest += NearestTo(character);
    return nearest;
}
