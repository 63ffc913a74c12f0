#pragma once

#include <initializer_list>

#include <QIcon>
#include <QString>

// Makes the pictures and the guide compiled into this library available to
// Qt. Call once before the first is loaded (the application and the tests do).
void InitRavelinResources();

// The picture `name` (":/pictures/NAME.svg") as an icon drawn at `sizes`
// (square, in pixels). Drawn here once, at the sizes it is shown at, it
// spares the start the loading of Qt's SVG icon plugin and the window
// system's drawing of the picture at every size it asks for.
// Uses what PreparePicture drew beforehand, and draws the rest itself.
QIcon PictureIcon(const QString& name, std::initializer_list<int> sizes);

// Draws the picture at `sizes` for a later PictureIcon, on any thread: the
// start draws the first window's pictures on another core.
void PreparePicture(const QString& name, std::initializer_list<int> sizes);
