#pragma once

#include "app/CDstNoticeDlg.h"

// After a daylight-saving change while not connected: the new time waits for the connection.
class CDlgDstPleaseConnect : public CDstNoticeDlg
{
    Q_OBJECT
public:
    explicit CDlgDstPleaseConnect(QWidget* parent = nullptr);
};
