#include "zonectl/CQZCtrlObject.h"

#include "platform/ControlVariant.h"
#include "zonectl/CQZPropertySheet.h"
#include "zonectl/CQZTypeLibrary.h"

#include <array>

CQZCtrlObject::CQZCtrlObject()
{
    m_control->SetMouseDownHandler(
        [this](int button, int shift, int x, int y) { FireMouseDown(button, shift, x, y); });
}

ZcResult CQZCtrlObject::GetProperty(std::int32_t dispid, QVariant* value)
{
    return m_control ? m_control->GetProperty(dispid, value) : ZC_E_FAIL;
}

ZcResult CQZCtrlObject::SetProperty(std::int32_t dispid, const QVariant& value)
{
    return m_control ? m_control->SetProperty(dispid, value) : ZC_E_FAIL;
}

ZcResult CQZCtrlObject::GetIDOfName(const QString& name, std::int32_t* dispid)
{
    return CQZTypeLibrary::DispidOfName(name, dispid) ? ZC_S_OK : ZC_DISP_E_UNKNOWNNAME;
}

ZcResult CQZCtrlObject::Load(const ZcPropertyBag& bag)
{
    if (!m_control)
        return ZC_E_FAIL;
    const bool loaded = m_control->Load([&bag](const QString& name, QVariant* value) {
        ZcVariant stored{};
        const bool found = bag.Read(bag.context, name.toUtf8().constData(), &stored) == ZC_S_OK;
        if (found)
            *value = ControlVariant::FromZc(stored);
        ControlVariant::Clear(&stored);
        return found;
    });
    return loaded ? ZC_S_OK : ZC_DISP_E_TYPEMISMATCH;
}

ZcResult CQZCtrlObject::Save(const ZcPropertyBag& bag)
{
    if (!m_control)
        return ZC_E_FAIL;
    const bool saved = m_control->Save([&bag](const QString& name, const QVariant& value) {
        ZcVariant stored{};
        if (!ControlVariant::ToZc(value, &stored))
            return false;
        const bool written = ZC_SUCCEEDED(bag.Write(bag.context, name.toUtf8().constData(), &stored));
        ControlVariant::Clear(&stored);
        return written;
    });
    return saved ? ZC_S_OK : ZC_E_FAIL;
}

ZcResult CQZCtrlObject::Advise(const ZcEventSink* sink)
{
    if (sink && !sink->Fire)
        return ZC_E_POINTER;
    m_sink = sink ? std::optional<ZcEventSink>(*sink) : std::nullopt;
    return ZC_S_OK;
}

void* CQZCtrlObject::Attach(void* parentWindow)
{
    CQZCtrl* control = m_control.AttachTo(parentWindow);
    if (control)
        control->OnCreate();
    return control;
}

ZcResult CQZCtrlObject::DoVerb(std::int32_t verb)
{
    if (!m_control)
        return ZC_E_FAIL;
    switch (verb) {
    case ZC_VERB_PRIMARY:
        m_control->setFocus();
        return ZC_S_OK;
    case ZC_VERB_PROPERTIES: {
        CQZPropertySheet sheet({this}, m_control.Get());
        sheet.exec();
        return ZC_S_OK;
    }
    default:
        return ZC_E_NOTIMPL;
    }
}

ZcResult CQZCtrlObject::IsDirty()
{
    if (!m_control)
        return ZC_E_FAIL;
    return m_control->IsModified() ? ZC_S_OK : ZC_S_FALSE;
}

void CQZCtrlObject::FireMouseDown(int button, int shift, int x, int y) const
{
    if (!m_sink)
        return;
    std::array<ZcVariant, 4> args{};
    const int values[] = {button, shift, x, y};
    for (size_t i = 0; i < args.size(); ++i)
        args[i] = ZcVariant{ZC_VT_I4, values[i], nullptr};
    m_sink->Fire(m_sink->context, QZ::DISPID_MOUSEDOWN, args.data(), static_cast<std::int32_t>(args.size()));
}
