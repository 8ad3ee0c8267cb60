#include "app/CDlgDstTimeSent.h"

CDlgDstTimeSent::CDlgDstTimeSent(QWidget* parent)
    : CDstNoticeDlg(QStringLiteral("DST Changed, installation time sent"),
                    {QStringLiteral("The application has detected Daylight Saving Time change in your installation."),
                     QStringLiteral("Updated date and time has been sent to the networks.")},
                    parent)
{
}
