#pragma once

#include <QString>

// Bytes a text from a box takes once stored in a game: as Windows-1252 in an
// 8-bit game when that can hold it, else as UTF-8; a line break as CR LF.
int StoredTextSize(const QString& text, bool eightBit);
