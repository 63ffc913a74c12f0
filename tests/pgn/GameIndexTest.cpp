// Listing the games of a file: borders, tags and move counts as the reader finds them.
#include "GameIndex.h"
#include "PgnTestSupport.h"

using namespace std::string_literals;

namespace {

// The index of `bytes` lists one game per part, each from the first line of
// its part that is not blank, with its problem; read alone, each game's bytes
// give the tags and plies listed (or, for a listed problem, are refused).
void ExpectListedAsRead(const std::vector<std::string>& parts,
                        const std::vector<std::string>& problems) {
    std::string bytes;
    for (const std::string& part : parts) bytes += part;
    const GameIndex index(bytes);
    ASSERT_EQ(index.Games().size(), parts.size());
    for (std::size_t i = 0, at = 0; i < parts.size(); at += parts[i++].size()) {
        SCOPED_TRACE("game " + std::to_string(i + 1));
        const IndexedGame& listed = index.Games()[i];
        EXPECT_EQ(listed.begin, bytes.rfind('\n', bytes.find_first_not_of(" \t\r\n", at)) + 1);
        EXPECT_EQ(listed.problem, problems[i]);
        auto game = tg::Game();
        const PgnReadResult read =
            ReadPgnFromString(bytes.substr(listed.begin, listed.end - listed.begin), *game);
        EXPECT_FALSE(read.moreGames);
        EXPECT_TRUE(listed.problem.empty() || !read.ok);
        if (!read.ok) continue;  // a move the rules refuse shows only when it is read
        EXPECT_EQ(listed.plies, game->m_plyCount);
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
            EXPECT_EQ(listed.tags[tag], game->m_tag[tag]) << CGameRecord::kTagNames[tag];
    }
}

TEST(GameIndex, BrokenGamesAreListedWithTheirProblem) {
    const std::string ok, next = "The next game's tags begin before this game's result.";
    const std::pair<std::vector<std::string>, std::vector<std::string>> rows[] = {
        {{"[White \"A\"]\n1. e4 *\n\n", "[White \"B\"]\n1. d4 d5\n\n",
          "[White \"C\"]\n1. c4 1-0\n"},
         {ok, next, ok}},
        {{"1. e4 {a note} *\n", "1. d4 {cut"},
         {ok, "A comment in this game's moves is never closed."}},
        {{"1. e4 {a { b\n[Event \"x\"]\n} e5*\n\n", "[Result \"?\"]\n1. d4 d5 2. c4 0-1\n"},
         {ok, ok}},
        {{"[White \"A\"]\n1. e4 (1. d4\n\n", "[White \"B\"]\n1. c4 c5) *\n", "1. Nf3 *\n"},
         {"A variation in this game's moves is never closed.", ok, ok}},
        {{"1. e4 *\n", "1. d4 d5\0 *\n"s, "1. c4 *\n"}, {ok, pgnmsg::kUnexpectedFormat, ok}},
        {{"1. e4 $1-0\n*\n", "\n1. d4 *"}, {ok, ok}},  // "-0" is a move the reader refuses
    };
    for (const auto& [parts, problems] : rows) ExpectListedAsRead(parts, problems);
}

}  // namespace
