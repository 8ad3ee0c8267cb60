#pragma once

#include "app/CDstNoticeDlg.h"

// After a daylight-saving change while connected: the new time has gone to the networks.
class CDlgDstTimeSent : public CDstNoticeDlg
{
    Q_OBJECT
public:
    explicit CDlgDstTimeSent(QWidget* parent = nullptr);
};
