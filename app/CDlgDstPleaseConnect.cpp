#include "app/CDlgDstPleaseConnect.h"

CDlgDstPleaseConnect::CDlgDstPleaseConnect(QWidget* parent)
    : CDstNoticeDlg(QStringLiteral("DST Changed, please connect"),
                    {QStringLiteral("The application has detected Daylight Saving Time change in your installation."),
                     QStringLiteral("Updated date and time will be sent to the networks automatically after the"),
                     QStringLiteral("networks are connected. Please connect to the networks.")},
                    parent)
{
}
