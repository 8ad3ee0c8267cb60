#pragma once

#include <QDialog>

class CColumnWidths;
class CTabWfAcountHolderFields;
class CTabWFModemProberties;
class CTabWFOperators;
class CTabWfPrint;
class CWFDoc;
class QTabWidget;

// The "Wardix Setup" sheet: its pages by the operator's rights, filled from
// the application's settings and the document before it shows, written back
// by Apply after OK.
class CWFSetupSheet : public QDialog
{
    Q_OBJECT

public:
    // loggedInSlot: the operator logged in, for the Operators page.
    CWFSetupSheet(CWFDoc& doc, CColumnWidths& settings, int loggedInSlot, QWidget* parent = nullptr);

    // The sheet's OK: the pages' values go back to the application and the document.
    void Apply();

    QTabWidget* Pages() const { return m_pages; }
    CTabWfAcountHolderFields* LabelsPage() const { return m_labels; }
    CTabWfPrint* PrintPage() const { return m_print; }
    CTabWFModemProberties* DialingPage() const { return m_dialing; }

private:
    CWFDoc& m_doc;
    CColumnWidths& m_settings;
    QTabWidget* m_pages = nullptr;
    CTabWFOperators* m_operators = nullptr;
    CTabWFModemProberties* m_dialing = nullptr;
    CTabWfAcountHolderFields* m_labels = nullptr;
    CTabWfPrint* m_print = nullptr;
};
