#include "linkforms/CDlgConnecting.h"

#include "app/TitleWidth.h"
#include "database/GlobalRecordsets.h"
#include "link/CCommLink.h"
#include "link/CConnectAttempt.h"
#include "link/LinkState.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CDlgConnecting::CDlgConnecting(CConnectAttempt& attempt, CCommLink& link, QWidget* parent)
    : QDialog(parent), m_attempt(&attempt)
{
    Q_UNUSED(link);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);
    const int net = attempt.Network();
    const QString label = g_setVLNetworks.IsOpen() ? g_setVLNetworks.GetNetLabel(net) : QString();
    setWindowTitle(QStringLiteral("Connecting to ") + label + QStringLiteral("..."));

    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QString::number(IdStatusList));
    // A long line (which port did not open, and why) wraps instead of hiding its end.
    m_list->setWordWrap(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->addItems(attempt.Lines());
    layout->addWidget(m_list);

    auto* timeRow = new QHBoxLayout;
    m_seconds = new QLabel(QString::number(attempt.Seconds()), this);
    m_seconds->setObjectName(QString::number(IdSeconds));
    timeRow->addWidget(new QLabel(tr("Connection time:"), this));
    timeRow->addWidget(m_seconds);
    layout->addLayout(timeRow);

    m_retry = new QWidget(this);
    auto* retryRow = new QHBoxLayout(m_retry);
    retryRow->setContentsMargins(0, 0, 0, 0);
    auto* retry = new QLabel(QString::number(RedialCount).left(1), m_retry);
    retry->setObjectName(QString::number(IdRetry));
    auto* limit = new QLabel(QString::number(kRetryLimit), m_retry);
    limit->setObjectName(QString::number(IdRetryLimit));
    retryRow->addWidget(new QLabel(tr("Retry count:"), m_retry));
    retryRow->addWidget(retry);
    retryRow->addWidget(new QLabel(tr("of"), m_retry));
    retryRow->addWidget(limit);
    m_retry->setVisible(RedialCount >= 1);
    layout->addWidget(m_retry);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgConnecting::reject);
    connect(&attempt, &CConnectAttempt::lineAdded, m_list, [this](const QString& line) { m_list->addItem(line); });
    connect(&attempt, &CConnectAttempt::connectionTimeChanged, m_seconds, &QLabel::setText);
    WidenToTitle(this);
}

QStringList CDlgConnecting::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_list->count(); ++i)
        lines << m_list->item(i)->text();
    return lines;
}

QString CDlgConnecting::SecondsText() const
{
    return m_seconds->text();
}

bool CDlgConnecting::RetryShown() const
{
    return !m_retry->isHidden();
}

void CDlgConnecting::reject()
{
    // Cancel and the window's close both end the attempt; the form deletes
    // the dialog when the attempt has ended.
    if (m_attempt)
        m_attempt->Cancel();
    hide();
}
