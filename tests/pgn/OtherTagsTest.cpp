// The tags edited beside the seven: which names and values are kept, and why others are not.
#include <gtest/gtest.h>

#include "OtherTags.h"

namespace {
std::size_t Bytes(const std::string& value) {
    return value.size();
}
}  // namespace

TEST(OtherTags, NamesAsTheStandardAsks) {
    const std::pair<const char*, TagRefusal> rows[] = {
        {"WhiteElo", TagRefusal::None},
        {"Time_Control2", TagRefusal::None},
        {"X", TagRefusal::None},
        {"", TagRefusal::NoName},
        {"whiteElo", TagRefusal::NameNotCapital},
        {"1Elo", TagRefusal::NameNotCapital},
        {"_Elo", TagRefusal::NameNotCapital},
        {"\xC3\x89lo", TagRefusal::NameNotCapital},  // a capital, but not A to Z
        {"White Elo", TagRefusal::NameCharacter},
        {"White-Elo", TagRefusal::NameCharacter},
        {"Elo\"", TagRefusal::NameCharacter},
        {"Caf\xC3\xA9", TagRefusal::NameCharacter},
        {"A123456789012345678901234567890123456789012345678901234567890123", TagRefusal::None},
        {"A1234567890123456789012345678901234567890123456789012345678901234",
         TagRefusal::NameTooLong},
    };
    for (const auto& [name, refusal] : rows) EXPECT_EQ(CheckTagName(name), refusal) << name;
}

TEST(OtherTags, EditedListsKeptOrRefusedAtTheirRow) {
    const std::vector<TagPair> before = {{"White-Elo", "2100"}, {"ECO", "B01"}};
    struct Row {
        const char* rule;
        std::vector<TagPair> after;
        TagRefusal refusal;
        std::size_t row;
    };
    const Row rows[] = {
        {"another program's name left as read stays", before, TagRefusal::None, 2},
        {"values keep quotes and backslashes",
         {{"Annotator", "\"Kasparov\" \\ friends"}, {"Opening", ""}},
         TagRefusal::None,
         2},
        {"that name changed must follow the rules",
         {{"White-Elo", "2200"}},
         TagRefusal::NameCharacter,
         0},
        {"a name twice",
         {{"ECO", "B01"}, {"WhiteElo", "1"}, {"ECO", "C20"}},
         TagRefusal::NameTwice,
         2},
        {"one of the seven", {{"Event", "x"}}, TagRefusal::NameOwn, 0},
        {"the start's own tags", {{"ECO", "B01"}, {"SETUP", "1"}}, TagRefusal::NameOwn, 1},
        {"FEN", {{"FEN", "8/8/8/8/8/8/8/8 w - - 0 1"}}, TagRefusal::NameOwn, 0},
        {"a value of 255 bytes", {{"Annotator", std::string(255, 'a')}}, TagRefusal::None, 1},
        {"a value of 256 bytes",
         {{"Annotator", std::string(256, 'a')}},
         TagRefusal::ValueTooLong,
         0},
        {"a line break", {{"Annotator", "a\nb"}}, TagRefusal::ValueLineBreak, 0},
        {"a variant", {{"Variant", "Chess960"}}, TagRefusal::NotStandard, 0},
        {"standard chess named", {{"Variant", "standard"}}, TagRefusal::None, 1},
    };
    for (const Row& row : rows) {
        std::size_t at = 99;
        EXPECT_EQ(CheckOtherTags(before, row.after, Bytes, at), row.refusal) << row.rule;
        EXPECT_EQ(at, row.row) << row.rule;
    }
    std::vector<TagPair> many;
    for (int i = 0; i <= static_cast<int>(kMaxOtherTags); ++i)
        many.emplace_back("T" + std::to_string(i), "");
    std::size_t at = 0;
    EXPECT_EQ(CheckOtherTags(before, many, Bytes, at), TagRefusal::TooMany);
    EXPECT_EQ(TagRefusalSentence(TagRefusal::NameCharacter, {"White Elo", ""}),
              "The tag name \"White Elo\" may hold only letters, digits and underscores (_), "
              "with no blanks.");
}
