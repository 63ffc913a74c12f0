// The header summary paragraph shown beside the board.
#include "HeaderSummary.h"
#include "RecordTestSupport.h"

TEST(HeaderSummary, LabelsTagsInOrderWithTwoBlanksBetweenItems) {
    const struct {
        const char* tags[CGameRecord::kTagCount];
        const char* summary;
    } rows[] = {
        {{"?", "?", "?", "?", "?", "?", "*"},  // a new game: no blank after RESULT:
         "EVENT: ?  SITE: ?  DATE: ?  ROUND: ?  WHITE: ?  BLACK: ?  RESULT:*"},
        {{"Open", "", "2026.12.05", "3", "Ana", "Bo", "1-0"},  // three blanks before DATE:
         "EVENT: Open  SITE:   DATE: 2026.12.05  ROUND: 3  WHITE: Ana  BLACK: Bo  RESULT:1-0"},
        {{"Open", "Z\xC3\xBCrich", "?", "?", "Ren\xE9", "?", "*"},  // each tag as UTF-8
         "EVENT: Open  SITE: Z\xC3\xBCrich  DATE: ?  ROUND: ?  WHITE: Ren\xC3\xA9  BLACK: ?"
         "  RESULT:*"},
    };
    for (const auto& row : rows) {
        auto game = rec::GameWithPlies(0);
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) game->SetTag(tag, row.tags[tag]);
        EXPECT_EQ(BuildHeaderSummary(*game), row.summary);
    }
}

TEST(HeaderSummary, SevenFullTagsGiveTheLongestSummary) {
    auto game = rec::GameWithPlies(0);
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        game->SetTag(tag, std::string(300, char('a' + tag)));
    const std::string summary = BuildHeaderSummary(*game);
    EXPECT_EQ(summary.size(), 1844u);
    EXPECT_EQ(summary.substr(summary.size() - 9 - 255, 9), "  RESULT:");
}
