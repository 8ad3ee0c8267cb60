#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

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
    // device could not be painted on. Every character reaches the page: the
    // print size is the largest, at most 10 points, at which the widest line
    // and a full page fit; below 6 points the page is turned to landscape for
    // this job.
    bool Print(QPagedPaintDevice& device, const QString& date);

    // The job's fonts at the device's resolution, 10 points; Print makes
    // them itself.
    void MakeFonts(int dotsPerInch);
    // The fonts at the largest size at which the listing fits the device as
    // it is turned now; false when that is below 6 points.
    bool FitFonts(const QPaintDevice& device, const QString& date);
    const QFont& PrintFont() const { return m_printFont; }
    // One body step on page at the painter's current top.
    Step PrintNextLine(QPainter& painter, int page, int& top);
    int PageOffset() const { return m_nPageOffset; }

    // The header's time: "%m/%d/%y %I:%M %p" of now.
    static QString HeaderDate();

private:
    void SetPixelSize(int pixels);
    bool Fits(const QPaintDevice& device, const QStringList& lines) const;
    QString HeaderLine(const QString& date) const;
    static QString PageLine(int page);
    void PrintPageHeader(QPainter& painter, int page, const QString& date, int width, int& top);
    // False when the text ended on this page.
    bool PrintPageBody(QPainter& painter, int page, int top);

    CWFDoc& m_doc;
    QString m_fontFace;
    QFont m_printFont;
    QFont m_underlineFont;
    int m_nPageOffset = 0;
};
