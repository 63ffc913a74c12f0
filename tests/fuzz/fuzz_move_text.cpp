// Move texts of any shape on positions from the tests: the first byte picks
// the position, the rest is split at blanks into move texts, each read with
// converMove and as a typed move, then applied with ApplyMoveText for the
// side to move.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "MoveTextApply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static auto game = std::make_unique<CGameRecord>();
    fuzz::StartGame(*game, data[0]);

    std::istringstream words(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    std::string word;
    while (words >> word) {
        const fuzz::Shown before(*game);
        int fromFile, fromRank, toFile, toRank;
        std::string cleaned = word;
        game->converMove(fromFile, fromRank, toFile, toRank, cleaned, game->m_sideToMove);
        fuzz::Require(fuzz::Shown(*game) == before, "reading a move text leaves the game");
        TypedMove typed;
        if (ReadTypedMove(*game, word, typed))
            fuzz::Require(IsOnBoard(typed.fromFile, typed.fromRank) &&
                              IsOnBoard(typed.toFile, typed.toRank) &&
                              game->GetPiece(typed.fromFile, typed.fromRank) != NoPiece,
                          "a typed move read names a piece and a square");
        fuzz::Require(fuzz::Shown(*game) == before, "reading a typed move leaves the game");

        const MoveTextResult result = ApplyMoveText(*game, word, game->m_sideToMove);
        fuzz::RequireWithinLimits(*game);
        if (result == MoveTextResult::NotPlayed) {
            fuzz::Require(fuzz::Shown(*game) == before, "a move not played changes nothing");
            continue;
        }
        fuzz::Require(game->m_curPly == before.curPly + 1, "a move played adds one ply");
        fuzz::Require(game->m_plyCount == game->m_curPly, "a move played is the last");
        fuzz::Require(game->m_sideToMove != before.side, "a move played passes the move");
        const PlyRecord& ply = game->m_ply[game->m_curPly - 1];
        fuzz::RequirePlyCodes(ply);
        fuzz::Require(std::memcmp(ply.piece, game->m_piece, sizeof ply.piece) == 0 &&
                          std::memcmp(ply.color, game->m_color, sizeof ply.color) == 0,
                      "the ply keeps the board after it");
        // The clipboard texts take the recorded line apart.
        game->GetLongMoveText(game->m_curPly - 1);
        game->GetMoveWithoutNumber(game->m_curPly - 1);
    }
    return 0;
}
