#pragma once

#include <QString>

// The firmware line of the General page of node setup: major and minor as
// the row keeps them, the minor in two hexadecimal digits ("Firmware: 1.10"
// for 0x0110).
QString FirmwareLine(int major, int minor);
