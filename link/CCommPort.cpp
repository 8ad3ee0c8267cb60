#include "link/CCommPort.h"

#include "link/ComPortPath.h"
#include "link/ConfigurePort.h"
#include "link/LinkMessages.h"
#include "link/LinkConnection.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

#include <QDebug>

int CCommPort::Open(SerialPort*& handle)
{
    const int number = CurrentConnection;
    const QString device = ComPortPath(number);
    if (m_port.Open(device) != SerialPort::OpenResult::Opened) {
        // The message names no device: the Connecting dialog's list, filled
        // before the message covers it, and the log say which one and why.
        const QString cause = QStringLiteral("COM%1 (%2) could not be opened: %3")
                                  .arg(QString::number(number), device, m_port.OpenErrorText());
        qWarning().noquote() << cause;
        const QString sentence = cause + QLatin1Char('.');
        if (m_progressWindow)
            SendAppMessage(m_progressWindow, Msg::LinkProgress, LinkProgressCode::kPortNotOpenedText,
                           reinterpret_cast<qintptr>(&sentence));
        ShowMessageBox(QStringLiteral("Error opening COM port\n\nYou may have to restart Wardenfold."));
        return 0;
    }
    if (!ConfigurePort(m_port)) {
        m_port.Close();
        PostAppMessage(m_progressWindow, Msg::ConnectFailed, LinkFailureCode::kPortNotConfigured);
        return 0;
    }
    PostAppMessage(m_progressWindow, Msg::LinkProgress, LinkProgressCode::kPortOpened, number);
    handle = &m_port;
    return 1;
}
