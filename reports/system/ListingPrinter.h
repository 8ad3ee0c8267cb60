#pragma once

#include <QFont>
#include <QPageLayout>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

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

    // How one page goes onto the paper: turned or not, and the size of its
    // fonts in device pixels.
    struct PageSetup
    {
        QPageLayout::Orientation orientation;
        int pixelSize;
    };

    // Prints every page; date is the header's time text. False when the
    // device could not be painted on. Every character reaches the page: each
    // page is printed at the largest size, at most 10 points, at which its own
    // lines fit; an upright page that would need less than 8 points is turned
    // to landscape when its lines fit larger there.
    bool Print(QPagedPaintDevice& device, const QString& date);

    // The job's fonts at the device's resolution, 10 points; Print makes
    // them itself.
    void MakeFonts(int dotsPerInch);
    // Makes the job's fonts and tells how each page goes onto the device as
    // the operator set it up; the device is turned to measure and set back.
    std::vector<PageSetup> PlanPages(QPagedPaintDevice& device, const QString& date);
    const QFont& PrintFont() const { return m_printFont; }
    // One body step on page at the painter's current top.
    Step PrintNextLine(QPainter& painter, int page, int& top);
    int PageOffset() const { return m_nPageOffset; }

    // The header's time: "%m/%d/%y %I:%M %p" of now.
    static QString HeaderDate();

private:
    void SetPixelSize(int pixels);
    // The lines the page prints, the header's two first.
    QStringList PageLines(int page, const QString& date) const;
    // The largest size in pixels, at most 10 points, at which the lines fit
    // the area, the header above them; 1 when none does.
    int LargestFit(const QPaintDevice& device, const QStringList& lines, const QSize& area) const;
    static bool Fits(const QFont& font, const QPaintDevice& device, const QStringList& lines, const QSize& area);
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
