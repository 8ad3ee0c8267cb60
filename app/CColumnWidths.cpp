#include "app/CColumnWidths.h"

#include "platform/ProgramFolder.h"

#include <QDir>

#include <array>

namespace {

constexpr int kDigitsPerWidth = 4;
constexpr int kMaxWidth = 9999;
constexpr int kUnusedColumns = 15;

constexpr std::array kDefaultWidths = {65,  80,  72,  100, 115, 114, 81,  124, 104, 123, 127, 109,
                                       93,  118, 90,  91,  131, 51,  86,  90,  121, 162, 85,  101,
                                       84,  121, 118, 53,  163, 156, 117, 103, 80,  229, 121, 100,
                                       112, 190, 136, 91,  89,  189, 120, 110, 170, 113, 210};

} // namespace

CColumnWidths::CColumnWidths()
    : m_eventStartSearchDate(QStringLiteral("01/01/2004")),
      m_eventStopSearchDate(QStringLiteral("01/01/2004")),
      m_columnWidths(DefaultColumnWidths()),
      // The stored defaults name Windows folders; ours live in the program folder.
      m_installationsFolder(QDir(ProgramFolder()).filePath(QStringLiteral("Installations"))),
      m_backupsFolder(QDir(ProgramFolder()).filePath(QStringLiteral("Backups"))),
      m_selectedVestrels(1),
      m_disconnectAfterUpload(0),
      m_allDatesChecked(1),
      m_display20Characters(1),
      m_backupWarning(1),
      m_hideStartupDialog(0),
      m_selectedEvents(0),
      m_selectedModem(-1),
      m_databaseVersion(4),
      m_programVersion(1),
      m_monitoredEvents(-1),
      m_firstLaunch(1),
      m_splitterPanePos(360),
      m_printerFont(QStringLiteral("Courier New"))
{
}

QString CColumnWidths::DefaultColumnWidths()
{
    QString text;
    for (int width : kDefaultWidths)
        text += QStringLiteral("%1").arg(width, kDigitsPerWidth, 10, QLatin1Char('0'));
    text += QString(kUnusedColumns * kDigitsPerWidth + 1, QLatin1Char('0'));
    return text;
}

int CColumnWidths::GetWidth(int column) const
{
    if (column < 0 || (column + 1) * kDigitsPerWidth > m_columnWidths.size())
        return 0;
    int width = 0;
    for (QChar c : m_columnWidths.mid(column * kDigitsPerWidth, kDigitsPerWidth))
        width = width * 10 + (c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : 0);
    return width;
}

void CColumnWidths::SetWidth(int column, int width)
{
    if (column < 0 || (column + 1) * kDigitsPerWidth > m_columnWidths.size())
        return;
    width = std::clamp(width, 0, kMaxWidth);
    m_columnWidths.replace(column * kDigitsPerWidth, kDigitsPerWidth,
                           QStringLiteral("%1").arg(width, kDigitsPerWidth, 10, QLatin1Char('0')));
}
