#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QTableWidget;

// The modem lines the program dials with and the location it dials from.
// Stands where the telephony service's dialing properties and modem control
// panel stood; OK stores both in the profile.
class CModemLinesDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CModemLinesDlg(QWidget* parent = nullptr);

    QTableWidget* Lines() const { return m_lines; }
    QComboBox* CountryList() const { return m_country; }
    QLineEdit* AreaCode() const { return m_areaCode; }

    void accept() override;

public slots:
    void OnAddLine();
    void OnRemoveLine();

private:
    void Load();
    void Save() const;
    void AddRow(int id, const QString& device, const QString& name);

    QTableWidget* m_lines = nullptr;
    QComboBox* m_country = nullptr;
    QLineEdit* m_areaCode = nullptr;
    QLineEdit* m_outsideLine = nullptr;
    QLineEdit* m_longDistance = nullptr;
    QLineEdit* m_international = nullptr;
};
