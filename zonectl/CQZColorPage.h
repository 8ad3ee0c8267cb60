#pragma once

#include "zonectl/CQZPage.h"

#include <QColor>
#include <QMap>

class QComboBox;
class QPushButton;

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
    void ChooseColour();

    QComboBox* m_property;
    QPushButton* m_choose;
    QMap<std::int32_t, QColor> m_values;
};
