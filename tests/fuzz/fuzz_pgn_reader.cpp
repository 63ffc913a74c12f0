// Any bytes as a PGN file: its games listed in order; a game read is the list's first, and
// written and read again it keeps plies, squares, boards, status and its bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "GameIndex.h"
#include "PgnReader.h"
#include "PgnWriter.h"

namespace fuzz {
void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}
}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto first = std::make_unique<CGameRecord>();
    static auto second = std::make_unique<CGameRecord>();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const GameIndex index(bytes);
    std::size_t end = 0;
    for (const IndexedGame& game : index.Games()) {
        fuzz::Require(end <= game.begin && game.begin < game.end && game.end <= size,
                      "the games are listed in order within the file");
        end = game.end;
    }
    // Listed a few bytes at a time, as a large file is, the list is the same.
    GameIndex inBlocks;
    std::size_t at = 0;
    inBlocks.List(
        [&](char* into, std::size_t room) {
            const std::size_t taken = std::min(room, size - at);
            std::memcpy(into, bytes.data() + at, taken);
            at += taken;
            return static_cast<std::int64_t>(taken);
        },
        nullptr, size, 7);
    fuzz::Require(
        inBlocks.Games().size() == index.Games().size() && inBlocks.HoldsNul() == index.HoldsNul(),
        "a file listed in blocks lists the same games");
    for (std::size_t i = 0; i < index.Games().size(); ++i) {
        const IndexedGame& a = index.Games()[i];
        const IndexedGame& b = inBlocks.Games()[i];
        bool same =
            a.begin == b.begin && a.end == b.end && a.plies == b.plies && a.problem == b.problem;
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
            same = same && a.Tag(tag) == b.Tag(tag);
        fuzz::Require(same, "a game listed in blocks is listed the same");
    }
    if (!ReadPgnFromString(bytes, *first).ok) return 0;
    const IndexedGame* listed = index.Games().empty() ? nullptr : &index.Games()[0];
    fuzz::Require(listed && listed->problem.empty() && listed->plies == first->m_plyCount,
                  "the list's first game is the game read");
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        fuzz::Require(listed->Tag(tag) == first->m_tag[tag], "the list has the game's tags");
    fuzz::Require(
        first->m_curPly <= first->m_plyCount && first->m_plyCount <= CGameRecord::kMaxPlies,
        "at most 300 plies");

    const std::string written = WritePgnToString(*first);
    const PgnReadResult again = ReadPgnFromString(written, *second);
    if (!again.ok) std::fprintf(stderr, "%s\n", again.message.c_str());
    fuzz::Require(again.ok && !again.moreGames, "a written game reads back as one game");
    fuzz::Require(second->m_plyCount == first->m_plyCount && second->m_curPly == first->m_curPly &&
                      second->MakeFullFen() == first->MakeFullFen(),
                  "the same plies and final position");
    for (int i = 0; i < first->m_plyCount; ++i) {
        const PlyRecord& a = first->m_ply[i];
        const PlyRecord& b = second->m_ply[i];
        fuzz::Require(std::string(a.text) == b.text && a.nags == b.nags && a.status == b.status &&
                          a.fromFile == b.fromFile && a.fromRank == b.fromRank &&
                          a.toFile == b.toFile && a.toRank == b.toRank &&
                          std::memcmp(a.piece, b.piece, sizeof a.piece) == 0,
                      "the same text, squares, board and status of each ply");
    }
    fuzz::Require(WritePgnToString(*second) == written, "a game read back is written the same");
    return 0;
}
