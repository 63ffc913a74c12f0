// Listing the games of a file: borders, tags and move counts, never replaying a move.
#include <tuple>

#include "GameIndex.h"
#include "PgnTestSupport.h"

using namespace std::string_literals;

namespace {

// The file listed a block of `blockSize` bytes at a time, as a large file is.
GameIndex ListedInBlocks(const std::string& bytes, std::size_t blockSize,
                         std::vector<std::uint64_t>* told = nullptr) {
    std::size_t at = 0;
    GameIndex index;
    const GameIndex::Listing listing = index.List(
        [&](char* into, std::size_t room) {
            const std::size_t size = std::min(room, bytes.size() - at);
            std::copy_n(bytes.data() + at, size, into);
            at += size;
            return static_cast<std::int64_t>(size);
        },
        [told](std::uint64_t listed) {
            if (told != nullptr) told->push_back(listed);
            return true;
        },
        bytes.size(), blockSize);
    EXPECT_EQ(listing, GameIndex::Listing::Done);
    return index;
}

// Everything a row holds, in one line.
std::string Row(const IndexedGame& game) {
    std::string row = std::to_string(game.begin) + ' ' + std::to_string(game.end) + ' ' +
                      std::to_string(game.plies) + ' ' + std::string(game.problem);
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) row += '|' + std::string(game.Tag(tag));
    return row;
}

std::vector<std::string> Rows(const GameIndex& index) {
    std::vector<std::string> rows;
    for (const IndexedGame& game : index.Games()) rows.push_back(Row(game));
    return rows;
}

TEST(GameIndex, BrokenGamesAreListedWithTheirProblem) {
    const std::string ok, next = pgnmsg::kNextGameFirst;
    // Its first line that is not blank, past its result's line, plies, White, Result, problem.
    using Listed = std::tuple<std::size_t, std::size_t, int, std::string, std::string, std::string>;
    std::string tooLong;  // 301 plies, one more than a game holds
    for (int move = 1; move <= 150; ++move) tooLong += std::to_string(move) + ". Nf3 Nf6 ";
    tooLong += "151. Ng1 *\n";
    const std::pair<std::string, std::vector<Listed>> rows[] = {
        {tooLong, {{0, tooLong.size(), 301, "", "", pgnmsg::kTooManyPlies}}},
        {"[White \"A\"]\n1. e4 *\n\n[White \"B\"]\n1. d4 d5\n\n[White \"C\"]\n1. c4 1-0\n",
         {{0, 20, 1, "A", "", ok}, {21, 43, 2, "B", "", next}, {43, 65, 1, "C", "1-0", ok}}},
        {"[White \"" + std::string(300, 'w') + "\"]\n1. e4 *\n",  // a name kept to 255 bytes
         {{0, 319, 1, std::string(255, 'w'), "", ok}}},
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
        {"12 e4 e5 *\n", {{0, 11, 2, "", "", ok}}},  // a number without its dot is no move
        {"1. e4 (1. d4 (1. c4) d5) e5 2. Nf3 *\n", {{0, 37, 3, "", "", ok}}},  // no variation move
        {"1. e4 d5 2. exd6 e.p.+ *\n", {{0, 25, 3, "", "", ok}}},  // a mark after a move is none
        {"1. e4 ! e5 ?? 2. -- *\n", {{0, 22, 3, "", "", ok}}},  // signs alone are no moves, "--" is
        {"\xEF\xBB\xBF[White \"A\"]\n1. e4 *\n\n\xEF\xBB\xBF[White \"B\"]\n1. d4 d5 *\n",
         {{0, 23, 1, "A", "", ok}, {24, 50, 2, "B", "", ok}}},  // each game may begin with a BOM
        {"[White \"A\"]\n1. e4 *\n\n  [White \"B\"]\n1. d4 d5 *\n",  // a tag line indented
         {{0, 20, 1, "A", "", ok}, {21, 46, 2, "B", "", ok}}},
    };
    for (const auto& [bytes, games] : rows) {
        const GameIndex index(bytes);
        // Blocks that cut lines, tokens and games anywhere list the same.
        for (std::size_t blockSize : {1, 2, 3, 5, 8, 13})
            EXPECT_EQ(Rows(ListedInBlocks(bytes, blockSize)), Rows(index)) << blockSize;
        std::vector<Listed> listed;
        for (const IndexedGame& game : index.Games())
            listed.emplace_back(game.begin, game.end, game.plies, game.Tag(CGameRecord::WhiteName),
                                game.Tag(CGameRecord::Result), game.problem);
        EXPECT_EQ(listed, games) << bytes;
    }
}

TEST(GameIndex, LargeFilesListedInBlocksAsWhole) {
    RAVELIN_REQUIRE_SHARED("pgn");
    std::string all;  // every shared game file one after another, as a large file holds
    for (const auto& path : shared::Files("pgn", ".pgn")) all += shared::ReadFile(path) + "\n";
    const GameIndex whole(all);
    ASSERT_GT(whole.Games().size(), 700u);
    std::vector<std::uint64_t> told;
    EXPECT_EQ(Rows(ListedInBlocks(all, 4096, &told)), Rows(whole));
    // Progress from the first block to the last byte, never going back.
    ASSERT_FALSE(told.empty());
    EXPECT_LE(told.front(), 4096u);
    EXPECT_EQ(told.back(), all.size());
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    // A NUL in a later block marks the file as binary, as it does read whole.
    EXPECT_TRUE(ListedInBlocks(all + std::string(1, '\0'), 4096).HoldsNul());

    // Stopped from the progress, or by a file that cannot be read.
    GameIndex stopped;
    std::size_t blocks = 0;
    const auto readAll = [&](char* into, std::size_t room) {
        std::fill_n(into, room, '\n');
        return static_cast<std::int64_t>(room);
    };
    EXPECT_EQ(stopped.List(readAll, [&](std::uint64_t) { return ++blocks < 3; }, 0, 64),
              GameIndex::Listing::Cancelled);
    EXPECT_EQ(blocks, 3u);
    EXPECT_EQ(stopped.List([](char*, std::size_t) { return std::int64_t{-1}; }, nullptr),
              GameIndex::Listing::ReadFailed);
}

}  // namespace
