#pragma once

#include <QString>

#include <optional>

// Controllers keep text as 8-bit Latin-1: a character beyond it would reach
// the panel as "?" without a word, so it is refused where it is typed.

// The first character of text that a panel cannot hold; nothing when all fit.
std::optional<QString> FirstCharacterOutsidePanelText(const QString& text);

// True when the panel can hold every character of text; otherwise tells the
// operator which field and which character, and returns false.
bool CheckPanelText(const QString& field, const QString& text);
