#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// Operations of the document's PaginateReport and MarkReportHeadings.
namespace ReportOp {
inline constexpr std::uint8_t kClear = 0;
inline constexpr std::uint8_t kHeadingStart = 1;
inline constexpr std::uint8_t kHeadingEnd = 2;
inline constexpr std::uint8_t kUnderline = 3;
inline constexpr std::uint8_t kIsHeadingStart = 4;
inline constexpr std::uint8_t kScanPages = 5;
inline constexpr std::uint8_t kIsPageEnd = 6;
inline constexpr std::uint8_t kPagePosition = 9;
inline constexpr std::uint8_t kPageCount = 10;
} // namespace ReportOp

// The page starts and heading marks beside a listing text: pages of 66 lines,
// headings as character ranges. Positions are indexes into the text.
class ReportPages
{
public:
    static constexpr int kLinesPerPage = 66;

    // Page 1 starts at 0 and nothing else is recorded.
    void ClearPages();
    // Starts a page after every 66th line feed since the last page start, then
    // one at the text's end, so the next text appended begins a new page.
    void ScanPages(const QString& text);
    // Pages are numbered from 1; a page beyond the table is its last start.
    int PagePosition(int page, int offset) const;
    // True when the position, never the page's own first character, starts a page.
    bool IsPageEnd(int page, int offset) const;
    int PageCount() const { return static_cast<int>(m_pageStarts.size()) - 1; }
    const std::vector<int>& PageStarts() const { return m_pageStarts; }

    void ClearHeadings();
    void StartHeading(int position);
    void EndHeading(int position);
    bool IsHeadingStart(int page, int offset) const;
    int HeadingCount() const { return static_cast<int>(m_headingEnds.size()); }
    const std::vector<int>& HeadingStarts() const { return m_headingStarts; }
    const std::vector<int>& HeadingEnds() const { return m_headingEnds; }

private:
    std::vector<int> m_pageStarts{0};
    // One more start than ends while a heading is open.
    std::vector<int> m_headingStarts;
    std::vector<int> m_headingEnds;
};
