#include <cstring>
#include <vector>

#include "GameRecord.h"
#include "TextField.h"

namespace {

int PieceFromLetter(char letter) {
    switch (letter) {
        case 'p': case 'P': return Pawn;
        case 'n': case 'N': return Knight;
        case 'b': case 'B': return Bishop;
        case 'r': case 'R': return Rook;
        case 'q': case 'Q': return Queen;
        case 'k': case 'K': return King;
        default: return NoPiece;
    }
}

// The blank-separated fields of `text`, as `>>` would read them. Numbering
// every ply reads the start FEN, so this stays off the stream machinery.
std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string field;
    for (const char c : text) {
        if (c == ' ' || (c >= '\t' && c <= '\r')) {
            if (!field.empty()) fields.push_back(std::move(field));
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty()) fields.push_back(std::move(field));
    return fields;
}

// Reads a FEN placement into the two arrays. False when it does not describe
// eight ranks of eight squares with piece letters and the digits 1 to 8.
bool ReadPlacement(const std::string& placement, int piece[8][8], int color[8][8]) {
    std::memset(piece, -1, sizeof(int) * 64);
    std::memset(color, -1, sizeof(int) * 64);
    int file = 0;
    int rank = 7;
    for (char c : placement) {
        if (c == '/') {
            if (file != 8 || rank == 0) return false;
            --rank;
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8) return false;
        } else {
            const int kind = PieceFromLetter(c);
            if (kind == NoPiece || file >= 8) return false;
            piece[file][rank] = kind;
            color[file][rank] = (c >= 'a') ? Black : White;
            ++file;
        }
    }
    return rank == 0 && file == 8;
}

// The digits a FEN number field begins with, read whole: 0 when there are
// none, -1 when they make a number larger than `limit`.
int LeadingNumber(const std::string& field, int limit) {
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > limit) return -1;
    }
    return value;
}

std::string LeadingDigits(const std::string& field) {
    return field.substr(0, field.find_first_not_of("0123456789"));
}

// The full-move number of a FEN's fields: 1 when absent or not positive.
// The side field read exactly as SetFromFen reads it.
int SideField(const std::vector<std::string>& fields) {
    return (fields.size() < 2 || fields[1][0] == 'w') ? White : Black;
}

int FullMoveNumber(const std::vector<std::string>& fields) {
    if (fields.size() < 6) return 1;
    const int number = LeadingNumber(fields[5], CGameRecord::kMaxFenMoveNumber);
    if (number < 0) return CGameRecord::kMaxFenMoveNumber;
    return number < 1 ? 1 : number;
}

}  // namespace

std::string FenRefusalSentence(FenRefusal refusal, const std::string& text) {
    const std::vector<std::string> fields = SplitFields(text);
    auto number = [&fields](std::size_t field) {
        return field < fields.size() ? LeadingDigits(fields[field]) : std::string();
    };
    switch (refusal) {
        case FenRefusal::None:
            return {};
        case FenRefusal::NotAPosition:
            return "The FEN text does not describe a chess position.";
        case FenRefusal::ClockTooLarge:
            return "The FEN's half-move clock " + number(4) + " is larger than " +
                   std::to_string(CGameRecord::kMaxFenHalfMoveClock) +
                   ", the largest Ravelin reads.";
        case FenRefusal::MoveNumberTooLarge:
            return "The FEN's move number " + number(5) + " is larger than " +
                   std::to_string(CGameRecord::kMaxFenMoveNumber) +
                   ", the largest from which Ravelin can number a game's moves.";
    }
    return {};
}

bool CGameRecord::SetFromFen(const std::string& text) {
    FenRefusal refusal;
    return SetFromFen(text, refusal);
}

bool CGameRecord::SetFromFen(const std::string& text, FenRefusal& refusal) {
    refusal = FenRefusal::NotAPosition;
    if (text.size() >= static_cast<std::size_t>(kStartFenSize)) return false;
    const std::vector<std::string> fields = SplitFields(text);
    if (fields.empty()) return false;
    int piece[8][8];
    int color[8][8];
    if (!ReadPlacement(fields[0], piece, color)) return false;
    const int clock = fields.size() >= 5 ? LeadingNumber(fields[4], kMaxFenHalfMoveClock) : 0;
    if (clock < 0) {
        refusal = FenRefusal::ClockTooLarge;
        return false;
    }
    if (fields.size() >= 6 && LeadingNumber(fields[5], kMaxFenMoveNumber) < 0) {
        refusal = FenRefusal::MoveNumberTooLarge;
        return false;
    }
    refusal = FenRefusal::None;

    CopyToField(m_startFen, kStartFenSize, text);
    m_startSide = SideField(fields);
    m_startMoveNumber = FullMoveNumber(fields);
    std::memcpy(m_piece, piece, sizeof m_piece);
    std::memcpy(m_color, color, sizeof m_color);

    m_sideToMove = SideField(fields);

    m_canCastleWK = m_canCastleWQ = m_canCastleBK = m_canCastleBQ = 0;
    if (fields.size() >= 3) {
        for (char c : fields[2]) {
            if (c == 'K') m_canCastleWK = 1;
            if (c == 'Q') m_canCastleWQ = 1;
            if (c == 'k') m_canCastleBK = 1;
            if (c == 'q') m_canCastleBQ = 1;
        }
    }

    // The record keeps the square of the pawn that advanced, not the square
    // it passed over; a target that no two-square advance can leave is ignored.
    m_epFile = m_epRank = -1;
    if (fields.size() >= 4 && fields[3].size() == 2 && fields[3][0] >= 'a' &&
        fields[3][0] <= 'h') {
        const char rankDigit = fields[3][1];
        if (m_sideToMove == Black && rankDigit == '3') {
            m_epFile = fields[3][0] - 'a';
            m_epRank = 3;
        } else if (m_sideToMove == White && rankDigit == '6') {
            m_epFile = fields[3][0] - 'a';
            m_epRank = 4;
        }
    }

    m_halfMoveClock = clock;

    m_repeatCount = 0;
    m_curPly = 0;
    m_status = 'P';
    m_fromSetup = 1;
    CheckSound();
    return true;
}

int CGameRecord::StartSideToMove() const { return m_startSide; }

int CGameRecord::MoveNumberOfPly(int ply) const {
    // One more for every turn from Black back to White before the ply.
    return m_startMoveNumber + (ply + m_startSide) / 2;
}

int CGameRecord::SideOfPly(int ply) const { return (ply + m_startSide) % 2; }

bool CGameRecord::StartFenAgrees() const {
    const std::vector<std::string> fields = SplitFields(m_startFen);
    return m_startSide == SideField(fields) && m_startMoveNumber == FullMoveNumber(fields);
}

namespace {

std::string Placement(const int piece[8][8], const int color[8][8]) {
    std::string text;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            if (piece[file][rank] < 0) {
                ++empty;
                continue;
            }
            if (empty > 0) text += static_cast<char>('0' + empty);
            empty = 0;
            const char letter = PieceLetter(piece[file][rank]);
            text += color[file][rank] == Black ? static_cast<char>(letter - 'A' + 'a') : letter;
        }
        if (empty > 0) text += static_cast<char>('0' + empty);
        if (rank > 0) text += '/';
    }
    return text;
}

}  // namespace

void CGameRecord::MakeStartFen() {
    CopyToField(m_startFen, kStartFenSize, Placement(m_piece, m_color) + " w KQkq - 0 1");
    m_startSide = White;
    m_startMoveNumber = 1;
}

std::string CGameRecord::MakeFullFen() const {
    std::string fen = Placement(m_piece, m_color);
    fen += m_sideToMove == Black ? " b " : " w ";

    // Only rights that a king and rook still at home could use.
    auto usable = [this](int flag, int color, int rookFile) {
        const int rank = BackRank(color);
        return flag && m_piece[4][rank] == King && m_color[4][rank] == color &&
               m_piece[rookFile][rank] == Rook && m_color[rookFile][rank] == color;
    };
    std::string castling;
    if (usable(m_canCastleWK, White, 7)) castling += 'K';
    if (usable(m_canCastleWQ, White, 0)) castling += 'Q';
    if (usable(m_canCastleBK, Black, 7)) castling += 'k';
    if (usable(m_canCastleBQ, Black, 0)) castling += 'q';
    fen += castling.empty() ? "-" : castling;

    if (m_epFile >= 0 && (m_epRank == 3 || m_epRank == 4))
        fen += " " + SquareName(m_epFile, m_epRank == 3 ? 2 : 5);
    else
        fen += " -";

    const int moveNumber = MoveNumberOfPly(m_curPly);
    fen += " " + std::to_string(m_halfMoveClock) + " " + std::to_string(moveNumber);
    return fen;
}
