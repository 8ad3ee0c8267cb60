#include "config/CDlgEditDisplayMessage.h"

#include "app/AppObjects.h"
#include "app/CWFApp.h"
#include "config/DisplayMessageSlots.h"
#include "config/PanelTextField.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kAlignItems = 2;

} // namespace

CDlgEditDisplayMessage::CDlgEditDisplayMessage(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CDlgEditDisplayMessage"));
    setWindowTitle(QStringLiteral("Edit Display message"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Display"), this);
    auto* grid = new QGridLayout(group);
    for (int line = 0; line < kLines; ++line) {
        const auto i = static_cast<size_t>(line);
        m_labels[i] = new QLabel(group);
        m_edits[i] = new QLineEdit(group);
        m_edits[i]->setMaxLength(DisplayMessageSlots::kLineLength);
        m_aligns[i] = new QComboBox(group);
        m_aligns[i]->addItems({QStringLiteral("Left Align"), QStringLiteral("Center")});
        grid->addWidget(m_labels[i], line, 0);
        grid->addWidget(m_edits[i], line, 1);
        grid->addWidget(m_aligns[i], line, 2);
    }
    layout->addWidget(group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The dialog edits 16-character displays.
    if (CWFApp* app = GetApp())
        app->Settings().m_display20Characters = 0;
}

void CDlgEditDisplayMessage::SetLines(const std::array<Line, kLines>& lines)
{
    m_lines = lines;
    for (int line = 0; line < kLines; ++line) {
        const auto i = static_cast<size_t>(line);
        m_labels[i]->setText(QStringLiteral("# ") + QString::number(lines[i].slot));
        m_edits[i]->setText(lines[i].text.left(DisplayMessageSlots::kLineLength));
        const int justification = lines[i].justification;
        m_aligns[i]->setCurrentIndex(justification >= 0 && justification < kAlignItems ? justification : -1);
    }
}

void CDlgEditDisplayMessage::accept()
{
    for (int line = 0; line < kLines; ++line) {
        const auto i = static_cast<size_t>(line);
        if (!CheckPanelTextField(QStringLiteral("Display message ") + m_labels[i]->text(), m_edits[i]))
            return;
    }
    QDialog::accept();
}

std::array<CDlgEditDisplayMessage::Line, CDlgEditDisplayMessage::kLines> CDlgEditDisplayMessage::Lines() const
{
    std::array<Line, kLines> lines = m_lines;
    for (int line = 0; line < kLines; ++line) {
        const auto i = static_cast<size_t>(line);
        lines[i].text = DisplayMessageSlots::LineText(m_edits[i]->text());
        if (m_aligns[i]->currentIndex() >= 0)
            lines[i].justification = m_aligns[i]->currentIndex();
    }
    return lines;
}
