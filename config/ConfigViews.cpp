#include "config/ConfigViews.h"

#include "app/ViewFactory.h"
#include "config/CNetworkSettingDlg.h"
#include "config/CSingleVLSettingForm.h"

void RegisterConfigViews()
{
    RegisterViewClass(QStringLiteral("CNetworkSettingDlg"),
                      [](QWidget* parent) -> QWidget* { return new CNetworkSettingDlg(parent); });
    RegisterViewClass(QStringLiteral("CSingleVLSettingForm"),
                      [](QWidget* parent) -> QWidget* { return new CSingleVLSettingForm(parent); });
}
