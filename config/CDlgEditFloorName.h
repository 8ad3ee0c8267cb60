#pragma once

#include <QDialog>

class QLineEdit;

// The name of a floor, for a new floor (mode 0) or a renamed one.
class CDlgEditFloorName : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kAddMode = 0;
    static constexpr int kEditMode = 1;

    CDlgEditFloorName(int mode, QWidget* parent = nullptr);

    void SetName(const QString& name);
    QString Name() const;
    QLineEdit* NameEdit() const { return m_name; }

    // Refuses an empty name and stays open.
    void accept() override;

private:
    QLineEdit* m_name = nullptr;
};
