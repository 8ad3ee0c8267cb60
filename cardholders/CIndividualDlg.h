#pragma once

#include "cardholders/CredentialKind.h"

#include <QDialog>

#include <memory>

class CWFDoc;
class FacilityCodeCheckList;
class QLineEdit;

// Asks for one individual number of a kind and enrols it on OK; a refused
// number keeps the dialog open with nothing written.
class CIndividualDlg : public QDialog
{
    Q_OBJECT
public:
    CIndividualDlg(CredentialKind kind, CWFDoc* doc, QWidget* parent = nullptr);

    // The card or transmitter dialog of the kind.
    static std::unique_ptr<CIndividualDlg> Make(CredentialKind kind, CWFDoc* doc, QWidget* parent);

    void accept() override;
    // The number enrolled, after OK.
    double Number() const { return m_dNumber; }

    QLineEdit* NumberEdit() const { return m_number; }
    FacilityCodeCheckList* FacilityCodes() const { return m_facilityCodes; }

private:
    CredentialKind m_kind;
    double m_dNumber = 1.0;
    QLineEdit* m_number = nullptr;
    FacilityCodeCheckList* m_facilityCodes = nullptr;
};
