// Whether one move of one lifted piece is allowed, and why not. The checks
// run in the order a learner meets them: whose turn, the board's edge, the
// piece put back, an own piece on the target, the piece's rule, then check.
#include <cstdlib>

#include "GameRecord.h"
#include "RuleMessages.h"

namespace {
int Sign(int n) { return (n > 0) - (n < 0); }
}  // namespace

int CGameRecord::IsFileClear(int file, int fromRank, int toRank) const {
    if (std::abs(toRank - fromRank) < 2) return 1;
    const int step = Sign(toRank - fromRank);
    for (int rank = fromRank; rank != toRank; rank += step)
        if (GetPiece(file, rank) != NoPiece) return 0;
    return 1;
}

int CGameRecord::IsRankClear(int rank, int fromFile, int toFile) const {
    if (std::abs(toFile - fromFile) < 2) return 1;
    const int step = Sign(toFile - fromFile);
    for (int file = fromFile; file != toFile; file += step)
        if (GetPiece(file, rank) != NoPiece) return 0;
    return 1;
}

int CGameRecord::IsDiagonalClear(int fromFile, int fromRank, int toFile, int toRank) const {
    if (std::abs(toFile - fromFile) < 2) return 1;
    const int fileStep = Sign(toFile - fromFile);
    const int rankStep = Sign(toRank - fromRank);
    for (int file = fromFile, rank = fromRank; file != toFile; file += fileStep, rank += rankStep)
        if (GetPiece(file, rank) != NoPiece) return 0;
    return 1;
}

bool CGameRecord::TestPawnMove(int color, int fromFile, int fromRank, int toFile, int toRank,
                               std::string& message) {
    const int forward = PawnForward(color);
    const int dr = toRank - fromRank;
    const int df = toFile - fromFile;
    if (dr == 0) return message = msg::kPawnSideways, false;
    if ((color == White && dr < 1) || (color == Black && dr > -1))
        return message = msg::kPawnBackwards, false;
    if (std::abs(dr) > 2) return message = msg::kPawnTooFar, false;
    if (std::abs(dr) == 2 && fromRank != PawnHomeRank(color))
        return message = msg::kPawnTwoOnlyFirst, false;
    if (std::abs(dr) == 2 && !IsFileClear(fromFile, fromRank, toRank))
        return message = msg::kPawnJump, false;
    if (df == 0) {
        if (GetPiece(toFile, toRank) != NoPiece) return message = msg::kPawnBlocked, false;
        return true;
    }
    if (std::abs(df) != 1 || std::abs(dr) != 1) return message = msg::kPawnDiagonalOne, false;
    if (GetPiece(toFile, toRank) != NoPiece) return true;  // an opponent's piece: a capture
    // En passant: the pawn beside us has just advanced two squares past the target.
    if (m_epFile == toFile && m_epRank + forward == toRank && m_epRank == fromRank &&
        GetPiece(toFile, fromRank) == Pawn && GetColor(toFile, fromRank) == OtherColor(color)) {
        SetSquare(toFile, fromRank, NoColor, NoPiece);
        return true;
    }
    return message = msg::kPawnDiagonalCapture, false;
}

bool CGameRecord::TestCastling(int color, int fromFile, int toFile, std::string& message) {
    const int rank = BackRank(color);
    const bool kingSide = toFile > fromFile;
    const int right = color == White ? (kingSide ? m_canCastleWK : m_canCastleWQ)
                                     : (kingSide ? m_canCastleBK : m_canCastleBQ);
    const int rookFile = kingSide ? 7 : 0;
    // The right alone is not enough: a set-up position may grant it with no
    // rook in the corner, and castling must never create a rook.
    if (!right || GetPiece(rookFile, rank) != Rook || GetColor(rookFile, rank) != color)
        return message = msg::kCastleMoved, false;
    const int firstBetween = kingSide ? 5 : 1;
    const int lastBetween = kingSide ? 6 : 3;
    for (int file = firstBetween; file <= lastBetween; ++file)
        if (GetPiece(file, rank) != NoPiece) return message = msg::kCastleBlocked, false;
    const int passedFile = kingSide ? 5 : 3;
    if (IsSquareAttacked(color, fromFile, rank) || IsSquareAttacked(color, passedFile, rank) ||
        IsSquareAttacked(color, toFile, rank))
        return message = msg::kCastleCheck, false;
    SetSquare(rookFile, rank, NoColor, NoPiece);
    SetSquare(kingSide ? 5 : 3, rank, color, Rook);
    return true;
}

void CGameRecord::CommitRuleState(int color, int piece, int fromFile, int fromRank, int toFile,
                                  int toRank) {
    if (piece == Pawn && std::abs(toRank - fromRank) == 2) {
        m_epFile = fromFile;
        m_epRank = color == White ? 3 : 4;
    } else {
        m_epFile = m_epRank = -1;
    }
    // A right belongs to the rook in its own corner: it goes when that rook
    // leaves the corner or is captured there, never for any other rook.
    auto clearCornerRight = [this](int file, int rank) {
        if (file == 0 && rank == 0) m_canCastleWQ = 0;
        if (file == 7 && rank == 0) m_canCastleWK = 0;
        if (file == 0 && rank == 7) m_canCastleBQ = 0;
        if (file == 7 && rank == 7) m_canCastleBK = 0;
    };
    if (piece == Rook && fromRank == BackRank(color)) clearCornerRight(fromFile, fromRank);
    const int opponent = OtherColor(color);
    if (GetPiece(toFile, toRank) == Rook && GetColor(toFile, toRank) == opponent &&
        toRank == BackRank(opponent))
        clearCornerRight(toFile, toRank);
    if (piece == King) {
        if (color == White)
            m_canCastleWK = m_canCastleWQ = 0;
        else
            m_canCastleBK = m_canCastleBQ = 0;
    }
}

int CGameRecord::TestMove(int color, int piece, int fromFile, int fromRank, int toFile,
                          int toRank, std::string& message, int commit) {
    message.clear();
    if (m_sideToMove != color) {
        message = color == White ? msg::kNotWhitesTurn : msg::kNotBlacksTurn;
        return 0;
    }
    if (!IsOnBoard(toFile, toRank)) return message = msg::kOffBoard, 0;
    if (toFile == fromFile && toRank == fromRank) return message = msg::kTouchedPiece, 0;
    if (GetColor(toFile, toRank) == color) return message = msg::kOwnPiece, 0;

    const int dr = toRank - fromRank;
    const int df = toFile - fromFile;
    const bool wasEpSquareOccupied = GetPiece(toFile, toRank) != NoPiece;
    bool castling = false;
    switch (piece) {
        case Pawn:
            if (!TestPawnMove(color, fromFile, fromRank, toFile, toRank, message)) return 0;
            break;
        case Knight:
            if (!((std::abs(dr) == 1 && std::abs(df) == 2) || (std::abs(dr) == 2 && std::abs(df) == 1)))
                return message = msg::kKnightMove, 0;
            break;
        case Bishop:
            if (std::abs(dr) != std::abs(df)) return message = msg::kBishopLine, 0;
            if (!IsDiagonalClear(fromFile, fromRank, toFile, toRank))
                return message = msg::kBishopJump, 0;
            break;
        case Rook: {
            int clear;
            if (df == 0)
                clear = IsFileClear(fromFile, fromRank, toRank);
            else if (dr != 0)
                return message = msg::kRookLine, 0;
            else
                clear = IsRankClear(fromRank, fromFile, toFile);
            if (!clear) return message = msg::kRookJump, 0;
            break;
        }
        case Queen: {
            int clear;
            if (df == 0)
                clear = IsFileClear(fromFile, fromRank, toRank);
            else if (dr == 0)
                clear = IsRankClear(fromRank, fromFile, toFile);
            else if (std::abs(dr) != std::abs(df))
                return message = msg::kQueenLine, 0;
            else
                clear = IsDiagonalClear(fromFile, fromRank, toFile, toRank);
            if (!clear) return message = msg::kQueenJump, 0;
            break;
        }
        case King:
            if (std::abs(df) <= 1 && std::abs(dr) <= 1) break;
            if (dr != 0 || fromFile != 4 || fromRank != BackRank(color) || std::abs(df) != 2)
                return message = msg::kKingOneSquare, 0;
            if (!TestCastling(color, fromFile, toFile, message)) return 0;
            castling = true;
            break;
        default:
            return message = msg::kOffBoard, 0;
    }

    if (!castling) {
        // Put the piece on the target for a moment and look at our king. A side
        // without a king (a set-up position) cannot be in check.
        const int savedPiece = GetPiece(toFile, toRank);
        const int savedColor = GetColor(toFile, toRank);
        SetSquare(toFile, toRank, color, piece);
        int kingFile = -1, kingRank = -1;
        const KnownKing& known = m_knownKing;
        if (piece != King && known.color == color && GetPiece(known.file, known.rank) == King &&
            GetColor(known.file, known.rank) == color) {
            kingFile = known.file;
            kingRank = known.rank;
        } else {
            FindPiece(color, King, kingFile, kingRank);
        }
        const bool inCheck = kingFile >= 0 && IsSquareAttacked(color, kingFile, kingRank);
        SetSquare(toFile, toRank, savedColor, savedPiece);
        if (inCheck) {
            if (piece == Pawn && df != 0 && !wasEpSquareOccupied)
                SetSquare(toFile, fromRank, OtherColor(color), Pawn);
            return message = msg::kIntoCheck, 0;
        }
    }

    if (commit) CommitRuleState(color, piece, fromFile, fromRank, toFile, toRank);
    return 1;
}
