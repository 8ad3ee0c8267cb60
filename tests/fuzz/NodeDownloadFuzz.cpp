#include "image/DownloadBanks.h"
#include "image/NodeHtmlView.h"
#include "image/NodeViewSections.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>

#include <algorithm>
#include <cstddef>
#include <cstdint>

// A node's memory as a download leaves it in its folder, one file per bank,
// turned into the node's view. The input is a run of chunks: a bank byte,
// a 16-bit big-endian length and that many bytes appended to the bank's file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString folder = [] {
        const QString path = FuzzSandbox::Get().Path(QStringLiteral("Download/A1"));
        QDir().mkpath(path);
        return path + QLatin1Char('/');
    }();
    static const QDateTime now(QDate(2026, 3, 29), QTime(1, 30), QTimeZone::utc());

    QByteArray files[DownloadBanks::kCount];
    bool present[DownloadBanks::kCount] = {};
    std::size_t at = 0;
    while (at + 3 <= size) {
        const int bank = data[at] % DownloadBanks::kCount;
        const std::size_t length = std::min<std::size_t>(data[at + 1] << 8 | data[at + 2], size - at - 3);
        files[bank] += FuzzSandbox::Bytes(data + at + 3, length);
        present[bank] = true;
        at += 3 + length;
    }
    for (int bank = 0; bank < DownloadBanks::kCount; ++bank) {
        const QString path = folder + DownloadBanks::FileName(bank);
        if (present[bank])
            FuzzSandbox::WriteFile(path, files[bank]);
        else
            QFile::remove(path);
    }
    const int major = size > 0 ? data[0] >> 4 : 1;
    const int minor = size > 1 ? data[1] : 32;
    NodeViewSources sources(folder, major, minor, now);
    NodeHtmlView::DataScript(sources);
    return 0;
}
