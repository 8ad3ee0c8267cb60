#pragma once

#include <QIcon>
#include <QList>

// The control list's door pictures, by picture number: not reported,
// deactivated, lock open, lock closed, alarm, force alarm, time-zone timing
// closed, time-zone timing open, open.
QList<QIcon> DoorStateIcons();
