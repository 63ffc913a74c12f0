#pragma once

#include <QIcon>
#include <QString>

// Makes the pictures and the guide compiled into this library available to
// Qt. Call once before the first is loaded (the application and the tests do).
void InitRavelinResources();

// The picture `name` (":/pictures/NAME.svg") as an icon drawn at the usual
// sizes of window and tool icons. Drawn here once, it spares the start the
// loading of Qt's SVG icon plugin and the window system's drawing of the
// picture at every size it asks for.
QIcon PictureIcon(const QString& name);
