#include "zonectl/CQZPageObject.h"

#include "zonectl/CQZPropPage.h"

CQZPageObject::CQZPageObject() : m_owned(std::make_unique<CQZPropPage>()), m_page(m_owned.get()) {}

CQZPageObject::~CQZPageObject()
{
    if (!m_page)
        (void)m_owned.release();
}

void* CQZPageObject::Attach(void* parentWindow)
{
    if (!m_page)
        return nullptr;
    m_page->setParent(static_cast<QWidget*>(parentWindow));
    m_page->show();
    return m_page.data();
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
