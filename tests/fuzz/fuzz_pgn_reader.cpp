// Any bytes as a PGN file: its games listed in order; a game read is the list's first, and
// written and read again it keeps plies, squares, boards, status and its bytes.
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
    if (!ReadPgnFromString(bytes, *first).ok) return 0;
    const IndexedGame* listed = index.Games().empty() ? nullptr : &index.Games()[0];
    fuzz::Require(listed && listed->problem.empty() && listed->plies == first->m_plyCount,
                  "the list's first game is the game read");
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        fuzz::Require(listed->tags[tag] == first->m_tag[tag], "the list has the game's tags");
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
