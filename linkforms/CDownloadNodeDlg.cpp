#include "linkforms/CDownloadNodeDlg.h"

#include "common/Formatting.h"
#include "common/SharedHelpers.h"
#include "link/NodeAddress.h"
#include "linkforms/INodeCommandHost.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kTemplateCaption = "Downloading Node...";
const char* const kTemplateStatus = "Looking for node...";
} // namespace

CDownloadNodeDlg::CDownloadNodeDlg(CNetCommandQueue& queue, INodeCommandHost& host, QString folder, int net, int node,
                                   QWidget* parent)
    : QDialog(parent), m_downloader(queue, [&host] { host.ServiceQueue(); }, std::move(folder), net, node),
      m_nodeName(FormatNodeName(MakeNodeAddress(static_cast<std::uint8_t>(net), static_cast<std::uint8_t>(node)))),
      m_status(new QLabel(QString::fromLatin1(kTemplateStatus), this)), m_progress(new QProgressBar(this))
{
    setWindowTitle(QString::fromLatin1(kTemplateCaption));
    m_progress->setTextVisible(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* skip = buttons->addButton(QStringLiteral("Skip This Class >>"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDownloadNodeDlg::reject);
    connect(skip, &QPushButton::clicked, &m_downloader, &NodeDownloader::SkipClass);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(&m_downloader, &NodeDownloader::statusChanged, m_status, &QLabel::setText);
    connect(&m_downloader, &NodeDownloader::progressChanged, this, [this](int position, int maximum) {
        m_progress->setRange(0, maximum);
        m_progress->setValue(position);
    });
    connect(&m_downloader, &NodeDownloader::finished, this, &CDownloadNodeDlg::OnFinished);
}

int CDownloadNodeDlg::DoModal()
{
    m_status->clear();
    if (RequireConnection(true)) {
        setWindowTitle(QStringLiteral("Downloading node ") + m_nodeName);
        m_downloader.Start();
    }
    // A download can end before the window shows (a read that cannot be queued).
    return m_result ? m_result : exec();
}

void CDownloadNodeDlg::reject()
{
    m_cancelled = true;
    m_downloader.Stop();
    OnFinished(IDCANCEL);
}

void CDownloadNodeDlg::OnFinished(int result)
{
    m_result = result;
    done(result);
}
