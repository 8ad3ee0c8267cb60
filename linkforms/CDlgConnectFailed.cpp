#include "linkforms/CDlgConnectFailed.h"

#include "link/LinkConnection.h"
#include "link/LinkTiming.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kCountdownChars = 2;
} // namespace

CDlgConnectFailed::CDlgConnectFailed(QChar network, int reason, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Network Connection Failed"));
    auto* layout = new QVBoxLayout(this);
    auto* failureRow = new QHBoxLayout;
    auto* letter = new QLabel(QString(network), this);
    letter->setObjectName(QString::number(IdNetwork));
    m_failure = new QLabel(FailureText(reason), this);
    m_failure->setObjectName(QString::number(IdFailure));
    failureRow->addWidget(new QLabel(tr("Network"), this));
    failureRow->addWidget(letter);
    failureRow->addWidget(m_failure, 1);
    layout->addLayout(failureRow);
    auto* countdownRow = new QHBoxLayout;
    m_countdownText = new QLabel(QString::number(m_countdown).left(kCountdownChars), this);
    m_countdownText->setObjectName(QString::number(IdCountdown));
    countdownRow->addWidget(new QLabel(tr("Redialing in"), this));
    countdownRow->addWidget(m_countdownText);
    countdownRow->addWidget(new QLabel(tr("seconds"), this), 1);
    layout->addLayout(countdownRow);
    auto* buttons = new QHBoxLayout;
    auto* retry = new QPushButton(tr("Retry"), this);
    retry->setObjectName(QString::number(kRetry));
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QString::number(kGiveUp));
    buttons->addStretch();
    buttons->addWidget(retry);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(retry, &QPushButton::clicked, this, &CDlgConnectFailed::OnRetry);
    connect(cancel, &QPushButton::clicked, this, &CDlgConnectFailed::OnCancel);
    connect(&m_timer, &QTimer::timeout, this, &CDlgConnectFailed::Tick);
    m_timer.start(LinkTiming::Ms(kTickMs));
}

QString CDlgConnectFailed::FailureText(int reason)
{
    switch (reason) {
    case ConnectFail::kBusy:
        return QStringLiteral("is busy.");
    case ConnectFail::kNoAnswer:
        return QStringLiteral("-- No Answer");
    case ConnectFail::kNoDialTone:
        return QStringLiteral("-- No Dial Tone");
    case ConnectFail::kTimeOut:
        return QStringLiteral("-- Connection Timeout");
    default:
        return QString();
    }
}

QString CDlgConnectFailed::CountdownText() const
{
    return m_countdownText->text();
}

QString CDlgConnectFailed::FailureLine() const
{
    return m_failure->text();
}

void CDlgConnectFailed::Tick()
{
    --m_countdown;
    m_countdownText->setText(QString::number(m_countdown).left(kCountdownChars));
    if (m_countdown > 0)
        return;
    m_timer.stop();
    QTimer::singleShot(LinkTiming::Ms(kClosePauseMs), this, [this] { End(kRetry); });
}

void CDlgConnectFailed::End(int result)
{
    m_timer.stop();
    if (isVisible())
        done(result);
    else
        setResult(result);
}

void CDlgConnectFailed::OnRetry()
{
    End(kRetry);
}

void CDlgConnectFailed::reject()
{
    OnCancel();
}

void CDlgConnectFailed::OnCancel()
{
    End(kGiveUp);
}

void CDlgConnectFailed::closeEvent(QCloseEvent* event)
{
    // Closing the window is a retry, as the countdown's own close is.
    End(kRetry);
    event->accept();
}
