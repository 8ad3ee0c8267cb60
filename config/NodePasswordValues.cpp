#include "config/NodePasswordValues.h"

#include "app/CWFDoc.h"
#include "image/NetworkPasswords.h"
#include "image/VLMemoryLayout.h"

#include <algorithm>

namespace {

// Shown for another node while its network has no entry yet.
constexpr const char* kUnsetNetworkPassword = "418275";

QString WithoutLeadingNuls(const RemotePassword& bytes)
{
    const char* text = reinterpret_cast<const char*>(bytes.data());
    int skip = 0;
    while (skip < static_cast<int>(bytes.size()) && text[skip] == 0)
        ++skip;
    return QString::fromLatin1(text + skip, static_cast<int>(bytes.size()) - skip);
}

} // namespace

NodePasswordValues NodePasswordValues::Load(CWFDoc& doc)
{
    NodePasswordValues values;
    std::uint8_t node = 0;
    std::uint8_t net = 0;
    doc.ControllerNodeAddress(node);
    doc.ControllerNetAddress(net);
    CVLControllerMemory& image = doc.m_controllerMemory;
    image.ExchangePriorityPassword(values.priority, 1);
    values.master = node == kMasterNode;
    if (values.master) {
        image.ExchangeRemotePassword(values.remote, 1);
        return values;
    }
    const std::optional<RemotePassword> entry = NetworkPasswords::Remote(net);
    values.remote = entry ? WithoutLeadingNuls(*entry) : QString();
    if (values.remote.isEmpty())
        values.remote = QString::fromLatin1(kUnsetNetworkPassword);
    return values;
}

bool NodePasswordValues::Store(CVLControllerMemory& image) const
{
    bool stored = true;
    if (master) {
        QString text = remote;
        stored = image.ExchangeRemotePassword(text, 0);
    }
    QString text = priority;
    return image.ExchangePriorityPassword(text, 0) && stored;
}

void ShareSavedPasswords(const CVLControllerMemory& image, int net, int node)
{
    if (node != kMasterNode)
        return;
    RemotePassword remote{};
    PriorityPassword priority{};
    const auto& bytes = image.Image();
    std::copy_n(bytes.begin() + VLLayout::kRemotePassword, remote.size(), remote.begin());
    std::copy_n(bytes.begin() + VLLayout::kPriorityPassword, priority.size(), priority.begin());
    NetworkPasswords::Store(net, remote, priority);
}
