#include "link/CCommPort.h"

#include "link/ComPortPath.h"
#include "link/ConfigurePort.h"
#include "link/LinkMessages.h"
#include "link/LinkConnection.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"

int CCommPort::Open(SerialPort*& handle)
{
    const int number = CurrentConnection;
    if (m_port.Open(ComPortPath(number)) != SerialPort::OpenResult::Opened) {
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
