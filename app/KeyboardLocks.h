#pragma once

// The keyboard's lock keys, where the window system tells them.
struct KeyboardLocks {
    bool known = false;
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

KeyboardLocks ReadKeyboardLocks();
