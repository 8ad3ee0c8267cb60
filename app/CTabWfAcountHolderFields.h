#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QLineEdit;

// The Account Holder Fields page of the Setup sheet: the labels of the
// cardholders' four custom fields. The sheet fills m_strLabels before
// showing the page and reads them after OK.
class CTabWfAcountHolderFields : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kFieldCount = 4;
    static constexpr int kMaxLabelLength = 24;

    explicit CTabWfAcountHolderFields(QWidget* parent = nullptr);

    // Copies the members into the edits (save false) or back (save true).
    void UpdateData(bool save);
    // Runs once, when the page is first shown, after the sheet filled the
    // members. Shows the members and enables the edits by the operator's rights.
    void OnInitDialog();

    QLineEdit* LabelEdit(int field) const { return m_edits.at(std::size_t(field)); }

    std::array<QString, kFieldCount> m_strLabels;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_bInitialized = false;
    std::array<QLineEdit*, kFieldCount> m_edits{};
};
