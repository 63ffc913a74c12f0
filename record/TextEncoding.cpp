#include "TextEncoding.h"

#include <cstdint>
#include <cstring>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; zero where the code page has no character.
const char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Every Windows-1252 character lies below U+10000: three bytes at most.
void AppendUtf8(std::string& out, char16_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes one UTF-8 character at `pos`; false on a malformed sequence.
bool NextCodePoint(const std::string& text, std::size_t& pos, std::uint32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length;
    std::uint32_t minimum;
    if (lead < 0x80) {
        code = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (pos + length > text.size()) return false;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return false;
        code = (code << 6) | (byte(pos + i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    pos += length;
    return true;
}

}  // namespace

bool IsUtf8(const std::string& bytes) {
    std::size_t pos = 0;
    std::uint32_t code;
    while (pos < bytes.size()) {
        // ASCII, most of any game's text, passes eight bytes at a time: the
        // whole game is asked after every keystroke in a note.
        while (pos + 8 <= bytes.size()) {
            std::uint64_t eight;
            std::memcpy(&eight, bytes.data() + pos, 8);
            if (eight & 0x8080808080808080u) break;
            pos += 8;
        }
        if (pos < bytes.size() && !NextCodePoint(bytes, pos, code)) return false;
    }
    return true;
}

std::string Windows1252ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0) {
            const char16_t code = kHighControls[byte - 0x80];
            AppendUtf8(out, code != 0 ? code : byte);
        } else {
            AppendUtf8(out, byte);
        }
    }
    return out;
}

bool Utf8ToWindows1252(const std::string& utf8, std::string& out) {
    out.clear();
    std::size_t pos = 0;
    std::uint32_t code;
    while (pos < utf8.size()) {
        if (!NextCodePoint(utf8, pos, code)) return false;
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            out += static_cast<char>(code);
            continue;
        }
        bool found = false;
        for (int i = 0; i < 32 && !found; ++i) {
            if (kHighControls[i] == code || (kHighControls[i] == 0 && code == 0x80u + i)) {
                out += static_cast<char>(0x80 + i);
                found = true;
            }
        }
        if (!found) return false;
    }
    return true;
}

std::string DisplayUtf8(const std::string& bytes) {
    return IsUtf8(bytes) ? bytes : Windows1252ToUtf8(bytes);
}
