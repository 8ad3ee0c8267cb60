#include "platform/LockKeys.h"

#include <QGuiApplication>

// Last: Xlib's macros (Bool, Status, None) would clash with Qt's headers.
#include <X11/XKBlib.h>

namespace {

LockKeySource& Source()
{
    static LockKeySource source;
    return source;
}

std::optional<LockKeyStates> QueryX11(Display* display)
{
    // Asked by name: which indicator bit a lock uses is the keymap's choice.
    static const Atom caps = XInternAtom(display, "Caps Lock", False);
    static const Atom num = XInternAtom(display, "Num Lock", False);
    static const Atom scroll = XInternAtom(display, "Scroll Lock", False);
    const auto isOn = [display](Atom name) {
        Bool on = False;
        return XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr) && on;
    };
    return LockKeyStates{isOn(caps), isOn(num), isOn(scroll)};
}

} // namespace

std::optional<LockKeyStates> QueryLockKeys()
{
    if (Source())
        return Source()();
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return std::nullopt;
    return QueryX11(x11->display());
}

LockKeySource SetLockKeySource(LockKeySource source)
{
    LockKeySource previous = std::move(Source());
    Source() = std::move(source);
    return previous;
}
