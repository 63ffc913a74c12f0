#include "MoveTextApply.h"

#include <cctype>
#include <utility>
#include <vector>

#include "MoveRecording.h"
#include "MoveText.h"
#include "PlyLine.h"

namespace {

int PromotionFromLetter(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
        case 'B': return Bishop;
        case 'N': return Knight;
        case 'R': return Rook;
        case 'Q': return Queen;
        default: return NoPiece;
    }
}

// The piece a pawn reaching the last rank becomes: named by the letter after
// "=", or else by a letter right after the target square ("e8Q"), in either
// case; NoPiece when the text names none. `wrong` when the letter is no piece
// a pawn can become ("e8=K"): the text is then no move.
int NamedPromotion(const std::string& text, int toFile, int toRank, bool& wrong) {
    char letter = 0;
    const std::size_t equals = text.find('=');
    const std::size_t square = text.find(SquareName(toFile, toRank));
    if (equals != std::string::npos)
        letter = equals + 1 < text.size() ? text[equals + 1] : 0;
    else if (square != std::string::npos && square + 2 < text.size())
        letter = text[square + 2];
    // No letter, or "=" alone as the mark of a drawn end, names nothing.
    const bool isLetter = std::isalpha(static_cast<unsigned char>(letter)) != 0;
    const int named = isLetter ? PromotionFromLetter(letter) : NoPiece;
    wrong = isLetter && named == NoPiece;
    return named;
}

// The squares of a move token for `side`; false when no piece of the side
// stands where the token's reading leads.
bool LocateMoveText(CGameRecord& game, const std::string& text, int side, int& fromFile,
                    int& fromRank, int& toFile, int& toRank) {
    std::string cleaned = text;
    game.converMove(fromFile, fromRank, toFile, toRank, cleaned, side);
    return IsOnBoard(fromFile, fromRank) && IsOnBoard(toFile, toRank) &&
           game.GetColor(fromFile, fromRank) == side;
}

// The piece a short algebraic token moves, by its first letter.
int NamedPiece(char first) {
    switch (first) {
        case 'N':
            return Knight;
        case 'B':
            return Bishop;
        case 'R':
            return Rook;
        case 'Q':
            return Queen;
        case 'K':
        case 'O':
            return King;
        default:
            return first >= 'a' && first <= 'h' ? Pawn : NoPiece;
    }
}

// "g1f3", "g1-f3", "e7e8n", "e7xe8=Q": the two squares and any promotion.
bool ReadSquares(const std::string& text, TypedMove& move) {
    auto isFile = [](char c) { return c >= 'a' && c <= 'h'; };
    auto isRank = [](char c) { return c >= '1' && c <= '8'; };
    if (text.size() < 4 || !isFile(text[0]) || !isRank(text[1])) return false;
    std::size_t at = 2;
    if (text[at] == '-' || text[at] == 'x') ++at;
    if (at + 1 >= text.size() || !isFile(text[at]) || !isRank(text[at + 1])) return false;
    move.move.from = {text[0] - 'a', text[1] - '1'};
    move.move.to = {text[at] - 'a', text[at + 1] - '1'};
    at += 2;
    if (at < text.size() && text[at] == '=') ++at;
    // A check or mate sign may follow the squares with no promotion between.
    if (at < text.size() && text[at] != '+' && text[at] != '#') {
        move.move.promotion = PromotionFromLetter(
            static_cast<char>(std::toupper(static_cast<unsigned char>(text[at]))));
        if (move.move.promotion == NoPiece) return false;
        ++at;
    }
    while (at < text.size() && (text[at] == '+' || text[at] == '#')) ++at;
    return at == text.size();
}

// What users type that the move reading does not take as it is: castling
// with zeros, and a piece letter in lower case where it cannot be a file
// ("nbd2", "qh5"; "bxc3" stays a pawn's).
std::string AsWritten(std::string text) {
    if (text.compare(0, 3, "0-0") == 0) {
        text[0] = text[2] = 'O';
        if (text.compare(3, 2, "-0") == 0) text[4] = 'O';
    } else if (!text.empty() && std::string("nrqk").find(text[0]) != std::string::npos) {
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    }
    return text;
}

// Refuses `move` for `why`, with the sentence that says so; false, for the
// reading to return.
bool Refuse(TypedMove& move, TypedRefusal why, std::string sentence) {
    move.why = why;
    move.refusal = std::move(sentence);
    return false;
}

bool CannotRead(TypedMove& move, const std::string& typed) {
    return Refuse(move, TypedRefusal::Unreadable,
                  "Ravelin cannot read \"" + typed + "\" as a move.");
}

std::string PieceName(int color, int kind) {
    static const char* const kNames[] = {"Pawn", "Knight", "Bishop", "Rook", "Queen", "King"};
    return std::string(color == Black ? "Black " : "White ") + kNames[kind];
}

// Refuses a piece move that names its target and found no piece: none of
// its kind can go there, or several could and the text does not tell which.
bool WhyNoPiece(CGameRecord& game, const std::string& typed, const std::string& text,
                TypedMove& move) {
    std::string cleaned;
    for (char c : text.substr(0, text.find('=')))
        if (std::string("x+#!?").find(c) == std::string::npos) cleaned += c;
    const int kind = NamedPiece(cleaned.empty() ? '\0' : cleaned[0]);
    if (kind == NoPiece || kind == Pawn || cleaned[0] == 'O' || cleaned.size() < 3 ||
        cleaned.size() > 5)
        return CannotRead(move, typed);
    const int toFile = cleaned[cleaned.size() - 2] - 'a';
    const int toRank = cleaned[cleaned.size() - 1] - '1';
    int hintFile = -1, hintRank = -1;
    for (std::size_t i = 1; i + 2 < cleaned.size(); ++i) {
        if (cleaned[i] >= 'a' && cleaned[i] <= 'h')
            hintFile = cleaned[i] - 'a';
        else if (cleaned[i] >= '1' && cleaned[i] <= '8')
            hintRank = cleaned[i] - '1';
        else
            return CannotRead(move, typed);
    }
    if (!IsOnBoard(toFile, toRank)) return CannotRead(move, typed);

    const int color = game.m_sideToMove;
    bool anyReaches = false;
    std::vector<std::string> legal;
    for (int f = 0; f < 8; ++f) {
        for (int r = 0; r < 8; ++r) {
            if (game.GetPiece(f, r) != kind || game.GetColor(f, r) != color ||
                !game.CanReach(kind, color, f, r, toFile, toRank))
                continue;
            anyReaches = true;
            if ((hintFile >= 0 && f != hintFile) || (hintRank >= 0 && r != hintRank)) continue;
            std::string unused;
            game.SetSquare(f, r, NoColor, NoPiece);
            const bool ok = game.TestMove(color, kind, f, r, toFile, toRank, unused, 0) != 0;
            game.SetSquare(f, r, color, kind);
            if (ok)
                legal.push_back(
                    PieceLetter(kind) +
                    DisambiguationChar(game, kind, color, Move{{f, r}, {toFile, toRank}}) +
                    (game.GetPiece(toFile, toRank) != NoPiece ? "x" : "") +
                    SquareName(toFile, toRank));
        }
    }
    if (!anyReaches)
        return Refuse(
            move, TypedRefusal::NoPieceCanGo,
            "No " + PieceName(color, kind) + " can go to " + SquareName(toFile, toRank) + ".");
    if (legal.size() < 2) return CannotRead(move, typed);
    std::string choices = legal.front();
    for (std::size_t i = 1; i < legal.size(); ++i)
        choices += (i + 1 < legal.size() ? ", " : " or ") + legal[i];
    return Refuse(move, TypedRefusal::Ambiguous, typed + " is ambiguous: " + choices + ".");
}

}  // namespace

MoveTextResult ApplyMoveText(CGameRecord& game, const std::string& text, int side, EndTest test,
                             PlayedMove* played) {
    if (game.m_curPly < 0 || game.m_curPly >= CGameRecord::kMaxPlies)
        return MoveTextResult::NotPlayed;
    Move move;
    if (!LocateMoveText(game, text, side, move.from.file, move.from.rank, move.to.file,
                        move.to.rank))
        return MoveTextResult::NotPlayed;

    const int kind = game.GetPiece(move.from.file, move.from.rank);
    const bool promotes = kind == Pawn && (move.to.rank == 0 || move.to.rank == 7);
    bool wrongPromotion = false;
    if (promotes) move.promotion = NamedPromotion(text, move.to.file, move.to.rank, wrongPromotion);
    if (wrongPromotion) return MoveTextResult::NotPlayed;

    std::string line = FormatPlyLine(game, game.m_curPly, text);
    // Cut to fit, the token could read back as another move (a lost
    // promotion letter, a lost target): the line says the move as the board
    // writes it instead, with the mate or stalemate sign it ends in.
    const bool tooLong = line.size() >= PlyRecord::kTextSize;
    PlayOptions options;
    options.test = tooLong ? EndTest::AfterMove : test;
    options.carryIllegal = true;
    options.named = tooLong || played != nullptr;
    PlayedMove result = PlayMove(game, move, options);
    if (tooLong) line = FormatPlyLine(game, game.m_curPly, result.text);
    RecordPly(game, move, line);
    const bool legal = result.legal;
    if (played != nullptr) *played = std::move(result);
    return legal ? MoveTextResult::Played : MoveTextResult::PlayedAgainstRules;
}

bool IsNullMoveText(const std::string& text) {
    if (text.compare(0, 2, "--") != 0 && text.compare(0, 2, "Z0") != 0) return false;
    const std::string sign = text.substr(2);
    if (sign.empty()) return true;
    for (const char* known : kMoveSigns)
        if (sign == known) return true;
    return false;
}

bool ApplyNullMove(CGameRecord& game, const std::string& text, EndTest test) {
    if (!IsNullMoveText(text) || game.m_curPly < 0 || game.m_curPly >= CGameRecord::kMaxPlies)
        return false;
    const int side = game.m_sideToMove;
    int kingFile = -1, kingRank = -1;
    game.FindPiece(side, King, kingFile, kingRank);
    if (game.IsSquareAttacked(side, kingFile, kingRank)) return false;
    game.m_epFile = game.m_epRank = -1;
    JudgeMove(game, NoPiece, side, false, test);
    return RecordPly(game, Move(), FormatPlyLine(game, game.m_curPly, "--" + text.substr(2)));
}

bool ReadTypedMove(CGameRecord& game, const std::string& typed, TypedMove& move) {
    move = TypedMove();
    const std::size_t first = typed.find_first_not_of(" \t");
    const std::string trimmed =
        first == std::string::npos ? std::string()
                                   : typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
    if (trimmed.empty()) return CannotRead(move, trimmed);
    if (ReadSquares(trimmed, move)) {
        if (game.GetPiece(move.move.from.file, move.move.from.rank) == NoPiece)
            return CannotRead(move, trimmed);
        return true;
    }

    const std::string text = AsWritten(trimmed);
    const int side = game.m_sideToMove;
    move = TypedMove();
    Move& found = move.move;
    if (!LocateMoveText(game, text, side, found.from.file, found.from.rank, found.to.file,
                        found.to.rank) ||
        game.GetPiece(found.from.file, found.from.rank) != NamedPiece(text[0]))
        return WhyNoPiece(game, trimmed, text, move);
    bool wrongPromotion = false;
    found.promotion = NamedPromotion(text, found.to.file, found.to.rank, wrongPromotion);
    if (wrongPromotion) return CannotRead(move, trimmed);
    return true;
}
