#pragma once

#include "zonectl/CQZPage.h"

class QCheckBox;

// The control's own "General" page: whether the bar shows its time scale.
class CQZPropPage : public CQZPage
{
    Q_OBJECT

public:
    explicit CQZPropPage(QWidget* parent = nullptr);

    QString Caption() const override;
    void Apply() override;

protected:
    void LoadFrom(ZcObject* object) override;

private:
    QCheckBox* m_showTimeScale;
};
