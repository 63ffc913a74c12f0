#pragma once

#include <string>

// A game keeps its texts as bytes: UTF-8, or 8-bit Windows-1252 in files of
// older programs. These convert between the two.
bool IsUtf8(const std::string& bytes);
std::string Windows1252ToUtf8(const std::string& bytes);
// False when a character has no place in Windows-1252 (out is then partial).
bool Utf8ToWindows1252(const std::string& utf8, std::string& out);
// The bytes as UTF-8: unchanged when they already are, else read as Windows-1252.
std::string DisplayUtf8(const std::string& bytes);
