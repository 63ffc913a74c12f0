#include "KeyboardLocks.h"

#include <QGuiApplication>

#if defined(RAVELIN_HAVE_X11)
#include <X11/XKBlib.h>
#endif

KeyboardLocks ReadKeyboardLocks() {
    KeyboardLocks locks;
#if defined(RAVELIN_HAVE_X11)
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) return locks;
    auto indicator = [display](const char* name) {
        Bool on = False;
        const Atom atom = XInternAtom(display, name, True);
        if (atom != None) XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr);
        return on == True;
    };
    locks.known = true;
    locks.capsLock = indicator("Caps Lock");
    locks.numLock = indicator("Num Lock");
    locks.scrollLock = indicator("Scroll Lock");
#endif
    return locks;
}
