#pragma once

#include <QString>

// What an installer's registration would have done: makes sure the schedule
// bar's class names a library that exists, registering the library shipped
// with the program when it does not. False, with *message saying why, when
// the bar stays unregistered; its pages then show placeholders.
bool EnsureScheduleBarRegistered(const QString& programFolder, QString* message);
