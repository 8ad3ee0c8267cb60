#pragma once

#include <QDialog>

// "About Wardenfold": the program's version and the date its program file was made.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(const QString& dateStamp, QWidget* parent = nullptr);
};
