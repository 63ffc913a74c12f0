#include "MoveEntry.h"

#include "MoveRecording.h"
#include "MoveText.h"
#include "PlyLine.h"
#include "TextField.h"

DropOutcome PlayDroppedPiece(CGameRecord& game, const PieceDrop& drop, bool setupActive,
                             const std::string& date, const PromotionChooser& choosePromotion) {
    DropOutcome outcome;
    int toFile = drop.toFile;
    int toRank = drop.toRank;
    if (!setupActive && game.m_curPly >= CGameRecord::kMaxPlies) {
        game.SetSquare(drop.fromFile, drop.fromRank, drop.color, drop.kind);
        outcome.why = DropRefusal::RecordFull;
        outcome.refusal = announce::kRecordFull;
        return outcome;
    }

    // The piece is chosen before the move is made, so that declining leaves
    // the castling rights and the en-passant square as they were.
    int promotion = NoPiece;
    std::string explanation;
    if (drop.kind == Pawn && (toRank == 0 || toRank == 7) &&
        game.TestMove(drop.color, drop.kind, drop.fromFile, drop.fromRank, toFile, toRank,
                      explanation, 0)) {
        promotion = choosePromotion ? choosePromotion() : Queen;
        if (promotion == NoPiece) {
            game.SetSquare(drop.fromFile, drop.fromRank, drop.color, drop.kind);
            return outcome;
        }
    }
    const bool ok = game.TestMove(drop.color, drop.kind, drop.fromFile, drop.fromRank, toFile,
                                  toRank, explanation, 1) != 0;
    if (!ok && !setupActive) {
        toFile = drop.fromFile;
        toRank = drop.fromRank;
        outcome.why = DropRefusal::AgainstRules;
        outcome.refusal = explanation;
    }
    MoveFacts facts =
        FactsBeforeMove(game, drop.kind, drop.color, drop.fromFile, drop.fromRank, toFile, toRank);
    game.SetSquare(toFile, toRank, drop.color, drop.kind);
    if (!ok) return outcome;
    outcome.accepted = true;

    if (drop.kind == Pawn && (toRank == 0 || toRank == 7)) {
        facts.promotion = promotion;
        if (facts.promotion < Knight || facts.promotion > Queen) facts.promotion = Queen;
        game.SetSquare(toFile, toRank, drop.color, facts.promotion);
    }
    if (setupActive) return outcome;

    const GameEndEvents events = JudgeMove(game, drop.kind, drop.color, facts.capture);
    if (events.fiftyMoveDraw) outcome.announcements.push_back(announce::kFiftyMoveDraw);
    if (events.repetitionDraw) outcome.announcements.push_back(announce::kRepetitionDraw);
    if (events.checkmate) outcome.announcements.push_back(announce::kCheckMate);
    if (events.stalemate) outcome.announcements.push_back(announce::kStaleMate);

    facts.kingFile = events.kingFile;
    facts.kingRank = events.kingRank;
    const std::string text = BuildMoveText(game, facts);
    outcome.line = FormatPlyLine(game, game.m_curPly, text);

    if (game.m_plyCount > game.m_curPly) {
        outcome.firstDroppedPly = game.m_curPly;
        outcome.droppedCount = game.m_plyCount - game.m_curPly;
        for (int i = game.m_plyCount - 1; i >= game.m_curPly; --i) {
            game.m_ply[i].ClearNote();
            game.m_ply[i].variations.clear();
        }
    }
    const int ply = game.m_curPly;
    RecordPly(game, drop.fromFile, drop.fromRank, toFile, toRank, outcome.line);
    CopyToField(game.m_ply[ply].date, PlyRecord::kDateSize, date);
    outcome.recorded = true;
    return outcome;
}
