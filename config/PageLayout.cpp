#include "config/PageLayout.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSpinBox>

namespace {

constexpr QRgb kExplanationColour = qRgb(0, 0, 255);
constexpr QRgb kWarningColour = qRgb(255, 0, 0);

} // namespace

namespace PageLayout {

void MakeWrappingSpin(QSpinBox* spin, int minimum, int maximum)
{
    spin->setRange(minimum, maximum);
    spin->setWrapping(true);
    if (QLineEdit* edit = spin->findChild<QLineEdit*>())
        edit->setReadOnly(true);
}

QLabel* MakeNote(const QString& text, NoteKind kind, QWidget* parent)
{
    auto* note = new QLabel(text, parent);
    note->setWordWrap(true);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, QColor(kind == NoteKind::Explanation ? kExplanationColour : kWarningColour));
    note->setPalette(palette);
    return note;
}

} // namespace PageLayout
