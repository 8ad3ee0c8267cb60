#pragma once

#include <QString>

#include <functional>

// Where binding notes go: the application's bindings log by default, any
// callable in a test.
using BindLog = std::function<void(const QString& text)>;

// A line in the application's bindings log; dropped while no log is open.
void LogBinding(const QString& text);
