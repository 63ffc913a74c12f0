#include "MoveRecording.h"

namespace {

// Mate or stalemate of `side`, whatever the status.
void JudgeMateOrStalemate(CGameRecord& game, int side, GameEndEvents& events) {
    game.FindPiece(side, King, events.kingFile, events.kingRank);
    if (game.HasLegalMove(side)) return;
    // A side without a king has nothing to be mated: that is stalemate.
    if (game.IsSquareAttacked(side, events.kingFile, events.kingRank)) {
        game.m_status = 'M';
        events.checkmate = true;
    } else {
        game.m_status = 'S';
        events.stalemate = true;
    }
}

}  // namespace

GameEndEvents JudgeMove(CGameRecord& game, int kind, int color, bool capture, EndTest test) {
    GameEndEvents events;
    if (!capture && kind != Pawn) {
        game.m_halfMoveClock += 1;
        if (game.m_halfMoveClock >= 100) {
            game.m_status = 'D';
            events.fiftyMoveDraw = true;
        }
    } else {
        game.m_halfMoveClock = 0;
    }
    if (game.m_status == 'P') {
        const int repeats = game.SetRepeatCount(game.FindRepetition());
        if (repeats > 1) {
            game.m_status = 'D';
            events.repetitionDraw = true;
        }
    }
    if (test == EndTest::AfterMove) JudgeMateOrStalemate(game, OtherColor(color), events);
    return events;
}

void SettleLineEnd(CGameRecord& game) {
    if (game.m_curPly <= 0 || game.m_curPly > CGameRecord::kMaxPlies) return;
    GameEndEvents events;
    JudgeMateOrStalemate(game, game.m_sideToMove, events);
    game.m_ply[game.m_curPly - 1].status = game.m_status;
}

bool RecordPly(CGameRecord& game, const Move& move, const std::string& line) {
    if (!game.StorePly(move.from.file, move.from.rank, move.to.file, move.to.rank, line))
        return false;
    game.m_sideToMove = OtherColor(game.m_sideToMove);
    game.m_curPly += 1;
    game.m_plyCount = game.m_curPly;
    game.CheckSound();
    return true;
}

std::string TurnText(const CGameRecord& game) {
    if (game.m_setupMode) return "Setup";
    switch (game.m_status) {
        case 'M':
            return "Checkmate";
        case 'S':
            return "Stalemate";
        case 'D':
            return "Drawn";
        default:
            break;
    }
    const int side = game.m_sideToMove;
    std::string text = side == Black ? "Black to move" : "White to move";
    int kingFile = -1, kingRank = -1;
    game.FindPiece(side, King, kingFile, kingRank);
    if (game.IsSquareAttacked(side, kingFile, kingRank)) text += ", check";
    return text;
}
