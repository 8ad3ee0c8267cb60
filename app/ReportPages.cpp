#include "app/ReportPages.h"

#include <algorithm>

void ReportPages::ClearPages()
{
    m_pageStarts.assign(1, 0);
}

void ReportPages::ScanPages(const QString& text)
{
    int lines = 0;
    for (qsizetype i = m_pageStarts.back(); i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\n'))
            continue;
        if (++lines >= kLinesPerPage) {
            m_pageStarts.push_back(static_cast<int>(i));
            lines = 0;
        }
    }
    m_pageStarts.push_back(static_cast<int>(text.size()));
}

int ReportPages::PagePosition(int page, int offset) const
{
    const int index = std::clamp(page - 1, 0, static_cast<int>(m_pageStarts.size()) - 1);
    return m_pageStarts[static_cast<std::size_t>(index)] + offset;
}

bool ReportPages::IsPageEnd(int page, int offset) const
{
    if (offset == 0)
        return false;
    const int position = PagePosition(page, offset);
    return std::find(m_pageStarts.begin(), m_pageStarts.end(), position) != m_pageStarts.end();
}

void ReportPages::ClearHeadings()
{
    m_headingStarts.clear();
    m_headingEnds.clear();
}

void ReportPages::StartHeading(int position)
{
    // A start that was never ended is replaced, so starts and ends stay paired.
    m_headingStarts.resize(m_headingEnds.size());
    m_headingStarts.push_back(position);
}

void ReportPages::EndHeading(int position)
{
    if (m_headingStarts.size() == m_headingEnds.size())
        return;
    m_headingEnds.push_back(position);
}

bool ReportPages::IsHeadingStart(int page, int offset) const
{
    const int position = PagePosition(page, offset);
    const auto end = m_headingStarts.begin() + static_cast<std::ptrdiff_t>(m_headingEnds.size());
    return std::find(m_headingStarts.begin(), end, position) != end;
}
