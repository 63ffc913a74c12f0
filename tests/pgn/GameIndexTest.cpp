// Listing the games of a file: borders, tags and move counts, never replaying a move.
#include "GameIndex.h"
#include "PgnTestSupport.h"

using namespace std::string_literals;

namespace {

TEST(GameIndex, BrokenGamesAreListedWithTheirProblem) {
    const std::string ok, next = pgnmsg::kNextGameFirst;
    struct Listed {
        std::size_t begin, end;  // its first line that is not blank; past its result's line
        int plies;
        std::string white, result, problem;
    };
    const std::pair<std::string, std::vector<Listed>> rows[] = {
        {"[White \"A\"]\n1. e4 *\n\n[White \"B\"]\n1. d4 d5\n\n[White \"C\"]\n1. c4 1-0\n",
         {{0, 20, 1, "A", "", ok}, {21, 43, 2, "B", "", next}, {43, 65, 1, "C", "1-0", ok}}},
        {"1.e4 e5 2.Nf3 Nc6 3.Bb5 {a note} *\n1. d4 {cut",  // numbers without a blank after
         {{0, 35, 5, "", "", ok}, {35, 45, 1, "", "", pgnmsg::kCommentNotClosed}}},
        {"1. e4 {a { b\n[Event \"x\"]\n} e5*\n\n[Result \"?\"]\n1. d4 d5 2. c4 0-1\n",
         {{0, 31, 2, "", "", ok}, {32, 64, 3, "", "0-1", ok}}},
        {"[White \"A\"]\n1. e4 (1. d4\n\n[White \"B\"]\n1. c4 c5) *\n1. Nf3 *\n",
         {{0, 26, 1, "A", "", pgnmsg::kVariationNotClosed},
          {26, 50, 2, "B", "", ok},
          {50, 59, 1, "", "", ok}}},
        {"1. e4 *\n1. d4 d5\0 *\n1. c4 *\n"s,
         {{0, 8, 1, "", "", ok},
          {8, 20, 2, "", "", pgnmsg::kUnexpectedFormat},
          {20, 28, 1, "", "", ok}}},
        {"1. e4 $1-0\n*\n\n1. d4 *",  // "-0" is a move the reader refuses
         {{0, 13, 2, "", "", ok}, {14, 21, 1, "", "", ok}}},
    };
    for (const auto& [bytes, games] : rows) {
        const GameIndex index(bytes);
        ASSERT_EQ(index.Games().size(), games.size()) << bytes;
        for (std::size_t i = 0; i < games.size(); ++i) {
            SCOPED_TRACE(bytes.substr(games[i].begin, 20));
            const IndexedGame& listed = index.Games()[i];
            EXPECT_EQ(listed.begin, games[i].begin);
            EXPECT_EQ(listed.end, games[i].end);
            EXPECT_EQ(listed.plies, games[i].plies);
            EXPECT_EQ(listed.tags[CGameRecord::WhiteName], games[i].white);
            EXPECT_EQ(listed.tags[CGameRecord::Result], games[i].result);
            EXPECT_EQ(listed.problem, games[i].problem);
        }
    }
}

}  // namespace
