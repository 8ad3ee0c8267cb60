#pragma once

#include <QWidget>

class QRadioButton;

// The Printer page of the Setup sheet: the report font. m_nCourierFont is 1
// for "Courier New" and 0 for "Times New Roman".
class CTabWfPrint : public QWidget
{
    Q_OBJECT

public:
    explicit CTabWfPrint(QWidget* parent = nullptr);

    void UpdateData(bool save);
    // Runs once, when the page is first shown, after the sheet filled the
    // members. Shows the flag and enables the buttons by the operator's rights.
    void OnInitDialog();

    QRadioButton* CourierButton() const { return m_courier; }
    QRadioButton* TimesButton() const { return m_times; }

    int m_nCourierFont = 1;

public slots:
    void OnCourierNew();
    void OnTimesNewRoman();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnFontClicked(QRadioButton* clicked, QRadioButton* other, int flagWhenChecked);

    bool m_bInitialized = false;
    QRadioButton* m_courier = nullptr;
    QRadioButton* m_times = nullptr;
};
