#include "GameClipboardText.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "FenRefusal.h"
#include "GameIndex.h"
#include "GameRecord.h"
#include "GameTextEncoding.h"
#include "PgnExport.h"
#include "TextField.h"

namespace {

const char kNeither[] = "The clipboard holds no PGN game or FEN position: ";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A mail's quoting taken off when every line that is not blank carries it.
std::string Unquoted(std::string_view text) {
    std::string out;
    bool quoted = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = Trimmed(text.substr(at, end - at));
        if (!line.empty()) {
            if (line.front() != '>') return std::string(text);
            quoted = true;
        }
        at = end + 1;
    }
    if (!quoted) return std::string(text);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        const std::size_t mark = line.find('>');
        if (mark != std::string_view::npos && Trimmed(line.substr(0, mark)).empty()) {
            line.remove_prefix(mark + 1);
            if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
        }
        out.append(line);
        if (end < text.size()) out += '\n';
        at = end + 1;
    }
    return out;
}

// The start of what was found, on one line, quoted.
std::string Found(std::string_view text) {
    const std::size_t length = Utf8SafeCut(std::string(text.substr(0, 44)), 40);
    std::string shown;
    for (const char c : text.substr(0, length)) shown += IsBlank(c) ? ' ' : c;
    return "it begins \"" + shown + (length < text.size() ? "...\"." : "\".");
}

// The fields a FEN left out after its placement, as a new game would have
// them: White to move, no castling, no en-passant target, move 1.
std::string WithAllFields(std::string fen) {
    static const char* const kDefaults[] = {"w", "-", "-", "0", "1"};
    std::size_t fields = 1;
    for (std::size_t at = fen.find(' '); at != std::string::npos; at = fen.find(' ', at + 1))
        if (at + 1 < fen.size() && fen[at + 1] != ' ') ++fields;
    for (std::size_t field = fields; field < 6; ++field) fen += std::string(" ") + kDefaults[field - 1];
    return fen;
}

// A first field of eight ranks: the text is meant as a FEN.
bool LooksLikeFen(std::string_view text) {
    if (text.find('\n') != std::string_view::npos) return false;
    const std::string_view placement = text.substr(0, text.find(' '));
    return std::count(placement.begin(), placement.end(), '/') == 7;
}

// PGN shows itself by a tag pair at the start of a line or by a move number
// ("1." or "12...") standing as a word: prose that the index would count as
// moves has neither.
bool LooksLikePgn(std::string_view text) {
    bool lineStart = true;
    bool wordStart = true;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (lineStart && c == '[' && at + 1 < text.size() && std::isalpha(static_cast<unsigned char>(text[at + 1])))
            return true;
        if (wordStart && std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t end = at;
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
            if (end < text.size() && text[end] == '.' && end - at <= 4) return true;
        }
        lineStart = c == '\n' || (lineStart && IsBlank(c));
        wordStart = IsBlank(c) || c == '(' || c == '{' || c == '}' || c == ')';
    }
    return false;
}

// Bytes no text holds: NUL and the other controls but the blanks.
bool IsBinary(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && !IsBlank(c)) || byte == 0x7F;
    });
}

}  // namespace

PastedText ReadPastedText(std::string_view text) {
    PastedText pasted;
    const std::string_view trimmed = Trimmed(text);
    if (trimmed.empty()) {
        pasted.why = std::string(kNeither) + "it is empty.";
        return pasted;
    }
    if (IsBinary(trimmed)) {
        pasted.why = std::string(kNeither) + "it holds binary data, not text.";
        return pasted;
    }
    const std::string unquoted = Unquoted(trimmed);
    const std::string_view body = Trimmed(unquoted);
    if (LooksLikeFen(body)) {
        // Without its counters, or even its side to move, a FEN still names a position.
        const std::string fen = WithAllFields(std::string(body));
        auto game = std::make_unique<CGameRecord>();
        FenRefusal why = FenRefusal::None;
        if (!game->SetFromFen(fen, why)) {
            pasted.why = FenRefusalSentence(why, fen);
            return pasted;
        }
        pasted.kind = PastedText::Kind::Position;
        pasted.text = fen;
        return pasted;
    }
    const GameIndex index(body);
    const bool anyGame = std::any_of(index.Games().begin(), index.Games().end(), [](const auto& g) {
        if (g.plies > 0) return true;
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
            if (!g.Tag(tag).empty()) return true;
        return false;
    });
    if (!anyGame || !LooksLikePgn(body)) {
        pasted.why = std::string(kNeither) + Found(body);
        return pasted;
    }
    pasted.kind = PastedText::Kind::Games;
    pasted.text = std::string(body) + "\n";
    return pasted;
}

std::string CopiedGameText(const CGameRecord& game) {
    auto copy = std::make_unique<CGameRecord>(game);
    ConvertGameToUtf8(*copy);
    std::string text = ExportPgnToString(*copy);
#ifndef _WIN32
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
#endif
    return text;
}
