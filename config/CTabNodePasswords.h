#pragma once

#include "config/INetworkSettingsPage.h"
#include "config/NodePasswordValues.h"

#include <QWidget>

class CWFDoc;
class QLabel;
class QLineEdit;

// The Passwords page of node setup: six-digit fields; only node 1 sets its
// network's remote-access password.
class CTabNodePasswords : public QWidget, public INetworkSettingsPage
{
    Q_OBJECT
public:
    CTabNodePasswords(CWFDoc& doc, QWidget* parent = nullptr);

    void Store() override;

    QLineEdit* RemoteField() const { return m_remote; }
    QLineEdit* PriorityField() const { return m_priority; }
    QLabel* Note() const { return m_note; }

private:
    CWFDoc& m_doc;
    bool m_master = false;
    QLineEdit* m_remote = nullptr;
    QLineEdit* m_priority = nullptr;
    QLabel* m_note = nullptr;
};
