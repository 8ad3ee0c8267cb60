#pragma once

#include "zonectl/CQZPage.h"

#include <QColor>
#include <QMap>

class QColorDialog;
class QComboBox;

// Stands in for the system's colour page: BackColor and ForeColor.
class CQZColorPage : public CQZPage
{
    Q_OBJECT

public:
    explicit CQZColorPage(QWidget* parent = nullptr);

    QString Caption() const override;
    void Apply() override;

protected:
    void LoadFrom(ZcObject* object) override;

private:
    std::int32_t CurrentDispid() const;
    void ShowCurrent();

    QComboBox* m_property;
    QColorDialog* m_colour;
    QMap<std::int32_t, QColor> m_values;
};
