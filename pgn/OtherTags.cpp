#include "OtherTags.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The tags the program writes from the game itself, as the reader knows them.
bool IsOwnTag(std::string_view name) {
    for (const char* own : CGameRecord::kTagNames)
        if (name == own) return true;
    return name == "FEN" || SameIgnoringCase(name, "SetUp");
}

}  // namespace

TagRefusal CheckTagName(std::string_view name) {
    if (name.empty()) return TagRefusal::NoName;
    if (name[0] < 'A' || name[0] > 'Z') return TagRefusal::NameNotCapital;
    for (const char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return TagRefusal::NameCharacter;
    if (name.size() > kMaxTagNameLength) return TagRefusal::NameTooLong;
    return TagRefusal::None;
}

bool NamesStandardChess(std::string_view variant) {
    for (const char* standard : {"", "Standard", "Chess", "Normal", "From Position"})
        if (SameIgnoringCase(variant, standard)) return true;
    return false;
}

TagRefusal CheckTagRow(const std::vector<TagPair>& before, const std::vector<TagPair>& after,
                       std::size_t row, std::size_t valueBytes) {
    const TagPair& tag = after[row];
    for (std::size_t other = 0; other < row; ++other)
        if (after[other].first == tag.first && !tag.first.empty()) return TagRefusal::NameTwice;
    // Another program's row, left as it was, is written back as it was read.
    if (std::find(before.begin(), before.end(), tag) != before.end()) return TagRefusal::None;
    const TagRefusal name = CheckTagName(tag.first);
    if (name != TagRefusal::None) return name;
    if (IsOwnTag(tag.first)) return TagRefusal::NameOwn;
    if (valueBytes > kMaxTagValueLength) return TagRefusal::ValueTooLong;
    if (std::any_of(tag.second.begin(), tag.second.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return TagRefusal::ValueLineBreak;
    if (tag.first == "Variant" && !NamesStandardChess(tag.second)) return TagRefusal::NotStandard;
    return TagRefusal::None;
}

std::string TagRefusalSentence(TagRefusal refusal, const TagPair& row) {
    const std::string name = "\"" + row.first + "\"";
    switch (refusal) {
        case TagRefusal::None:
            return {};
        case TagRefusal::NoName:
            return "Each tag needs a name: the row with the value \"" + row.second + "\" has none.";
        case TagRefusal::NameNotCapital:
            return "The tag name " + name + " must begin with a capital letter (A to Z).";
        case TagRefusal::NameCharacter:
            return "The tag name " + name +
                   " may hold only letters, digits and underscores (_), with no blanks.";
        case TagRefusal::NameTooLong:
            return "The tag name " + name + " is longer than " + std::to_string(kMaxTagNameLength) +
                   " characters.";
        case TagRefusal::NameOwn:
            return "The tag " + name +
                   " is written by Ravelin itself, from the fields above or the starting "
                   "position.";
        case TagRefusal::NameTwice:
            return "The tag " + name + " is named twice; a game holds each tag once.";
        case TagRefusal::ValueTooLong:
            return "The value of the tag " + name + " is longer than the " +
                   std::to_string(kMaxTagValueLength) + " characters a tag can hold.";
        case TagRefusal::ValueLineBreak:
            return "The value of the tag " + name +
                   " holds a line break or another control character, which a tag cannot.";
        case TagRefusal::NotStandard:
            return "Ravelin records standard chess only: the tag \"Variant\" cannot say \"" +
                   row.second + "\".";
        case TagRefusal::TooMany:
            return "A game can keep at most " + std::to_string(kMaxOtherTags) +
                   " tags besides the seven.";
    }
    return {};
}
