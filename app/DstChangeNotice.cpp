#include "app/DstChangeNotice.h"

#include "app/CDlgDstPleaseConnect.h"
#include "app/CDlgDstTimeSent.h"
#include "common/ProgramObjects.h"
#include "platform/MessageBox.h"

#include <QWidget>

void ShowDstChangeNotice(bool changed, bool connected)
{
    if (changed) {
        ShowMessageBox(QString::fromLatin1(kDstChangedText), MbButtons::Ok, MbIcon::Exclamation);
        return;
    }
    // The main window owns the notice, so one left open goes with it.
    auto* owner = qobject_cast<QWidget*>(GetMainWindow());
    QDialog* notice = connected ? static_cast<QDialog*>(new CDlgDstTimeSent(owner)) : new CDlgDstPleaseConnect(owner);
    notice->show();
}
