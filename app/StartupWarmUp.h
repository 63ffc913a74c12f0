#pragma once

#include <thread>

// Lets the other cores prepare, while the main window is being built, what
// the main thread would otherwise stop for the first time it needs it: the
// font database, which the first text measured waits for; the image format
// plugins, which Qt loads all at once for the first picture it reads (the
// toolbar's extension button); and the window's own pictures. Qt guards the
// fonts and plugins with its own locks, so the main thread either finds them
// ready or waits for the work under way; a picture not ready it draws itself.
class StartupWarmUp {
public:
    // Needs the application object: the font database belongs to its platform.
    StartupWarmUp();
    // Waits for the work still under way.
    ~StartupWarmUp();
    StartupWarmUp(const StartupWarmUp&) = delete;
    StartupWarmUp& operator=(const StartupWarmUp&) = delete;

private:
    std::thread m_fonts;
    std::thread m_pictures;
};
