// FEN in and out on arbitrary text: a refused text changes nothing; an
// accepted one gives a position whose FEN is accepted again, shows the same
// position, and is written the same way a second time.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    static auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    const fuzz::Shown before(*game);
    const std::string startFen = game->m_startFen;

    if (!game->SetFromFen(text)) {
        fuzz::Require(fuzz::Shown(*game) == before && startFen == game->m_startFen,
                      "a refused FEN changes nothing");
        return 0;
    }
    fuzz::RequireWithinLimits(*game);
    const std::string fen = game->MakeFullFen();

    static auto again = std::make_unique<CGameRecord>();
    fuzz::Require(again->SetFromFen(fen), "the FEN written is accepted");
    fuzz::Require(fuzz::Shown(*game).SameBoard(*again), "the FEN written gives the same board");
    fuzz::Require(again->m_sideToMove == game->m_sideToMove, "the same side to move");
    fuzz::Require(again->m_epFile == game->m_epFile && again->m_epRank == game->m_epRank,
                  "the same en-passant square");
    fuzz::Require(again->m_halfMoveClock == game->m_halfMoveClock, "the same half-move clock");
    fuzz::Require(again->MakeFullFen() == fen, "the FEN is written the same way twice");

    const fuzz::Shown accepted(*game);
    std::string message;
    fuzz::Require(game->CountLegalMoves(game->m_sideToMove, message) >= 0, "a move count");
    fuzz::Require(fuzz::Shown(*game) == accepted, "counting moves leaves the position");
    return 0;
}
