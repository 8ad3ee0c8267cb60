#include "linkforms/CDlgPutFlashFailed.h"

#include "database/DatabaseErrors.h"
#include "database/GlobalRecordsets.h"
#include "link/NodeAddress.h"
#include "platform/DatabaseException.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CDlgPutFlashFailed::CDlgPutFlashFailed(std::uint8_t address, QWidget* parent) : QDialog(parent)
{
    const NetNode at = SplitNodeAddress(address);
    setWindowTitle(tr("Error updating database..."));
    try {
        if (g_setVLNetworks.IsOpen()
            && g_setVLNetworks.FindFirst(QStringLiteral("Net = %1 AND Active = TRUE").arg(at.network)))
            setWindowTitle(QStringLiteral("Error updating database ") + g_setVLNetworks.GetNetLabel(0)
                           + QStringLiteral("..."));
    } catch (const DatabaseException& error) {
        ShowDatabaseError(error);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Communication error caused Database Update packet to be discarded."), this));
    layout->addWidget(new QLabel(tr("Controller's database is incomplete, please reprogram the controller."), this));
    auto* nodeRow = new QHBoxLayout;
    m_node = new QLabel(QString::number(at.node), this);
    m_node->setObjectName(QString::number(IdNode));
    nodeRow->addWidget(new QLabel(tr("Node Id:"), this));
    nodeRow->addWidget(m_node, 1);
    layout->addLayout(nodeRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

QString CDlgPutFlashFailed::NodeText() const
{
    return m_node->text();
}
