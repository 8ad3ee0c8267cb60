#pragma once

#include <QString>

// The device of COM port n: the profile's "Ports" key "COM<n>", by default
// the n-th serial device.
QString ComPortPath(int port);
