#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

// The window an object hands its container. Once attached, the container's
// window deletes it with itself; the object deletes it only while it has no
// such owner.
template <typename Window>
class CQZWindowOwner
{
public:
    CQZWindowOwner() : m_owned(std::make_unique<Window>()), m_window(m_owned.get()) {}
    ~CQZWindowOwner()
    {
        if (!m_window)
            (void)m_owned.release();
    }
    CQZWindowOwner(const CQZWindowOwner&) = delete;
    CQZWindowOwner& operator=(const CQZWindowOwner&) = delete;

    Window* Get() const { return m_window.data(); }
    Window* operator->() const { return m_window.data(); }
    explicit operator bool() const { return !m_window.isNull(); }

    // Places the window inside parent and shows it; null once it is gone.
    Window* AttachTo(void* parent)
    {
        if (!m_window)
            return nullptr;
        m_window->setParent(static_cast<QWidget*>(parent));
        m_window->show();
        return m_window.data();
    }

private:
    std::unique_ptr<Window> m_owned;
    QPointer<Window> m_window;
};
