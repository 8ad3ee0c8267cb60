#include "linkforms/LinkFormHooks.h"

#include "app/AppObjects.h"
#include "app/CWFDoc.h"
#include "app/ShellHooks.h"
#include "linkforms/CAutoPilotDlg.h"

void InstallLinkFormHooks()
{
    Hooks().autoPilotDialog = [](QWidget* parent) -> std::unique_ptr<QDialog> {
        CWFDoc* doc = GetInstallationDoc();
        if (!doc)
            return nullptr;
        return std::make_unique<CAutoPilotDlg>(AutoPilot(doc->m_netQueue), parent);
    };
}
