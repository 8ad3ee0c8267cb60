#pragma once

#include "cardholders/CNewBlockDlg.h"

// A new block of transmitter numbers.
class CNewXmtrBlockDlg : public CNewBlockDlg
{
public:
    explicit CNewXmtrBlockDlg(CWFDoc* doc, QWidget* parent = nullptr)
        : CNewBlockDlg(CredentialKind::Transmitter, doc, parent)
    {
    }
};
