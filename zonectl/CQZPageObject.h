#pragma once

#include "zonectl/CQZObject.h"
#include "zonectl/CQZPropPage.h"
#include "zonectl/CQZWindowOwner.h"

// The "General" property page as a class of its own, for containers that show
// the control's pages themselves.
class CQZPageObject : public CQZObject
{
protected:
    void* Attach(void* parentWindow) override;
    ZcResult SetObjects(ZcObject* const* objects, std::int32_t count) override;
    ZcResult Apply() override;

private:
    CQZWindowOwner<CQZPropPage> m_page;
};
