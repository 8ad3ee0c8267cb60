#include "common/PanelText.h"

#include "platform/MessageBox.h"

#include <QList>


namespace {

constexpr char32_t kLastPanelCharacter = 0xFF;

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
