#include "link/ComPortPath.h"

#include "platform/Profile.h"

QString ComPortPath(int port)
{
    const QString fallback = QStringLiteral("/dev/ttyS%1").arg(port - 1);
    return Profile::GetString(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(port), fallback);
}
