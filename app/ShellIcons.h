#pragma once

#include <QIcon>

// The picture of a command on the toolbar and on the navigation-help screen.
QIcon CommandIcon(unsigned command);
