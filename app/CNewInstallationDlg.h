#pragma once

#include <QDialog>

class QLineEdit;

// Asks the name of a new installation, which becomes its folder in parentFolder.
class CNewInstallationDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CNewInstallationDlg(const QString& parentFolder, QWidget* parent = nullptr);

    QString GetName() const;
    QLineEdit* NameEdit() const { return m_name; }

public slots:
    void accept() override;

private:
    void OnTextEdited(const QString& text);

    QString m_strParentFolder;
    QLineEdit* m_name = nullptr;
    QString m_lastGoodText;
};
