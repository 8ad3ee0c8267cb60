#include "config/CTabNodeGeneral.h"

#include "app/CWFDoc.h"
#include "config/NodeVersionText.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

CTabNodeGeneral::CTabNodeGeneral(CWFDoc& doc, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CTabNodeGeneral"));
    int major = 0;
    int minor = 0;
    const QString texts[kLines] = {
        QStringLiteral("Database: ") + doc.m_controllerMemory.GetFirmwareVersion(),
        doc.GetFirmwareVersion(major, minor) ? FirmwareLine(major, minor) : QString(),
        QStringLiteral("Panel Type: ") + doc.PanelModelName()};
    auto* group = new QGroupBox(QStringLiteral("Versions"), this);
    auto* lines = new QVBoxLayout(group);
    for (int i = 0; i < kLines; ++i) {
        m_lines[i] = new QLabel(texts[i], this);
        lines->addWidget(m_lines[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
}
