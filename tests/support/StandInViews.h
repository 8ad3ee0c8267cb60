#pragma once

#include "app/CPaneView.h"
#include "app/ViewFactory.h"

#include <QString>

// The main window switches to views of every subsystem; a test of one
// subsystem stands in an empty view for each one it does not register itself.
// Call after registering the real views the test needs.
inline void RegisterStandInViews()
{
    static const char* const kViewClasses[] = {
        "CCommControlForm", "CRPNetworkStatusForm", "CMenuMonitorDlg", "CMonitorForm",   "CMenuMedias",
        "CMenuUsers",       "CMenuEventLog",        "CMenuReports",    "CNetworkSettingDlg",
    };
    for (const char* name : kViewClasses) {
        const QString className = QString::fromLatin1(name);
        if (!IsViewClassRegistered(className))
            RegisterViewClass(className, [](QWidget* parent) -> QWidget* { return new CPaneView(parent); });
    }
}
