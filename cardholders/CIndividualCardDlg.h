#pragma once

#include "cardholders/CIndividualDlg.h"

// One individual card number.
class CIndividualCardDlg : public CIndividualDlg
{
public:
    explicit CIndividualCardDlg(CWFDoc* doc, QWidget* parent = nullptr) : CIndividualDlg(CredentialKind::Card, doc, parent)
    {
    }
};
