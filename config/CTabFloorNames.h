#pragma once

#include <QWidget>

class QPushButton;
class QTreeWidget;

// The installation's floors by name. The page writes the floor-names table
// itself, at once: the editor's Apply does not store it.
class CTabFloorNames : public QWidget
{
    Q_OBJECT
public:
    explicit CTabFloorNames(QWidget* parent = nullptr);

    void FillList();
    void OnAdd();
    void OnEdit();
    void OnDelete();

    QTreeWidget* List() const { return m_list; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }

signals:
    // A floor was added, renamed or deleted.
    void FloorsChanged();

private:
    // The Index of the selected floor; -1 when none is selected.
    int SelectedIndex() const;

    QTreeWidget* m_list = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_add = nullptr;
};
