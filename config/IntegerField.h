#pragma once

#include <QString>

#include <optional>

// An integer field of an editor page, checked as the page takes it in: a text
// that is not an integer, or one outside min..max, is said in a message box
// and gives nothing.
std::optional<int> ReadIntegerField(const QString& text, int min, int max);
