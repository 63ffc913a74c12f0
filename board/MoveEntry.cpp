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
        outcome.refusal = announce::kRecordFull;
        return outcome;
    }

    std::string explanation;
    const bool ok = game.TestMove(drop.color, drop.kind, drop.fromFile, drop.fromRank, toFile,
                                  toRank, explanation, 1) != 0;
    if (!ok && !setupActive) {
        toFile = drop.fromFile;
        toRank = drop.fromRank;
        outcome.refusal = explanation;
    }
    // Judged before the piece lands; an en-passant pawn is already gone.
    bool capture = false;
    bool enPassant = false;
    if (game.GetPiece(toFile, toRank) != NoPiece) {
        capture = true;
    } else if (drop.kind == Pawn && toFile != drop.fromFile) {
        capture = enPassant = true;
    }
    game.SetSquare(toFile, toRank, drop.color, drop.kind);
    if (!ok) return outcome;
    outcome.accepted = true;

    int promotion = 0;
    if (drop.kind == Pawn && (toRank == 0 || toRank == 7)) {
        promotion = choosePromotion ? choosePromotion() : Queen;
        if (promotion < Knight || promotion > Queen) promotion = Queen;
        game.SetSquare(toFile, toRank, drop.color, promotion);
    }
    if (setupActive) return outcome;

    const GameEndEvents events = JudgeMove(game, drop.kind, drop.color, capture);
    if (events.fiftyMoveDraw) outcome.announcements.push_back(announce::kFiftyMoveDraw);
    if (events.repetitionDraw) outcome.announcements.push_back(announce::kRepetitionDraw);
    if (events.checkmate) outcome.announcements.push_back(announce::kCheckMate);
    if (events.stalemate) outcome.announcements.push_back(announce::kStaleMate);

    MoveFacts facts;
    facts.kind = drop.kind;
    facts.color = drop.color;
    facts.fromFile = drop.fromFile;
    facts.fromRank = drop.fromRank;
    facts.toFile = toFile;
    facts.toRank = toRank;
    facts.capture = capture;
    facts.enPassant = enPassant;
    facts.promotion = promotion;
    facts.kingFile = events.kingFile;
    facts.kingRank = events.kingRank;
    const std::string text = BuildMoveText(game, facts);
    outcome.line = FormatPlyLine(game, game.m_curPly, text);

    if (game.m_plyCount > game.m_curPly) {
        outcome.firstDroppedPly = game.m_curPly;
        outcome.droppedCount = game.m_plyCount - game.m_curPly;
        for (int i = game.m_plyCount - 1; i >= game.m_curPly; --i) game.m_ply[i].ClearNote();
    }
    const int ply = game.m_curPly;
    RecordPly(game, drop.fromFile, drop.fromRank, toFile, toRank, outcome.line);
    CopyToField(game.m_ply[ply].date, PlyRecord::kDateSize, date);
    outcome.recorded = true;
    return outcome;
}
