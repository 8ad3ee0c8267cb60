#pragma once

#include "cardholders/CIndividualDlg.h"

// One individual transmitter number.
class CIndividualXmtrDlg : public CIndividualDlg
{
public:
    explicit CIndividualXmtrDlg(CWFDoc* doc, QWidget* parent = nullptr)
        : CIndividualDlg(CredentialKind::Transmitter, doc, parent)
    {
    }
};
