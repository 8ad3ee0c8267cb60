#include "zonectl/CQZPageObject.h"

void* CQZPageObject::Attach(void* parentWindow)
{
    return m_page.AttachTo(parentWindow);
}

ZcResult CQZPageObject::SetObjects(ZcObject* const* objects, std::int32_t count)
{
    if (!m_page)
        return ZC_E_FAIL;
    m_page->SetObjects(std::vector<ZcObject*>(objects, objects + count));
    return ZC_S_OK;
}

ZcResult CQZPageObject::Apply()
{
    if (!m_page)
        return ZC_E_FAIL;
    m_page->Apply();
    return ZC_S_OK;
}
