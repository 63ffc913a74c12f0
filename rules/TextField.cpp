#include "TextField.h"

#include <cstring>

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Bytes in the UTF-8 sequence a lead byte starts (1 for anything else).
std::size_t SequenceLength(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xE0) == 0xC0) return 2;
    if ((byte & 0xF0) == 0xE0) return 3;
    if ((byte & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

std::size_t Utf8SafeCut(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    // The first byte left out continues a character: find where that character
    // starts and leave it out whole when its bytes form a UTF-8 sequence.
    std::size_t lead = limit;
    while (lead > 0 && limit - lead < 3 && IsContinuationByte(text[lead])) --lead;
    if (lead < limit && SequenceLength(text[lead]) > limit - lead) return lead;
    return limit;
}

void CopyToField(char* field, std::size_t size, const std::string& text) {
    if (size == 0) return;
    const std::size_t length = Utf8SafeCut(text, size - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}
