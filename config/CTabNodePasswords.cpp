#include "config/CTabNodePasswords.h"

#include "app/CWFDoc.h"
#include "common/SharedHelpers.h"
#include "config/NodeSetupLayout.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr const char* kPasswordMask = "999999";

QLineEdit* PasswordField(const QString& text, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setInputMask(QString::fromLatin1(kPasswordMask));
    field->setText(text);
    return field;
}

} // namespace

CTabNodePasswords::CTabNodePasswords(CWFDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("CTabNodePasswords"));
    const NodePasswordValues values = NodePasswordValues::Load(doc);
    m_master = values.master;
    const bool mayChange = OperatorHasPrivilege(NodeSetupLayout::kConfigurePrivilege);
    auto* group = new QGroupBox(QStringLiteral("Passwords"), this);
    auto* form = new QFormLayout(group);
    m_remote = PasswordField(values.remote, this);
    m_remote->setEnabled(m_master && mayChange);
    form->addRow(QStringLiteral("Remote Access:"), m_remote);
    m_priority = PasswordField(values.priority, this);
    m_priority->setEnabled(mayChange);
    form->addRow(QStringLiteral("Priority Access:"), m_priority);
    m_note = new QLabel(QStringLiteral("Note: Passwords must be set in the Master node."), this);
    m_note->setVisible(!m_master);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_note);
    layout->addStretch();
}

void CTabNodePasswords::Store()
{
    NodePasswordValues values;
    values.master = m_master;
    values.remote = m_remote->text();
    values.priority = m_priority->text();
    values.Store(m_doc.m_controllerMemory);
}
