#pragma once

#include <QWidget>

#include <cstdint>

class CWFDoc;
class QLineEdit;
class QSpinBox;

// How long the elevator relay modules keep a relay on.
class CTabCabGeneral : public QWidget
{
    Q_OBJECT
public:
    explicit CTabCabGeneral(CWFDoc& doc, QWidget* parent = nullptr);

    void Store();

    QLineEdit* TimeEdit() const { return m_time; }
    QSpinBox* TimeSpin() const { return m_spin; }

private:
    void CheckTime();

    CWFDoc& m_doc;
    std::uint8_t m_value = 0;
    QLineEdit* m_time = nullptr;
    QSpinBox* m_spin = nullptr;
};
