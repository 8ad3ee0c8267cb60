#pragma once

#include <QDialog>

class QRadioButton;

// Shown at start-up when no usable installation is found: open an existing
// installation or create a new one.
class COpenInstallationDlg : public QDialog
{
    Q_OBJECT

public:
    struct OpenRequest
    {
        int open = 1; // 1 open the file at path, 0 create a new installation
        QString path;
    };
    static constexpr const char* kNewInstallationPath = "dlgFile";

    explicit COpenInstallationDlg(QWidget* parent = nullptr);

    const OpenRequest& Request() const { return m_request; }
    QRadioButton* NewChoice() const { return m_new; }

public slots:
    void accept() override;

private:
    QRadioButton* m_open = nullptr;
    QRadioButton* m_new = nullptr;
    OpenRequest m_request;
};
