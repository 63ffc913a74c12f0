#pragma once

#include <cstddef>
#include <string>

// Copies text into a fixed zero-terminated field of `size` bytes, cutting it
// to fit. A cut never leaves half of a UTF-8 character at the end.
void CopyToField(char* field, std::size_t size, const std::string& text);

// Length of the longest prefix of text, at most `limit` bytes, that does not
// end inside a UTF-8 character.
std::size_t Utf8SafeCut(const std::string& text, std::size_t limit);
