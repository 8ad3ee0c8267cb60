#pragma once

#include <QDialog>
#include <QStringList>

// A modeless notice after a daylight-saving change: the warning icon, its
// lines of text and OK. It deletes itself when closed.
class CDstNoticeDlg : public QDialog
{
    Q_OBJECT
public:
    QStringList Lines() const { return m_lines; }

protected:
    CDstNoticeDlg(const QString& title, const QStringList& lines, QWidget* parent);

private:
    QStringList m_lines;
};
