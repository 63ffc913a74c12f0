#include "MovePlay.h"

PlayedMove PlayMove(CGameRecord& game, const Move& move, const PlayOptions& options) {
    PlayedMove played;
    const Square from = move.from, to = move.to;
    const int kind = game.GetPiece(from.file, from.rank);
    const int color = game.GetColor(from.file, from.rank);
    if (kind == NoPiece) return played;
    game.SetSquare(from.file, from.rank, NoColor, NoPiece);
    played.legal =
        game.TestMove(color, kind, from.file, from.rank, to.file, to.rank, played.refusal, 1) != 0;
    if (!played.legal && !options.carryIllegal) {
        game.SetSquare(from.file, from.rank, color, kind);
        return played;
    }
    played.carried = true;
    MoveFacts& facts = played.facts;
    facts = FactsBeforeMove(game, kind, color, move);
    game.SetSquare(to.file, to.rank, color, kind);
    facts.move.promotion = NoPiece;
    if (kind == Pawn && (to.rank == 0 || to.rank == 7)) {
        facts.move.promotion =
            move.promotion >= Knight && move.promotion <= Queen ? move.promotion : Queen;
        game.SetSquare(to.file, to.rank, color, facts.move.promotion);
    }
    played.events = JudgeMove(game, kind, color, facts.capture, options.test);
    facts.king = {played.events.kingFile, played.events.kingRank};
    if (!options.named) return played;
    if (options.test == EndTest::AtLineEnd)
        game.FindPiece(OtherColor(color), King, facts.king.file, facts.king.rank);

    // The marks the caller does not write are left out of the text alone.
    MoveFacts named = facts;
    named.enPassant = facts.enPassant && options.enPassantMark;
    const char status = game.m_status;
    if (!options.drawMark && status != 'M') game.m_status = 'P';
    played.text = BuildMoveText(game, named);
    game.m_status = status;
    return played;
}
