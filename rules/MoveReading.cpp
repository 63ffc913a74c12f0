// Reading moves given as short algebraic text, and taking a recorded ply's
// text apart for the clipboard reports.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "GameRecord.h"
#include "MoveTables.h"

void StripChars(std::string& text, const char* chars) {
    auto listed = [chars](char c) { return c != '\0' && std::strchr(chars, c) != nullptr; };
    text.erase(std::remove_if(text.begin(), text.end(), listed), text.end());
}

namespace {

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int PieceFromMoveLetter(char letter) {
    switch (letter) {
        case 'N': return Knight;
        case 'B': return Bishop;
        case 'R': return Rook;
        case 'Q': return Queen;
        case 'K': return King;
        default: return NoPiece;
    }
}

char At(const std::string& text, std::size_t i) { return i < text.size() ? text[i] : '\0'; }

}  // namespace

// The square a piece of `piece` and `color` comes from to reach the target,
// within the file and rank already known (-1 when not). Prefers a piece whose
// path is clear and, among several, one whose move is legal, so a blocked or
// pinned piece is not taken for the one meant. False when none can go there;
// `ambiguous` when two or more could legally go there.
bool CGameRecord::FindMovingPiece(int piece, int color, int& fromFile, int& fromRank, int toFile,
                                  int toRank, bool& ambiguous) {
    ambiguous = false;
    // A piece moves alike both ways along its lines, so the pieces that reach
    // the target are the first met looking out from it: at most one a line.
    std::pair<int, int> reaching[8];
    int found = 0;
    for (int dir = 0; dir < g_moveDirCount[piece]; ++dir) {
        for (int step = 1; step <= g_moveRange[piece]; ++step) {
            const int f = toFile + g_moveDir[piece][dir][0] * step;
            const int r = toRank + g_moveDir[piece][dir][1] * step;
            if (!IsOnBoard(f, r)) break;
            if (m_piece[f][r] == NoPiece) continue;
            if (m_piece[f][r] == piece && m_color[f][r] == color &&
                (fromFile < 0 || f == fromFile) && (fromRank < 0 || r == fromRank))
                reaching[found++] = {f, r};
            break;
        }
    }
    if (found == 0) return false;
    // In the order the board is read, a-file first and rank 1 first within it.
    for (int i = 1; i < found; ++i)
        for (int j = i; j > 0 && reaching[j] < reaching[j - 1]; --j)
            std::swap(reaching[j], reaching[j - 1]);
    std::pair<int, int> chosen = reaching[0];
    if (found > 1) {
        const int savedSide = m_sideToMove;
        m_sideToMove = color;
        std::string message;
        int legalCount = 0;
        for (int i = 0; i < found; ++i) {
            const std::pair<int, int>& square = reaching[i];
            SetSquare(square.first, square.second, NoColor, NoPiece);
            const int legal = TestMove(color, piece, square.first, square.second, toFile,
                                       toRank, message, 0);
            SetSquare(square.first, square.second, color, piece);
            if (legal && legalCount++ == 0) chosen = square;
        }
        m_sideToMove = savedSide;
        ambiguous = legalCount > 1;
    }
    fromFile = chosen.first;
    fromRank = chosen.second;
    return true;
}

void CGameRecord::converMove(int& fromFile, int& fromRank, int& toFile, int& toRank,
                             std::string& text, int color) {
    StripChars(text, "x!+#?");
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos) text.erase(equals);
    const std::size_t enPassant = text.find(" e.p.");
    if (enPassant != std::string::npos) text.erase(enPassant);

    fromFile = fromRank = toFile = toRank = -1;
    if (text.empty()) return;
    const int forward = PawnForward(color);

    if (IsLower(text[0])) {
        fromFile = text[0] - 'a';
        if (IsDigit(At(text, 1))) {
            // An advance: the pawn stands one or two squares behind the target.
            toFile = fromFile;
            toRank = text[1] - '1';
            fromRank = toRank - forward;
            while (IsOnBoard(fromFile, fromRank) && GetPiece(fromFile, fromRank) != Pawn)
                fromRank -= forward;
        } else if (IsLower(At(text, 1)) && IsDigit(At(text, 2))) {
            toFile = text[1] - 'a';
            toRank = text[2] - '1';
            fromRank = toRank - forward;
        } else if (IsLower(At(text, 1))) {
            // File to file ("ed"): the first of our pawns on the file that has
            // an enemy piece diagonally ahead of it on the target file.
            toFile = text[1] - 'a';
            for (int rank = PawnHomeRank(color); IsOnBoard(fromFile, rank); rank += forward) {
                const bool stop =
                    GetPiece(fromFile, rank) == Pawn || GetColor(fromFile, rank) == color;
                if (stop && GetColor(toFile, rank + forward) == OtherColor(color)) {
                    fromRank = rank;
                    toRank = rank + forward;
                    break;
                }
            }
        }
        return;
    }

    std::size_t target = 1;
    if (text.size() > 3) {
        if (IsDigit(text[1])) {
            fromRank = text[1] - '1';
            target = 2;
        } else if (IsDigit(At(text, 2))) {
            fromFile = text[1] - 'a';
            fromRank = text[2] - '1';
            target = 3;
        } else {
            fromFile = text[1] - 'a';
            target = 2;
        }
    }
    if (text[0] != 'O') {
        toFile = At(text, target) - 'a';
        toRank = At(text, target + 1) - '1';
    }
    if (text[0] == 'O') {
        // Only a castling text is castling; "OOO" or "O-O-O~" is no move.
        if (text != "O-O" && text != "O-O-O") {
            fromFile = fromRank = -1;
            return;
        }
        fromFile = 4;
        fromRank = toRank = BackRank(color);
        toFile = text == "O-O-O" ? 2 : 6;
        return;
    }
    const int piece = PieceFromMoveLetter(text[0]);
    if (piece == NoPiece) {
        // A text that names no piece ("Pe2e4", "9e2e4") is no move, even
        // when it names both squares.
        fromFile = fromRank = -1;
        return;
    }
    if (!IsOnBoard(toFile, toRank)) return;
    if (fromFile >= 0 && fromRank >= 0) return;
    bool ambiguous = false;
    if (FindMovingPiece(piece, color, fromFile, fromRank, toFile, toRank, ambiguous)) {
        // Nothing in the text tells the pieces apart: no move, not a guess.
        if (ambiguous) fromFile = fromRank = -1;
        return;
    }

    // No piece of the kind can reach the target: fall back to the plain search
    // (a scan of the given file or rank, else the nearest piece along any line),
    // which leaves a square the piece does not stand on when there is none.
    if (fromRank >= 0) {
        for (fromFile = 0; fromFile < 8; ++fromFile)
            if (GetPiece(fromFile, fromRank) == piece && GetColor(fromFile, fromRank) == color)
                break;
        return;
    }
    if (fromFile >= 0) {
        for (fromRank = 0; fromRank < 8; ++fromRank)
            if (GetPiece(fromFile, fromRank) == piece && GetColor(fromFile, fromRank) == color)
                break;
        return;
    }
    const int maxDistance = g_moveRange[piece];
    for (int distance = 1; distance <= maxDistance; ++distance) {
        for (int dir = 0; dir < g_moveDirCount[piece]; ++dir) {
            const int f = toFile + g_moveDir[piece][dir][0] * distance;
            const int r = toRank + g_moveDir[piece][dir][1] * distance;
            if (IsOnBoard(f, r) && m_piece[f][r] == piece && m_color[f][r] == color) {
                fromFile = f;
                fromRank = r;
                return;
            }
        }
    }
}

namespace {

// Splits a move-list line into its number prefix and the move proper: at the
// tab of a Black line, else at the first blank.
void SplitLine(const char* line, std::string& prefix, std::string& move) {
    const std::string text(line);
    std::size_t separator = text.find('\t');
    if (separator == std::string::npos) separator = text.find(' ');
    if (separator == std::string::npos) {
        prefix.clear();
        move = text;
        return;
    }
    prefix = text.substr(0, separator);
    move = text.substr(separator + 1);
}

// Where the target square of a piece move begins: the last file letter
// followed by a rank digit. npos for castling, which names no square.
std::size_t TargetSquareAt(const std::string& move) {
    for (std::size_t i = move.size(); i-- > 1;)
        if (move[i] >= '1' && move[i] <= '8' && move[i - 1] >= 'a' && move[i - 1] <= 'h')
            return i - 1;
    return std::string::npos;
}

}  // namespace

std::string CGameRecord::GetLongMoveText(int ply) const {
    if (ply < 0 || ply >= kMaxPlies) return {};
    const PlyRecord& record = m_ply[ply];
    std::string prefix, move;
    SplitLine(record.text, prefix, move);
    std::string separator = "-";
    std::string letter;
    std::string rest;
    if (!move.empty() && IsLower(move[0])) {
        if (At(move, 1) == 'x') {
            separator = "x";
            rest = move.substr(2);
        } else {
            rest = move;
        }
    } else if (!move.empty()) {
        letter = move.substr(0, 1);
        const std::size_t capture = move.find('x');
        const std::size_t target = TargetSquareAt(move);
        if (capture != std::string::npos)
            separator = "x", rest = move.substr(capture + 1);
        else if (target != std::string::npos)
            rest = move.substr(target);  // the target of "Nf3", "Nbd2" and "Qh4e1" alike
        else
            rest = move.substr(std::min<std::size_t>(2, move.size()));
    }
    std::string out = prefix + " " + letter;
    if (IsOnBoard(record.fromFile, record.fromRank))
        out += SquareName(record.fromFile, record.fromRank);
    return out + separator + rest;
}

std::string MoveWithoutNumber(const PlyRecord& ply) {
    std::string prefix, move;
    SplitLine(ply.text, prefix, move);
    std::size_t start = 0;
    while (start < move.size() && static_cast<unsigned char>(move[start]) < '!') ++start;
    return move.substr(start);
}

std::string CGameRecord::GetMoveWithoutNumber(int ply) const {
    if (ply < 0 || ply >= kMaxPlies) return {};
    return MoveWithoutNumber(m_ply[ply]);
}

std::string CGameRecord::GetPlyDate(int ply) const {
    if (ply < 0 || ply >= kMaxPlies) return {};
    return m_ply[ply].date;
}
