#pragma once

#include <QString>

#include <optional>

// Controllers keep text as 8-bit Latin-1: a character beyond it would reach
// the panel as "?" without a word, so it is refused where it is typed.

// Put by NearestPanelText for a character that has no nearest letter.
inline constexpr char16_t kPanelStandIn = u'?';

// The first character of text that a panel cannot hold; nothing when all fit.
std::optional<QString> FirstCharacterOutsidePanelText(const QString& text);

// True when the panel can hold every character of text; otherwise tells the
// operator which field and which character, and returns false.
bool CheckPanelText(const QString& field, const QString& text);

// Text the program makes for a panel from a cardholder's name: every
// character a panel holds is kept, every other one becomes the nearest one
// it holds (Ł to L, ś to s, ễ to ê), or kPanelStandIn when there is none.
QString NearestPanelText(const QString& text);
