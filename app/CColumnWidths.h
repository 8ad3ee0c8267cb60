#pragma once

#include <QString>

// The application's settings record: the profile values it reads at start-up
// and writes at exit, in their stored order.
class CColumnWidths
{
public:
    CColumnWidths();

    // Report column widths: column i at characters 4i to 4i+3 of m_columnWidths,
    // four decimal digits. An index outside the text reads 0 and writes nothing;
    // a width is clamped to 0-9999.
    int GetWidth(int column) const;
    void SetWidth(int column, int width);

    static QString DefaultColumnWidths();

    QString m_eventStartSearchDate;
    QString m_eventStopSearchDate;
    QString m_columnWidths;
    QString m_installationsFolder;
    QString m_backupsFolder;
    int m_selectedVestrels;
    int m_disconnectAfterUpload;
    int m_allDatesChecked;
    int m_display20Characters;
    int m_backupWarning;
    int m_hideStartupDialog;
    int m_selectedEvents;
    int m_selectedModem;
    int m_databaseVersion;
    int m_programVersion;
    int m_monitoredEvents;
    int m_firstLaunch;
    int m_splitterPanePos;
    QString m_printerFont;
};
