#pragma once

#include <QDialog>

// "About Wardenfold": the program's version and the date its program file was made.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    CAboutDlg(const QString& dateStamp, bool hideDateStamp, QWidget* parent = nullptr);
};
