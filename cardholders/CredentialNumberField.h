#pragma once

#include <QString>

#include <optional>

// A credential number typed into a field: whole digits from 1 to
// 1099511627775. Anything else is said in a message box and gives nothing.
std::optional<double> ReadCredentialNumber(const QString& text);
