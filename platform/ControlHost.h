#pragma once

#include "platform/ControlAbi.h"
#include "platform/LongProperties.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class ControlLibrary;
class QWidget;

// One embeddable control, created by class identifier from the library its
// registration names, and talked to by dispatch identifier (or by name
// through GetIDOfName). It works without
// a window (properties only) until Attach gives it one.
class ControlHost final : public ILongProperties
{
public:
    // An event's dispatch identifier and its arguments.
    using EventHandler = std::function<void(int dispid, const QVariantList& args)>;
    // Persisted properties by name, in the order they were written.
    using PersistedState = QList<QPair<QString, QVariant>>;

    // Null, with *message saying why, when the class is not registered, its
    // library cannot be loaded or does not make it.
    static std::unique_ptr<ControlHost> Create(const QString& clsid, QString* message);
    static std::unique_ptr<ControlHost> CreateFromProgId(const QString& progId, QString* message);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    bool GetProperty(int dispid, QVariant* value) const;
    bool SetProperty(int dispid, const QVariant& value);
    // A property's or method's dispatch identifier by its name, without regard
    // to case; false, with LastResult ZC_DISP_E_UNKNOWNNAME, for a name the
    // control does not know.
    bool GetIDOfName(const QString& name, int* dispid) const;
    bool GetLong(int dispid, std::int32_t* value) const override;
    bool SetLong(int dispid, std::int32_t value) override;

    // Names the state lacks take the control's defaults.
    bool Load(const PersistedState& state);
    bool Save(PersistedState* state) const;
    // A property changed since the state was last loaded or saved.
    bool IsDirty() const;

    // Creates the control's window inside parent, or moves it there; null
    // when the control has none to give.
    QWidget* Attach(QWidget* parent);
    bool DoVerb(int verb);
    void SetEventHandler(EventHandler handler) { m_eventHandler = std::move(handler); }

    // For property pages: the controls the page edits (they must outlive the
    // page's use of them), and Apply.
    bool SetObjects(const QList<ControlHost*>& controls);
    bool Apply();

    ZcResult LastResult() const { return m_lastResult; }

private:
    ControlHost(std::shared_ptr<ControlLibrary> library, ZcObject* object);

    bool Check(ZcResult result) const;
    static void FireEvent(void* context, std::int32_t dispid, const ZcVariant* args, std::int32_t count);

    std::shared_ptr<ControlLibrary> m_library;
    ZcObject* m_object;
    ZcEventSink m_sink;
    EventHandler m_eventHandler;
    mutable ZcResult m_lastResult = ZC_S_OK;
};
