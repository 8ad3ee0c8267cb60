#pragma once

#include <QFont>
#include <QString>

class CWFDoc;
class QPagedPaintDevice;
class QPainter;

// Prints the installation's settings listing page by page: two header lines
// and a rule, then the text line by line on the pages the page table gives,
// headings underlined.
class ListingPrinter
{
public:
    // What one step of the body did.
    enum Step { kPageEnded = 5, kTextEnded = 7, kLinePrinted = 8 };

    ListingPrinter(CWFDoc& doc, const QString& fontFace);

    // Prints every page; date is the header's time text. False when the
    // device could not be painted on.
    bool Print(QPagedPaintDevice& device, const QString& date);

    // The job's fonts at the device's resolution; Print makes them itself.
    void MakeFonts(int dotsPerInch);
    // One body step on page at the painter's current top.
    Step PrintNextLine(QPainter& painter, int page, int& top);
    int PageOffset() const { return m_nPageOffset; }

    // The header's time: "%m/%d/%y %I:%M %p" of now.
    static QString HeaderDate();

private:
    void PrintPageHeader(QPainter& painter, int page, const QString& date, int width, int& top);
    // False when the text ended on this page.
    bool PrintPageBody(QPainter& painter, int page, int top);

    CWFDoc& m_doc;
    QString m_fontFace;
    QFont m_printFont;
    QFont m_underlineFont;
    int m_nPageOffset = 0;
};
