// The header summary paragraph shown beside the board.
#include "HeaderSummary.h"
#include "RecordTestSupport.h"

TEST(HeaderSummary, LabelsTagsInOrderWithTwoBlanksBetweenItems) {
    struct Row {
        const char* rule;
        const char* tags[CGameRecord::kTagCount];
        const char* summary;
    };
    const Row rows[] = {
        {"a new game: no blank after RESULT:",
         {"?", "?", "?", "?", "?", "?", "*"},
         "EVENT: ?  SITE: ?  DATE: ?  ROUND: ?  WHITE: ?  BLACK: ?  RESULT:*"},
        {"an empty Site leaves three blanks before DATE:",
         {"Open", "", "2026.12.05", "3", "Ana", "Bo", "1-0"},
         "EVENT: Open  SITE:   DATE: 2026.12.05  ROUND: 3  WHITE: Ana  BLACK: Bo  RESULT:1-0"},
        {"each tag shown in its own encoding, as UTF-8",
         {"Open", "Z\xC3\xBCrich", "?", "?", "Ren\xE9", "?", "*"},
         "EVENT: Open  SITE: Z\xC3\xBCrich  DATE: ?  ROUND: ?  WHITE: Ren\xC3\xA9  BLACK: ?"
         "  RESULT:*"},
        {"all tags empty",
         {"", "", "", "", "", "", ""},
         "EVENT:   SITE:   DATE:   ROUND:   WHITE:   BLACK:   RESULT:"},
    };
    for (const Row& row : rows) {
        auto game = rec::GameWithPlies(0);
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) game->SetTag(tag, row.tags[tag]);
        EXPECT_EQ(BuildHeaderSummary(*game), row.summary) << row.rule;
    }
}

TEST(HeaderSummary, SevenFullTagsGiveTheLongestSummary) {
    auto game = rec::GameWithPlies(0);
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        game->SetTag(tag, std::string(300, static_cast<char>('a' + tag)));
    const std::string summary = BuildHeaderSummary(*game);
    EXPECT_EQ(summary.size(), 1844u);
    EXPECT_EQ(summary.substr(summary.size() - 9 - 255, 9), "  RESULT:");
}
