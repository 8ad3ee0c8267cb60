#pragma once

#include "zonectl/CQZObject.h"

#include <QPointer>

#include <memory>

class CQZPropPage;

// The "General" property page as a class of its own, for containers that show
// the control's pages themselves.
class CQZPageObject : public CQZObject
{
public:
    CQZPageObject();
    ~CQZPageObject() override;

protected:
    void* Attach(void* parentWindow) override;
    ZcResult SetObjects(ZcObject* const* objects, std::int32_t count) override;
    ZcResult Apply() override;

private:
    std::unique_ptr<CQZPropPage> m_owned;
    QPointer<CQZPropPage> m_page;
};
