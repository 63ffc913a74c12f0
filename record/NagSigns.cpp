#include "NagSigns.h"

#include "PlyRecord.h"

namespace {

constexpr int kLastPair = 139;  // the standard's glyphs end here
constexpr int kLastKnown = 146;

// The standard's glyphs from $22 on come in pairs, White's then Black's:
// what the side has, $22 and $23 first.
const char* const kPairs[] = {
    "is in zugzwang",
    "has a slight space advantage",
    "has a moderate space advantage",
    "has a decisive space advantage",
    "has a slight lead in development",
    "has a moderate lead in development",
    "has a decisive lead in development",
    "has the initiative",
    "has a lasting initiative",
    "has the attack",
    "has insufficient compensation for the material",
    "has compensation for the material",
    "has more than enough compensation for the material",
    "has a slight advantage in the centre",
    "has a moderate advantage in the centre",
    "has a decisive advantage in the centre",
    "has a slight advantage on the kingside",
    "has a moderate advantage on the kingside",
    "has a decisive advantage on the kingside",
    "has a slight advantage on the queenside",
    "has a moderate advantage on the queenside",
    "has a decisive advantage on the queenside",
    "has a vulnerable first rank",
    "has a well protected first rank",
    "has a poorly protected king",
    "has a well protected king",
    "has a poorly placed king",
    "has a well placed king",
    "has a very weak pawn structure",
    "has a moderately weak pawn structure",
    "has a moderately strong pawn structure",
    "has a very strong pawn structure",
    "has poorly placed knights",
    "has well placed knights",
    "has poorly placed bishops",
    "has well placed bishops",
    "has poorly placed rooks",
    "has well placed rooks",
    "has a poorly placed queen",
    "has a well placed queen",
    "has poor piece coordination",
    "has good piece coordination",
    "has played the opening very poorly",
    "has played the opening poorly",
    "has played the opening well",
    "has played the opening very well",
    "has played the middlegame very poorly",
    "has played the middlegame poorly",
    "has played the middlegame well",
    "has played the middlegame very well",
    "has played the ending very poorly",
    "has played the ending poorly",
    "has played the ending well",
    "has played the ending very well",
    "has slight counterplay",
    "has moderate counterplay",
    "has decisive counterplay",
    "is in time trouble",
    "is in severe time trouble",
};
static_assert(sizeof kPairs / sizeof kPairs[0] == (kLastPair - 22 + 1) / 2);

// $7 to $21, then the extensions most programs share, $140 to $146.
const char* const kSingles[] = {
    "forced move",
    "the only move",
    "worst move",
    "drawish position",
    "equal chances, quiet position",
    "equal chances, active position",
    "unclear position",
    "White has a slight advantage",
    "Black has a slight advantage",
    "White has a moderate advantage",
    "Black has a moderate advantage",
    "White has a decisive advantage",
    "Black has a decisive advantage",
    "White has a crushing advantage",
    "Black has a crushing advantage",
};
const char* const kExtensions[] = {
    "with the idea", "aimed against",     "better is", "worse is",
    "equivalent is", "editorial comment", "novelty",
};

// The sign books print, and the same in characters every font has where
// there is such a form; null for a glyph printed in words only.
struct Sign {
    const char* sign;
    const char* plain;
};

Sign SignOf(int nag) {
    switch (nag) {  // clang-format off
        case 7: case 8: return {"\u25A1", nullptr};  // □
        case 10: case 11: case 12: return {"=", "="};
        case 13: return {"\u221E", nullptr};         // ∞
        case 14: return {"\u2A72", "+="};
        case 15: return {"\u2A71", "=+"};
        case 16: return {"\u00B1", "+/-"};
        case 17: return {"\u2213", "-/+"};
        case 18: case 20: return {"+\u2212", "+-"};
        case 19: case 21: return {"\u2212+", "-+"};
        case 22: case 23: return {"\u2A00", nullptr};  // ⨀
        case 44: case 45: return {"=/\u221E", nullptr};
        case 140: return {"\u2206", nullptr};          // ∆
        case 141: return {"\u2207", nullptr};          // ∇
        case 142: return {"\u2313", nullptr};          // ⌓
        case 143: return {"\u2264", "<="};
        case 144: return {"==", "=="};
        case 145: return {"RR", "RR"};
        case 146: return {"N", "N"};
        default: break;
    }  // clang-format on
    // One sign for every degree of the same idea.
    if (nag >= 24 && nag <= 29) return {"\u25CB", nullptr};    // ○ space
    if (nag >= 30 && nag <= 35) return {"\u27F3", nullptr};    // ⟳ development
    if (nag >= 36 && nag <= 39) return {"\u2191", nullptr};    // ↑ initiative
    if (nag >= 40 && nag <= 41) return {"\u2192", nullptr};    // → attack
    if (nag >= 130 && nag <= 135) return {"\u21C6", nullptr};  // ⇆ counterplay
    if (nag >= 136 && nag <= 139) return {"\u2295", nullptr};  // ⊕ time trouble
    return {nullptr, nullptr};
}

// Whether the font has every character of the UTF-8 `text` beyond ASCII.
bool FontHasAll(const std::string& text, const FontHasChar& fontHas) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (lead >= 0x80) {
            char32_t ucs4 = lead & (0x7F >> length);
            for (int k = 1; k < length && i + k < text.size(); ++k)
                ucs4 = (ucs4 << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            if (!fontHas(ucs4)) return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

}  // namespace

std::string NagMeaning(int nag) {
    if (nag >= 1 && nag <= 6) {
        static const char* const kMoves[] = {"good move",        "poor move",
                                             "very good move",   "very poor move",
                                             "speculative move", "questionable move"};
        return kMoves[nag - 1];
    }
    if (nag >= 7 && nag <= 21) return kSingles[nag - 7];
    if (nag >= 22 && nag <= kLastPair)
        return std::string(nag % 2 == 0 ? "White " : "Black ") + kPairs[(nag - 22) / 2];
    if (nag >= 140 && nag <= kLastKnown) return kExtensions[nag - 140];
    return {};
}

std::string PrintedNag(int nag, const FontHasChar& fontHas) {
    if (nag >= 1 && nag <= 6) return kMoveSigns[nag - 1];
    const Sign sign = SignOf(nag);
    const std::string meaning = NagMeaning(nag);
    if (meaning.empty()) return {};
    if (sign.sign != nullptr && FontHasAll(sign.sign, fontHas)) return std::string(" ") + sign.sign;
    if (sign.plain != nullptr) return std::string(" ") + sign.plain;
    return " (" + meaning + ")";
}
