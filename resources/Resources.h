#pragma once

// Makes the pictures compiled into this library available to Qt. Call once
// before the first picture is loaded (the application and the tests do).
void InitRavelinResources();
