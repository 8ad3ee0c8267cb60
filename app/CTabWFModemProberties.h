#pragma once

#include "database/ModemLineList.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

// The Dialing page of the Setup sheet: the modem line that the link dials
// with. m_nLineDevice is the line's device identifier, kNoModemLine for none;
// the sheet fills it before showing the page and reads it after OK.
class CTabWFModemProberties : public QWidget
{
    Q_OBJECT

public:
    explicit CTabWFModemProberties(QWidget* parent = nullptr);

    // Runs once, when the page is first shown: lists the lines, shows the
    // selected line's icon and enables the controls by the operator's rights.
    void OnInitDialog();
    // Takes the selected entry's device as the page's line.
    void UpdateData(bool save);
    bool FillLineList();

    QComboBox* LineList() const { return m_lines; }
    QPushButton* DialingPropertiesButton() const { return m_properties; }

    int m_nLineDevice = kNoModemLine;

public slots:
    void OnSelectionChanged(int index);
    void OnDialingProperties();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowLineIcon();

    bool m_bInitialized = false;
    bool m_bFilling = false;
    QComboBox* m_lines = nullptr;
    QLabel* m_icon = nullptr;
    QPushButton* m_properties = nullptr;
};
