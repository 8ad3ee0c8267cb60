#pragma once

#include "cardholders/CNewBlockDlg.h"

// A new block of card numbers.
class CNewCardBlockDlg : public CNewBlockDlg
{
public:
    explicit CNewCardBlockDlg(CWFDoc* doc, QWidget* parent = nullptr) : CNewBlockDlg(CredentialKind::Card, doc, parent) {}
};
