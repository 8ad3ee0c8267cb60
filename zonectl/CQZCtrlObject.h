#pragma once

#include "zonectl/CQZCtrl.h"
#include "zonectl/CQZObject.h"
#include "zonectl/CQZWindowOwner.h"

#include <optional>

// The schedule bar as the host sees it: properties by dispatch identifier,
// persisted properties through a bag, the MouseDown event and its window.
class CQZCtrlObject : public CQZObject
{
public:
    CQZCtrlObject();

protected:
    ZcResult GetProperty(std::int32_t dispid, QVariant* value) override;
    ZcResult SetProperty(std::int32_t dispid, const QVariant& value) override;
    ZcResult GetIDOfName(const QString& name, std::int32_t* dispid) override;
    ZcResult Load(const ZcPropertyBag& bag) override;
    ZcResult Save(const ZcPropertyBag& bag) override;
    ZcResult Advise(const ZcEventSink* sink) override;
    void* Attach(void* parentWindow) override;
    ZcResult DoVerb(std::int32_t verb) override;
    ZcResult IsDirty() override;

private:
    void FireMouseDown(int button, int shift, int x, int y) const;

    CQZWindowOwner<CQZCtrl> m_control;
    std::optional<ZcEventSink> m_sink;
};
