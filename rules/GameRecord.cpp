#include "GameRecord.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

#include "MoveTables.h"
#include "TextField.h"

const char* const CGameRecord::kTagNames[kTagCount] = {"Event", "Site",  "Date",  "Round",
                                                       "White", "Black", "Result"};

namespace {
const char kStandardFen[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const int kBackRankPieces[8] = {Rook, Knight, Bishop, Queen, King, Bishop, Knight, Rook};
}  // namespace

CGameRecord::CGameRecord() {
    // Every rule operation is asked of a record, so the first one made fills
    // the movement tables for all.
    static const bool tablesFilled = (InitMoveTables(), true);
    (void)tablesFilled;
    // The position is set by SetStartPosition or SetFromFen; start from a
    // defined empty state all the same, so no field is ever read unset.
    std::memset(m_piece, -1, sizeof m_piece);
    std::memset(m_color, -1, sizeof m_color);
    std::memset(m_tag, 0, sizeof m_tag);
    std::memset(m_startFen, 0, sizeof m_startFen);
}

CGameRecord::~CGameRecord() = default;

std::string SquareName(int file, int rank) {
    return std::string{static_cast<char>('a' + file), static_cast<char>('1' + rank)};
}

void CGameRecord::SetSquare(int file, int rank, int color, int piece) {
    if (!IsOnBoard(file, rank)) return;
    m_piece[file][rank] = piece;
    m_color[file][rank] = color;
}

void CGameRecord::FindPiece(int color, int piece, int& file, int& rank) const {
    // Asked for the king before every move is allowed: one pass over the 64
    // squares in the same order, a..h and ranks 1..8 within a file.
    const int skip = IsOnBoard(file, rank) ? file * 8 + rank : -1;
    const int* pieces = &m_piece[0][0];
    const int* colors = &m_color[0][0];
    for (int square = 0; square < 64; ++square) {
        if (pieces[square] != piece || colors[square] != color || square == skip) continue;
        file = square / 8;
        rank = square % 8;
        return;
    }
}

void CGameRecord::SetTag(int tag, const std::string& value) {
    CopyToField(m_tag[tag], kTagSize, value);
}

void CGameRecord::SetStartPosition() {
    m_setupMode = 0;
    for (int f = 0; f < 8; ++f) {
        for (int r = 0; r < 8; ++r) SetSquare(f, r, NoColor, NoPiece);
        SetSquare(f, 0, White, kBackRankPieces[f]);
        SetSquare(f, 1, White, Pawn);
        SetSquare(f, 6, Black, Pawn);
        SetSquare(f, 7, Black, kBackRankPieces[f]);
    }
    ResetRuleState();
    m_hasStartNote = 0;
    m_startNote.clear();
    m_fromSetup = 0;
    CopyToField(m_startFen, kStartFenSize, kStandardFen);
    m_startSide = White;
    m_startMoveNumber = 1;
    for (int i = 0; i < m_ply.Held(); ++i) {
        PlyRecord& ply = m_ply[i];
        ply.ClearNote();
        ply.nags.clear();
        ply.variations.clear();
    }
    CheckSound();
}

void CGameRecord::ResetRuleState() {
    m_epFile = m_epRank = -1;
    m_canCastleWK = m_canCastleWQ = m_canCastleBK = m_canCastleBQ = 1;
    m_curPly = m_plyCount = 0;
    m_sideToMove = White;
    m_halfMoveClock = m_repeatCount = 0;
    m_status = 'P';
}

bool CGameRecord::StorePly(int fromFile, int fromRank, int toFile, int toRank,
                           const std::string& text) {
    if (m_curPly < 0 || m_curPly >= kMaxPlies) return false;
    PlyRecord& ply = m_ply[m_curPly];
    ply.fromFile = fromFile;
    ply.fromRank = fromRank;
    ply.toFile = toFile;
    ply.toRank = toRank;
    ply.canCastleWK = m_canCastleWK;
    ply.canCastleWQ = m_canCastleWQ;
    ply.canCastleBK = m_canCastleBK;
    ply.canCastleBQ = m_canCastleBQ;
    ply.epFile = m_epFile;
    ply.epRank = m_epRank;
    ply.repeatCount = m_repeatCount;
    ply.halfMoveClock = m_halfMoveClock;
    ply.status = m_status;
    CopyToField(ply.text, PlyRecord::kTextSize, text);
    ply.nags.clear();
    ply.variations.clear();  // a new move has no alternatives yet
    ply.KeepBoard(m_piece, m_color);
    return true;
}

bool CGameRecord::SameGame(const CGameRecord& other) const {
    if (!fields::Same(GameFields(), other.GameFields())) return false;
    if (m_ply.Shares(other.m_ply)) return true;
    const int written = std::max(m_ply.Written(), other.m_ply.Written());
    for (int i = 0; i < written; ++i)
        if (!m_ply.SharesPly(i, other.m_ply) && m_ply[i] != other.m_ply[i]) return false;
    return true;
}

void CGameRecord::Assign(const CGameRecord& other) {
    *this = other;
    CheckSound();
}

namespace {
[[maybe_unused]] bool Terminated(const char* field, std::size_t size) {
    return std::memchr(field, '\0', size) != nullptr;
}
[[maybe_unused]] bool IsSideOrNone(int color) { return color >= NoColor && color <= Black; }
}  // namespace

void CGameRecord::CheckSound() const {
#ifndef NDEBUG
    assert(m_plyCount >= 0 && m_plyCount <= kMaxPlies);
    assert(m_curPly >= 0 && m_curPly <= m_plyCount);
    assert(m_sideToMove == White || m_sideToMove == Black);
    assert(m_status == 'P' || m_status == 'M' || m_status == 'S' || m_status == 'D');
    assert((m_epFile == -1) == (m_epRank == -1));
    assert(m_epFile >= -1 && m_epFile < 8 && m_epRank >= -1 && m_epRank < 8);
    for (int f = 0; f < 8; ++f)
        for (int r = 0; r < 8; ++r) {
            assert(m_piece[f][r] >= NoPiece && m_piece[f][r] <= King);
            assert(IsSideOrNone(m_color[f][r]));
            assert((m_piece[f][r] == NoPiece) == (m_color[f][r] == NoColor));
        }
    for (const auto& tag : m_tag) assert(Terminated(tag, kTagSize));
    assert(Terminated(m_startFen, kStartFenSize));
    assert(m_startSide == White || m_startSide == Black);
    assert(m_startMoveNumber >= 1 && m_startMoveNumber <= kMaxFenMoveNumber);
    assert(StartFenAgrees());
    assert(m_startNote.size() <= kMaxNoteLength + 1);
    assert(m_ply.RestUnwritten());
    for (int i = 0; i < m_plyCount; ++i) {
        const PlyRecord& ply = m_ply[i];
        assert(Terminated(ply.text, PlyRecord::kTextSize));
        assert(Terminated(ply.date, PlyRecord::kDateSize));
        assert(ply.note.size() <= kMaxNoteLength + 1);
        assert(ply.status == 'P' || ply.status == 'M' || ply.status == 'S' || ply.status == 'D');
    }
#endif
}

void CGameRecord::RestorePly(int k) {
    if (k < 0 || k >= kMaxPlies) return;
    const PlyRecord& ply = std::as_const(m_ply)[k];  // read only: the table stays shared
    m_canCastleWK = ply.canCastleWK;
    m_canCastleWQ = ply.canCastleWQ;
    m_canCastleBK = ply.canCastleBK;
    m_canCastleBQ = ply.canCastleBQ;
    m_epFile = ply.epFile;
    m_epRank = ply.epRank;
    m_halfMoveClock = ply.halfMoveClock;
    m_repeatCount = ply.repeatCount;
    m_status = ply.status;
    ply.GiveBoard(m_piece, m_color);
    m_curPly = k + 1;
    m_sideToMove = OtherColor(SideOfPly(k));
    CheckSound();
}
