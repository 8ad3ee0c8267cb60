#pragma once

#include <QDialog>

class COperatorStore;
class QLineEdit;
class QListWidget;

// The start-up login: pick an operator, enter the password. Ends by itself
// with OK when no administrator is among the operators offered.
class CLoginDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kMaxPasswordLength = 25;

    explicit CLoginDlg(COperatorStore& loggedIn, QWidget* parent = nullptr);

    int exec() override;
    // The administrator flag of the operator who logged in.
    int IsAdministrator() const { return m_bAdministrator; }

    QListWidget* OperatorList() const { return m_operators; }
    QLineEdit* PasswordEdit() const { return m_password; }

public slots:
    void accept() override;

private:
    void FillOperatorList();

    COperatorStore& m_loggedIn;
    QListWidget* m_operators = nullptr;
    QLineEdit* m_password = nullptr;
    bool m_bSkipLogin = false;
    int m_bAdministrator = 0;
};
