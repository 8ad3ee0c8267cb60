#pragma once

#include "platform/ControlAbi.h"

#include <QVariant>
#include <QWidget>

#include <vector>

// A property page: shows the properties of the controls it edits and writes
// them back on Apply. The controls are reached through their dispatch
// interface only, as a page does for any container.
class CQZPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual QString Caption() const = 0;
    // The controls must outlive the page's use of them.
    void SetObjects(std::vector<ZcObject*> objects);
    virtual void Apply() = 0;

protected:
    virtual void LoadFrom(ZcObject* object) = 0;

    const std::vector<ZcObject*>& Objects() const { return m_objects; }
    static QVariant GetProperty(ZcObject* object, std::int32_t dispid);
    void SetOnEvery(std::int32_t dispid, const QVariant& value) const;

private:
    std::vector<ZcObject*> m_objects;
};
