#pragma once

// Makes the pictures and the guide compiled into this library available to
// Qt. Call once before the first is loaded (the application and the tests do).
void InitRavelinResources();
