#include "app/CProgressBase.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

CProgressBase::CProgressBase(const QString& caption, int step)
    : m_layout(new QVBoxLayout(this)), m_status(new QLabel(this)), m_bar(new QProgressBar(this)), m_step(step)
{
    setWindowTitle(caption);
    setModal(false);
    m_status->setObjectName(QStringLiteral("Status"));
    m_bar->setTextVisible(false);
    m_bar->setRange(m_lower, m_upper);
    m_bar->setValue(m_lower);
    m_layout->addWidget(m_status);
    m_layout->addWidget(m_bar);
}

CProgressBase::~CProgressBase()
{
    Close();
}

bool CProgressBase::Create(QWidget* parent)
{
    m_owner = parent ? parent->window() : nullptr;
    if (m_owner && m_owner->isEnabled()) {
        m_owner->setEnabled(false);
        m_disabledOwner = true;
    }
    // A window of its own, so disabling the owner leaves it usable.
    show();
    return true;
}

void CProgressBase::Close()
{
    if (m_disabledOwner && m_owner)
        m_owner->setEnabled(true);
    m_disabledOwner = false;
    hide();
}

void CProgressBase::SetStatus(const QString& text)
{
    m_status->setText(text);
}

void CProgressBase::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    m_bar->setRange(lower, qMax(lower, upper));
}

void CProgressBase::HideBar()
{
    m_bar->hide();
}

void CProgressBase::SetStep(int step)
{
    m_step = step;
}

int CProgressBase::SetPos(int position)
{
    PumpMessages();
    return Move(position);
}

int CProgressBase::OffsetPos(int delta)
{
    PumpMessages();
    return Move(Pos() + delta);
}

int CProgressBase::StepIt()
{
    PumpMessages();
    return Move(Pos() + m_step);
}

int CProgressBase::Pos() const
{
    return m_bar->value() < m_bar->minimum() ? m_lower : m_bar->value();
}

QString CProgressBase::Status() const
{
    return m_status->text();
}

int CProgressBase::Move(int position)
{
    const int previous = Pos();
    m_bar->setValue(qBound(m_bar->minimum(), position, m_bar->maximum()));
    OnMoved(position);
    return previous;
}

void CProgressBase::OnMoved(int)
{
}

void CProgressBase::PumpMessages()
{
    QCoreApplication::processEvents();
}

void CProgressBase::keyPressEvent(QKeyEvent* event)
{
    // Enter never dismisses a progress dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}
