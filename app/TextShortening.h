#pragma once

#include <QString>

#include <functional>

// Fits a text into a list column of the given width: a text that does not fit
// with offset is cut from its end (one character at least stays) until it fits
// followed by "...".
QString ShortenToFit(const QString& text, int width, int offset, const std::function<int(const QString&)>& measure);

// Offsets of the first and of the further columns.
inline constexpr int kFirstColumnOffset = 4;
inline constexpr int kOtherColumnOffset = 12;
