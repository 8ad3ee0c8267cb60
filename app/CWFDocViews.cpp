#include "app/CWFDoc.h"

#include "app/IDocumentView.h"

#include <algorithm>

void CWFDoc::SetReportKind(std::int8_t kind)
{
    m_nReportKind = kind;
    UpdateAllViews();
}

void CWFDoc::AddView(IDocumentView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CWFDoc::RemoveView(IDocumentView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CWFDoc::UpdateAllViews()
{
    // A view's update may make or close views: each one still here is updated once.
    const std::vector<IDocumentView*> views = m_views;
    for (IDocumentView* view : views) {
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate();
    }
}
