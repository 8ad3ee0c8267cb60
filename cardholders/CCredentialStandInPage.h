#pragma once

#include "cardholders/ICredentialPage.h"

#include <QWidget>

// A credential page still to come: it hands the cardholder's flag back as it
// was loaded, so a save never clears it.
class CCredentialStandInPage : public QWidget, public ICredentialPage
{
    Q_OBJECT
public:
    CCredentialStandInPage(const QString& title, QWidget* parent = nullptr);

    void SetUserID(std::int32_t) override {}
    bool HasCredentials() const override { return m_bHasCredentials; }
    void SetHasCredentials(bool has) override { m_bHasCredentials = has; }
    void Reload() override {}

private:
    bool m_bHasCredentials = false;
};
