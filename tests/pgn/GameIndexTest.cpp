// Listing the games of a file: borders, tags and move counts as the reader finds them.
#include <gtest/gtest.h>

#include <map>

#include "GameIndex.h"
#include "PgnTestSupport.h"
#include "SharedData.h"

using namespace std::string_literals;

namespace {

// The index of `bytes` lists `count` games with only blank lines between them,
// and each game's bytes read alone give its tags and plies (or, for a listed
// problem, are refused).
GameIndex ExpectListedAsRead(const std::string& bytes, std::size_t count) {
    GameIndex index(bytes);
    EXPECT_EQ(index.Games().size(), count);
    std::size_t previousEnd = 0;
    for (std::size_t i = 0; i < index.Games().size(); ++i) {
        SCOPED_TRACE("game " + std::to_string(i + 1));
        const IndexedGame& listed = index.Games()[i];
        const std::size_t text = bytes.find_first_not_of(" \t\r\n", previousEnd);
        EXPECT_EQ(listed.begin, bytes.rfind('\n', text) + 1);  // the start of its line
        previousEnd = listed.end;
        auto game = pgntest::EmptyGame();
        const PgnReadResult read =
            ReadPgnFromString(bytes.substr(listed.begin, listed.end - listed.begin), *game);
        EXPECT_FALSE(read.moreGames);
        if (!listed.problem.empty()) {
            EXPECT_FALSE(read.ok);
        }
        if (!read.ok) continue;  // a move the rules refuse shows only when it is read
        EXPECT_EQ(listed.plies, game->m_plyCount);
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
            EXPECT_EQ(listed.tags[tag], game->m_tag[tag]) << CGameRecord::kTagNames[tag];
    }
    return index;
}

TEST(GameIndex, FilesOfManyGamesSplitWhereTheirPartsBegin) {
    RAVELIN_REQUIRE_SHARED("pgn/multi");
    const std::pair<const char*, const char*> files[] = {
        {"multi/chessjs-benchmark.pgn", "good/chessjs/benchmark"},
        {"multi/pgn-extract-petrosian.pgn", "good/pgn-extract/petrosian"},
    };
    for (const auto& [file, parts] : files) {
        SCOPED_TRACE(file);
        const std::string bytes = shared::ReadFile(shared::Root() / "pgn" / file);
        std::vector<std::string> texts;
        for (int n = 1;; ++n) {
            char name[16];
            std::snprintf(name, sizeof name, ".%03d.pgn", n);
            const auto part = shared::Root() / "pgn" / (parts + std::string(name));
            if (!std::filesystem::exists(part)) break;
            texts.push_back(shared::ReadFile(part));
        }
        const GameIndex index = ExpectListedAsRead(bytes, texts.size());
        for (std::size_t i = 0; i < index.Games().size(); ++i) {
            const std::size_t next =
                i + 1 < index.Games().size() ? index.Games()[i + 1].begin : bytes.size();
            EXPECT_EQ(bytes.substr(index.Games()[i].begin, next - index.Games()[i].begin),
                      texts[i]);
            EXPECT_EQ(index.Games()[i].problem, "");
        }
    }
}

TEST(GameIndex, PartsOfOneSourceFileListOneGameEach) {
    RAVELIN_REQUIRE_SHARED("pgn");
    std::map<std::string, std::vector<std::filesystem::path>> sources;  // file name without ".NNN"
    for (const std::string sub : {"pgn/good", "pgn/other"})
        for (const auto& path : shared::Files(sub, ".pgn"))
            sources[path.parent_path().string() + "/" + path.stem().stem().string()].push_back(
                path);
    int joined = 0;
    for (const auto& [source, parts] : sources) {
        if (parts.size() < 2) continue;
        SCOPED_TRACE(source);
        std::string bytes;
        for (const auto& part : parts) bytes += shared::ReadFile(part);
        ExpectListedAsRead(bytes, parts.size());
        ++joined;
    }
    EXPECT_GT(joined, 20);
}

TEST(GameIndex, BrokenGamesAreListedWithTheirProblem) {
    struct Row {
        const char* name;
        std::string text;
        std::vector<std::string> problems;
    };
    const std::string ok;
    const Row rows[] = {
        {"a middle game without its result",
         "[White \"A\"]\n1. e4 *\n\n[White \"B\"]\n1. d4 d5\n\n[White \"C\"]\n1. c4 1-0\n",
         {ok, "The next game's tags begin before this game's result.", ok}},
        {"a last game cut short",
         "1. e4 {a note} *\n1. d4 {cut",
         {ok, "The file ends before this game's result."}},
        {"a NUL byte", "1. e4 *\n1. d4 d5\0 *\n1. c4 *\n"s, {ok, pgnmsg::kUnexpectedFormat, ok}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const GameIndex index = ExpectListedAsRead(row.text, row.problems.size());
        for (std::size_t i = 0; i < index.Games().size(); ++i)
            EXPECT_EQ(index.Games()[i].problem, row.problems[i]) << i;
    }
}

}  // namespace
