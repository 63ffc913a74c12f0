#include "MoveEntry.h"

#include "MovePlay.h"
#include "MoveRecording.h"
#include "PlyLine.h"
#include "TextField.h"

DropOutcome PlayDroppedPiece(CGameRecord& game, const PieceDrop& drop, bool setupActive,
                             const std::string& date, const PromotionChooser& choosePromotion) {
    DropOutcome outcome;
    const int toFile = drop.to.file;
    const int toRank = drop.to.rank;
    if (!setupActive && game.m_curPly >= CGameRecord::kMaxPlies) {
        game.SetSquare(drop.from.file, drop.from.rank, drop.color, drop.kind);
        outcome.why = DropRefusal::RecordFull;
        outcome.refusal = announce::kRecordFull;
        return outcome;
    }

    // The piece is chosen before the move is made, so that declining leaves
    // the castling rights and the en-passant square as they were.
    int promotion = NoPiece;
    std::string explanation;
    if (drop.kind == Pawn && (toRank == 0 || toRank == 7) &&
        game.TestMove(drop.color, drop.kind, drop.from.file, drop.from.rank, toFile, toRank,
                      explanation, 0)) {
        promotion = choosePromotion ? choosePromotion() : Queen;
        if (promotion == NoPiece) {
            game.SetSquare(drop.from.file, drop.from.rank, drop.color, drop.kind);
            return outcome;
        }
    }
    if (setupActive) {
        // Any piece goes anywhere, off the board too: the rules' side effects
        // where it is a move, nothing recorded and nothing judged.
        const bool move = game.TestMove(drop.color, drop.kind, drop.from.file, drop.from.rank,
                                        toFile, toRank, explanation, 1) != 0;
        game.SetSquare(toFile, toRank, drop.color, drop.kind);
        if (!move) return outcome;
        outcome.accepted = true;
        if (drop.kind == Pawn && (toRank == 0 || toRank == 7))
            game.SetSquare(toFile, toRank, drop.color,
                           promotion >= Knight && promotion <= Queen ? promotion : Queen);
        return outcome;
    }
    // Played from its square, as every move is played.
    game.SetSquare(drop.from.file, drop.from.rank, drop.color, drop.kind);
    const PlayedMove played = PlayMove(game, Move{drop.from, drop.to, promotion});
    if (!played.legal) {
        outcome.why = DropRefusal::AgainstRules;
        outcome.refusal = played.refusal;
        return outcome;
    }
    outcome.accepted = true;
    const GameEndEvents& events = played.events;
    if (events.fiftyMoveDraw) outcome.announcements.push_back(announce::kFiftyMoveDraw);
    if (events.repetitionDraw) outcome.announcements.push_back(announce::kRepetitionDraw);
    if (events.checkmate) outcome.announcements.push_back(announce::kCheckMate);
    if (events.stalemate) outcome.announcements.push_back(announce::kStaleMate);
    outcome.line = FormatPlyLine(game, game.m_curPly, played.text);

    if (game.m_plyCount > game.m_curPly) {
        outcome.firstDroppedPly = game.m_curPly;
        outcome.droppedCount = game.m_plyCount - game.m_curPly;
        for (int i = game.m_plyCount - 1; i >= game.m_curPly; --i) {
            game.m_ply[i].ClearNote();
            game.m_ply[i].variations.clear();
        }
    }
    const int ply = game.m_curPly;
    RecordPly(game, Move{drop.from, drop.to}, outcome.line);
    CopyToField(game.m_ply[ply].date, PlyRecord::kDateSize, date);
    outcome.recorded = true;
    return outcome;
}
