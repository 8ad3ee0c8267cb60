#include "database/BlockSearch.h"

#include <QCursor>
#include <QGuiApplication>

namespace
{
class WaitCursor
{
public:
    WaitCursor()
        : m_shown(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown;
};
} // namespace

void OpenOrRequery(Recordset& set)
{
    const WaitCursor wait;
    if (set.IsOpen())
        set.Requery();
    else
        set.Open();
}
