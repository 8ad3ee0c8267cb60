#include "tests/screens/ScreenCheck.h"

#include "app/TitleWidth.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedLayout>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QToolButton>

#include <algorithm>

namespace ScreenCheck {
namespace {

// Frames of neighbours may share a line or two of pixels.
constexpr int kTouch = 2;
// QLineEdit keeps this many pixels free on each side of its text.
constexpr int kEditTextMargin = 2;

QString Plain(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

QString OwnText(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return Plain(button->text());
    if (const auto* box = qobject_cast<const QGroupBox*>(w))
        return box->title();
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    return {};
}

QString Name(const QWidget* w)
{
    QString name = QString::fromLatin1(w->metaObject()->className());
    if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
        name += QLatin1Char('#') + w->objectName();
    return name;
}

// The widget with its ancestors up to the window, and what it says.
QString Describe(const QWidget* w)
{
    QStringList chain;
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_")))
            chain.prepend(Name(p));
    }
    chain << Name(w);
    QString text = OwnText(w);
    if (text.size() > 40)
        text = text.left(40) + QStringLiteral("...");
    QString line = chain.join(QStringLiteral(" > "));
    if (!text.isEmpty())
        line += QStringLiteral(" \"%1\"").arg(text);
    return line;
}

bool Shown(const QWidget* w, const QWidget* window)
{
    return w->isVisible() && w->window() == window && !w->size().isEmpty();
}

int EditRoom(const QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kEditTextMargin;
}

void CheckEdit(const QLineEdit* edit, QStringList& faults)
{
    // A spin box or date field is sized to its own range.
    if (qobject_cast<const QAbstractSpinBox*>(edit->parentWidget()))
        return;
    const int characters = std::min(kReadableCharacters, edit->maxLength());
    if (!Shows(edit, characters))
        faults << QStringLiteral("%1: %2 px shows fewer than %3 characters")
                      .arg(Describe(edit))
                      .arg(EditRoom(edit))
                      .arg(characters);
}

int IconRoom(const QAbstractButton* button)
{
    return button->icon().isNull() ? 0 : button->iconSize().width() + 4;
}

void CheckButton(const QAbstractButton* button, QStringList& faults)
{
    const QString text = Plain(button->text());
    if (text.isEmpty())
        return;
    const int need = button->fontMetrics().horizontalAdvance(text) + IconRoom(button);
    int room = 0;
    if (qobject_cast<const QPushButton*>(button)) {
        QStyleOptionButton option;
        option.initFrom(button);
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    } else if (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const auto element =
            qobject_cast<const QCheckBox*>(button) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
        room = button->style()->subElementRect(element, &option, button).width();
    } else if (qobject_cast<const QToolButton*>(button)) {
        if (button->width() < button->sizeHint().width())
            faults << QStringLiteral("%1: %2 px, needs %3").arg(Describe(button)).arg(button->width()).arg(
                button->sizeHint().width());
        return;
    } else {
        return;
    }
    if (need > room)
        faults << QStringLiteral("%1: text needs %2 px, has %3").arg(Describe(button)).arg(need).arg(room);
}

void CheckLabel(const QLabel* label, QStringList& faults)
{
    if (label->text().isEmpty())
        return;
    const QSize hint = label->sizeHint();
    if (label->wordWrap()) {
        const int need = label->heightForWidth(label->width());
        if (need > label->height())
            faults << QStringLiteral("%1: wrapped text needs %2 px high, has %3")
                          .arg(Describe(label))
                          .arg(need)
                          .arg(label->height());
    } else if (hint.width() > label->width() || hint.height() > label->height() + kTouch) {
        faults << QStringLiteral("%1: text needs %2x%3 px, has %4x%5")
                      .arg(Describe(label))
                      .arg(hint.width())
                      .arg(hint.height())
                      .arg(label->width())
                      .arg(label->height());
    }
}

void CheckGroupTitle(const QGroupBox* box, QStringList& faults)
{
    if (box->title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    option.textAlignment = box->alignment();
    const int need = box->fontMetrics().horizontalAdvance(Plain(box->title()));
    const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    if (label.left() + need > box->width())
        faults << QStringLiteral("%1: title needs %2 px, has %3").arg(Describe(box)).arg(need).arg(box->width() -
                                                                                                  label.left());
}

bool HasShownContent(const QWidget* page, const QWidget* window)
{
    const QList<QWidget*> children = page->findChildren<QWidget*>();
    return std::any_of(children.begin(), children.end(), [window](const QWidget* c) { return Shown(c, window); });
}

void CheckStack(const QStackedLayout* stack, const QWidget* window, QStringList& faults)
{
    const QWidget* area = stack->parentWidget();
    if (!area || !Shown(area, window))
        return;
    QWidget* current = stack->currentWidget();
    for (int i = 0; i < stack->count(); ++i) {
        const QWidget* page = stack->widget(i);
        if (page != current && page->isVisible())
            faults << QStringLiteral("%1: page %2 shows beside the current one").arg(Describe(area)).arg(i);
    }
    if (!current || !Shown(current, window) || !HasShownContent(current, window))
        faults << QStringLiteral("%1: shows a blank page").arg(Describe(area));
}

// Widgets whose parent lays them on top of others on purpose.
bool MayOverlap(const QWidget* w)
{
    return w->isWindow() || w->inherits("QSizeGrip") || w->inherits("QFocusFrame") || w->inherits("QRubberBand")
           || w->inherits("QTipLabel");
}

bool Apart(const QRect& a, const QRect& b)
{
    const QRect both = a & b;
    return both.width() <= kTouch || both.height() <= kTouch;
}

void CheckPlace(const QWidget* w, const QWidget* window, QStringList& faults)
{
    const QWidget* parent = w->parentWidget();
    if (!parent || MayOverlap(w))
        return;
    // A scroll area shows part of what it holds on purpose.
    const bool scrolled = parent->parentWidget() && qobject_cast<const QAbstractScrollArea*>(parent->parentWidget())
                          && static_cast<const QAbstractScrollArea*>(parent->parentWidget())->viewport() == parent;
    if (!scrolled && !parent->rect().adjusted(-kTouch, -kTouch, kTouch, kTouch).contains(w->geometry()))
        faults << QStringLiteral("%1: %2,%3 %4x%5 is cut off by its parent (%6x%7)")
                      .arg(Describe(w))
                      .arg(w->x())
                      .arg(w->y())
                      .arg(w->width())
                      .arg(w->height())
                      .arg(parent->width())
                      .arg(parent->height());
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
        const auto* other = qobject_cast<const QWidget*>(siblings[i]);
        if (!other || !Shown(other, window) || MayOverlap(other) || Apart(w->geometry(), other->geometry()))
            continue;
        faults << QStringLiteral("%1 overlaps %2").arg(Describe(w), Describe(other));
    }
}

// A pane the splitter squeezed to nothing shows the operator nothing.
void CheckSplitter(const QSplitter* splitter, const QWidget* window, QStringList& faults)
{
    if (!Shown(splitter, window))
        return;
    for (int i = 0; i < splitter->count(); ++i) {
        const QWidget* pane = splitter->widget(i);
        if (pane->isVisibleTo(splitter) && pane->size().isEmpty())
            faults << QStringLiteral("%1: pane %2 is squeezed to nothing").arg(Describe(pane)).arg(i);
    }
}

// A frame as wide as the window cuts a title that needs more.
void CheckTitle(const QWidget* window, QStringList& faults)
{
    if (!window->isWindow() || window->windowTitle().isEmpty())
        return;
    const int need = TitleBarWidth(window);
    if (window->width() < need)
        faults << QStringLiteral("title \"%1\" needs %2 px, has %3")
                      .arg(window->windowTitle(), QString::number(need), QString::number(window->width()));
}

// A list whose entries are short must not scroll sideways.
void CheckSidewaysScroll(const QAbstractScrollArea* area, QStringList& faults)
{
    if (area->horizontalScrollBar()->isVisibleTo(area))
        faults << QStringLiteral("%1: scrolls sideways by %2 px")
                      .arg(Describe(area), QString::number(area->horizontalScrollBar()->maximum()));
}

} // namespace

bool Shows(const QLineEdit* edit, int characters)
{
    return EditRoom(edit) >= characters * edit->fontMetrics().averageCharWidth();
}

QStringList Faults(QWidget* window)
{
    QStringList faults;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!Shown(w, window))
            continue;
        if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            CheckEdit(edit, faults);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            CheckButton(button, faults);
        else if (const auto* label = qobject_cast<const QLabel*>(w))
            CheckLabel(label, faults);
        if (const auto* box = qobject_cast<const QGroupBox*>(w))
            CheckGroupTitle(box, faults);
        CheckPlace(w, window, faults);
    }
    for (const QStackedLayout* stack : window->findChildren<QStackedLayout*>())
        CheckStack(stack, window, faults);
    for (const QSplitter* splitter : window->findChildren<QSplitter*>())
        CheckSplitter(splitter, window, faults);
    return faults;
}

QStringList FitFaults(QWidget* window)
{
    QStringList faults;
    CheckTitle(window, faults);
    for (const QAbstractScrollArea* area : window->findChildren<QAbstractScrollArea*>()) {
        if (Shown(area, window))
            CheckSidewaysScroll(area, faults);
    }
    return faults;
}

} // namespace ScreenCheck
