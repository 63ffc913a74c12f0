#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "GameRecord.h"

// The tags of a game beyond the seven, SetUp and FEN (CGameRecord::m_keptTags):
// what is kept of them when read, and the rules an edited list must follow
// before it is kept.

// A tag as kept: its name and its value, escapes undone.
using TagPair = std::pair<std::string, std::string>;

// What is kept of such tags: the seven's value size, more tags and longer
// names than any real game has.
inline constexpr std::size_t kMaxTagValueLength = CGameRecord::kTagSize - 1;
inline constexpr std::size_t kMaxTagNameLength = 64;
inline constexpr std::size_t kMaxOtherTags = 100;

// The names offered for a tag added by hand: the supplemental tags of the
// PGN standard that games carry most.
inline constexpr const char* kCommonTagNames[] = {
    "WhiteElo",  "BlackElo",  "ECO",        "Opening",    "TimeControl",
    "Annotator", "EventDate", "WhiteTitle", "BlackTitle", "Termination",
};

// Why an edited list of tags is not kept.
enum class TagRefusal {
    None,
    NoName,          // a row without a name
    NameNotCapital,  // a name that does not begin with a capital letter
    NameCharacter,   // a name with a character beyond letters, digits and _
    NameTooLong,     // a name longer than kMaxTagNameLength
    NameOwn,         // one of the seven, SetUp or FEN, which Ravelin writes itself
    NameTwice,       // a name another row already has
    ValueTooLong,    // a value beyond kMaxTagValueLength bytes
    ValueLineBreak,  // a value holding a line break or another control character
    NotStandard,     // a Variant other than standard chess
    TooMany,         // more than kMaxOtherTags rows
};

// Whether `name` may be written as a tag name: as the PGN standard asks of
// names in archival storage, a capital letter (A to Z) and then letters,
// digits and underscores only; at most kMaxTagNameLength of them. None, or
// the first rule it breaks.
TagRefusal CheckTagName(std::string_view name);

// Checks `after`, the tags of `before` as the user left them. A row that is
// in `before` unchanged stays as another program wrote it; any other row has
// its name checked by CheckTagName and its value, of `valueBytes(value)`
// bytes once stored, against the value size. No name may stand twice, nor
// name a tag Ravelin writes itself. Returns the first refusal and, in `row`,
// the index in `after` of the row at fault.
template <typename ValueBytes>
TagRefusal CheckOtherTags(const std::vector<TagPair>& before, const std::vector<TagPair>& after,
                          ValueBytes valueBytes, std::size_t& row);

// The sentence that tells why `row` was refused.
std::string TagRefusalSentence(TagRefusal refusal, const TagPair& row);

// Whether a Variant tag's value names standard chess, the only game Ravelin
// records ("Standard", "Chess", "Normal", "From Position" or nothing).
bool NamesStandardChess(std::string_view variant);

// The checks of one row, for CheckOtherTags.
TagRefusal CheckTagRow(const std::vector<TagPair>& before, const std::vector<TagPair>& after,
                       std::size_t row, std::size_t valueBytes);

template <typename ValueBytes>
TagRefusal CheckOtherTags(const std::vector<TagPair>& before, const std::vector<TagPair>& after,
                          ValueBytes valueBytes, std::size_t& row) {
    for (row = 0; row < after.size(); ++row) {
        const TagRefusal refusal = CheckTagRow(
            before, after, row, static_cast<std::size_t>(valueBytes(after[row].second)));
        if (refusal != TagRefusal::None) return refusal;
    }
    if (after.size() > kMaxOtherTags && after.size() > before.size()) {
        row = kMaxOtherTags;
        return TagRefusal::TooMany;
    }
    return TagRefusal::None;
}
