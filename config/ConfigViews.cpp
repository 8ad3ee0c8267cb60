#include "config/ConfigViews.h"

#include "app/ViewFactory.h"
#include "config/CNetworkSettingDlg.h"

void RegisterConfigViews()
{
    RegisterViewClass(QStringLiteral("CNetworkSettingDlg"),
                      [](QWidget* parent) -> QWidget* { return new CNetworkSettingDlg(parent); });
}
