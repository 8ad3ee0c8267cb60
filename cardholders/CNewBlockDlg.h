#pragma once

#include "cardholders/CredentialKind.h"

#include <QDialog>

class CWFDoc;
class FacilityCodeCheckList;
class QLineEdit;

// Asks for a new block range of one kind and makes it on OK; a refused
// range keeps the dialog open with nothing written.
class CNewBlockDlg : public QDialog
{
    Q_OBJECT
public:
    CNewBlockDlg(CredentialKind kind, CWFDoc* doc, QWidget* parent = nullptr);

    void accept() override;

    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* StartEdit() const { return m_start; }
    QLineEdit* EndEdit() const { return m_end; }
    FacilityCodeCheckList* FacilityCodes() const { return m_facilityCodes; }

private:
    CredentialKind m_kind;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_start = nullptr;
    QLineEdit* m_end = nullptr;
    FacilityCodeCheckList* m_facilityCodes = nullptr;
};
