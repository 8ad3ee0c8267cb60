#include "zonectl/CQZPage.h"

#include "platform/ControlVariant.h"

void CQZPage::SetObjects(std::vector<ZcObject*> objects)
{
    m_objects = std::move(objects);
    if (!m_objects.empty())
        LoadFrom(m_objects.front());
}

QVariant CQZPage::GetProperty(ZcObject* object, std::int32_t dispid)
{
    ZcVariant value{};
    if (!ZC_SUCCEEDED(object->vtbl->GetProperty(object, dispid, &value)))
        return {};
    const QVariant result = ControlVariant::FromZc(value);
    ControlVariant::Clear(&value);
    return result;
}

void CQZPage::SetOnEvery(std::int32_t dispid, const QVariant& value) const
{
    ZcVariant boundary{};
    if (!ControlVariant::ToZc(value, &boundary))
        return;
    for (ZcObject* object : m_objects)
        object->vtbl->SetProperty(object, dispid, &boundary);
    ControlVariant::Clear(&boundary);
}
