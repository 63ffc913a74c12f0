// The header summary paragraph shown beside the board.
#include "HeaderSummary.h"
#include "TestGames.h"

TEST(HeaderSummary, LabelsTagsInOrderWithTwoBlanksBetweenItems) {
    const struct {
        const char* tags[CGameRecord::kTagCount];
        const char* summary;
    } rows[] = {
        {{"Open", "", "2026.12.05", "3", "Ana", "Bo", "1-0"},  // none after RESULT:
         "EVENT: Open  SITE:   DATE: 2026.12.05  ROUND: 3  WHITE: Ana  BLACK: Bo  RESULT:1-0"},
        {{"Open", "Z\xC3\xBCrich", "?", "?", "Ren\xE9", "?", "*"},  // each tag as UTF-8
         "EVENT: Open  SITE: Z\xC3\xBCrich  DATE: ?  ROUND: ?  WHITE: Ren\xC3\xA9  BLACK: ?"
         "  RESULT:*"},
    };
    for (const auto& row : rows) {
        auto game = tg::Game();
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) game->SetTag(tag, row.tags[tag]);
        EXPECT_EQ(BuildHeaderSummary(*game), row.summary);
    }
}
