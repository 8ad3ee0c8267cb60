#pragma once

#include "zonectl/CQZPage.h"

class QFontComboBox;
class QSpinBox;

// Stands in for the system's font page: the font of the time-scale numbers.
class CQZFontPage : public CQZPage
{
    Q_OBJECT

public:
    explicit CQZFontPage(QWidget* parent = nullptr);

    QString Caption() const override;
    void Apply() override;

protected:
    void LoadFrom(ZcObject* object) override;

private:
    QFontComboBox* m_family;
    QSpinBox* m_size;
};
