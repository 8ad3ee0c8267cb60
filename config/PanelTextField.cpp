#include "config/PanelTextField.h"

#include "common/PanelText.h"

#include <QLineEdit>
#include <QTabWidget>

bool CheckPanelTextField(const QString& name, QLineEdit* field)
{
    // Only what the operator typed is refused: a name stored before the check
    // must not block every other edit of its page.
    if (!field->isModified() || CheckPanelText(name, field->text()))
        return true;
    // The field may sit on a page not shown: a tab's page sits in the tab widget's stack.
    for (QWidget* page = field; page && page->parentWidget(); page = page->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget()); tabs && tabs->indexOf(page) >= 0)
            tabs->setCurrentWidget(page);
    }
    field->setFocus();
    field->selectAll();
    return false;
}
