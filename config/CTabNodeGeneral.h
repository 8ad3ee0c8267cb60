#pragma once

#include <QWidget>

class CWFDoc;
class QLabel;

// The General page of node setup: the versions, read only.
class CTabNodeGeneral : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kLines = 3;

    CTabNodeGeneral(CWFDoc& doc, QWidget* parent = nullptr);

    // 0 database, 1 firmware, 2 panel type.
    QLabel* Line(int i) const { return m_lines[i]; }

private:
    QLabel* m_lines[kLines] = {};
};
