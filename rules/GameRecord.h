#pragma once

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "FenRefusal.h"
#include "FieldList.h"
#include "PieceTypes.h"
#include "PlyList.h"
#include "PlyRecord.h"

// The whole state of one game: the position shown with its rule state, the
// header tags, up to 300 recorded half-moves, the start FEN and the notes.
class CGameRecord {
public:
    static constexpr int kMaxPlies = 300;
    static constexpr int kTagCount = 7;
    static constexpr int kTagSize = 256;       // 255 characters and the terminator
    static constexpr int kStartFenSize = 128;  // room for any FEN MakeStartFen writes
    static constexpr std::size_t kMaxNoteLength = 4096;
    // The largest FEN numbers read. A move number up to this keeps the move
    // number of the 300th ply within six digits, which with the longest move
    // text fills the 22 characters of a list line exactly.
    static constexpr int kMaxFenHalfMoveClock = 999999;
    static constexpr int kMaxFenMoveNumber = 999999 - kMaxPlies / 2;
    enum Tag { Event, Site, Date, Round, WhiteName, BlackName, Result };
    static const char* const kTagNames[kTagCount];

    CGameRecord();
    CGameRecord(const CGameRecord& other) = default;
    CGameRecord& operator=(const CGameRecord& other) = default;
    CGameRecord(CGameRecord&& other) noexcept = default;
    CGameRecord& operator=(CGameRecord&& other) noexcept = default;
    virtual ~CGameRecord();

    // Square access. Squares off the board read as -1 and are never written.
    void SetSquare(int file, int rank, int color, int piece);
    int GetPiece(int file, int rank) const {
        return IsOnBoard(file, rank) ? m_piece[file][rank] : -1;
    }
    int GetColor(int file, int rank) const {
        return IsOnBoard(file, rank) ? m_color[file][rank] : -1;
    }
    // Finds the first square (files a..h, ranks 1..8 within a file) holding
    // `piece` of `color` other than (file, rank), and writes it there; leaves
    // (file, rank) alone when there is none.
    void FindPiece(int color, int piece, int& file, int& rank) const;

    void SetSideToMove(int color) { m_sideToMove = color; }
    int GetSideToMove() const { return m_sideToMove; }
    void SetCurPly(int n) { m_curPly = n; }
    int GetCurPly() const { return m_curPly; }
    void SetPlyCount(int n) { m_plyCount = n; }
    int GetPlyCount() const { return m_plyCount; }
    void SetStatus(char status) { m_status = status; }
    char GetStatus() const { return m_status; }
    void SetHalfMoveClock(int n) { m_halfMoveClock = n; }
    int GetHalfMoveClock() const { return m_halfMoveClock; }
    int SetRepeatCount(int n) { return m_repeatCount = n; }

    // `tag` is one of Tag; the value is cut to the field.
    void SetTag(int tag, const std::string& value);
    const char* GetTag(int tag) const { return m_tag[tag]; }

    // The standard start and an empty game; tags and the flip stay.
    void SetStartPosition();
    // The rule state of a game starting from the board as it stands: no
    // plies, White to move, all four castling rights, no en-passant target,
    // clocks at zero, in play.
    void ResetRuleState();
    // Sets the board and rule state from FEN text. Refuses, changing nothing,
    // text that is not a position (see the definition for what is read), or
    // whose clock or move number is beyond the largest read; `refusal` says
    // which, and is None when the text was taken.
    bool SetFromFen(const std::string& text, FenRefusal& refusal);
    bool SetFromFen(const std::string& text);
    // Writes the board's placement and " w KQkq - 0 1" into m_startFen.
    void MakeStartFen();
    // The full FEN of the position shown: side, castling rights that can
    // still be used, en-passant target after any two-square advance, clock
    // and move number.
    std::string MakeFullFen() const;
    // The side to move in the starting position.
    int StartSideToMove() const;
    // The full-move number of ply `ply`, counted on from the start FEN's own
    // (1 when it has none), and the side that moved that ply.
    int MoveNumberOfPly(int ply) const;
    int SideOfPly(int ply) const;

    // Records the shown position as ply m_curPly. Refuses at the 300-ply limit.
    bool StorePly(int fromFile, int fromRank, int toFile, int toRank, const std::string& text);
    // Shows the position after ply k.
    void RestorePly(int k);
    void Assign(const CGameRecord& other);
    // Asserts, in builds with assertions on (debug and sanitizer builds),
    // what every reader of a record relies on: the shown ply within the
    // recorded ones, the count within the limit, sides, status, squares and
    // every fixed text field terminated within its size. Called after each
    // whole change; free in release builds.
    void CheckSound() const;
    // The start's side and move number are those its FEN text gives.
    bool StartFenAgrees() const;
    // The game apart from the position it shows: tags, start, notes, flip,
    // setup and every ply. The position shown, its rule state and the start
    // numbers read from the FEN are left out. Undo's "no change" asks this.
    auto GameFields() const {
        return std::tie(m_flipped, m_tag, m_plyCount, m_fromSetup, m_startFen, m_hasStartNote,
                        m_startNote, m_keptTags, m_setupMode);
    }
    bool SameGame(const CGameRecord& other) const;

    // Move legality: 1 when the lifted piece may go from the from-square to
    // the target, else 0 with the reason in `message`. See MoveLegality.cpp.
    int TestMove(int color, int piece, int fromFile, int fromRank, int toFile, int toRank,
                 std::string& message, int commit);
    int IsFileClear(int file, int fromRank, int toRank) const;
    int IsRankClear(int rank, int fromFile, int toFile) const;
    int IsDiagonalClear(int fromFile, int fromRank, int toFile, int toRank) const;

    // 1 when a piece not of `color` attacks the square; 0 off the board.
    int IsSquareAttacked(int color, int file, int rank) const;
    // The legal moves of `color` but castling, a promotion once (see
    // LegalMoves.h for the moves themselves). `message` is cleared.
    int CountLegalMoves(int color, std::string& message);
    // CountLegalMoves(color, ...) > 0, stopping at the first legal move: the
    // question asked after every move.
    bool HasLegalMove(int color);
    int FindRepetition() const;

    // Geometric reach of a piece along the movement tables, pins ignored.
    bool CanReach(int piece, int color, int fromFile, int fromRank, int toFile, int toRank) const;

    // Finds the squares of a move given as short algebraic text; shortens
    // `text` to its cleaned form. See MoveReading.cpp.
    void converMove(int& fromFile, int& fromRank, int& toFile, int& toRank, std::string& text,
                    int color);
    std::string GetLongMoveText(int ply) const;
    std::string GetMoveWithoutNumber(int ply) const;
    std::string GetPlyDate(int ply) const;

    int m_piece[8][8];
    int m_color[8][8];
    int m_epFile = -1, m_epRank = -1;
    int m_canCastleWK = 0, m_canCastleWQ = 0, m_canCastleBK = 0, m_canCastleBQ = 0;
    int m_halfMoveClock = 0;
    int m_repeatCount = 0;
    char m_status = 'P';
    int m_flipped = 0;
    char m_tag[kTagCount][kTagSize];
    PlyList m_ply;
    int m_curPly = 0;
    int m_plyCount = 0;
    int m_sideToMove = White;
    int m_fromSetup = 0;
    char m_startFen[kStartFenSize];
    // Read from m_startFen whenever it is set, so numbering a move never
    // parses text: the side to move at the start and its full-move number.
    int m_startSide = White;
    int m_startMoveNumber = 1;
    int m_hasStartNote = 0;
    std::string m_startNote;
    // Tags beyond the seven, SetUp and FEN, name and value in the order read:
    // a game from another program is saved whole.
    std::vector<std::pair<std::string, std::string>> m_keptTags;
    int m_setupMode = 0;
    // The king of one side, found once while ForEachLegalMove tries that
    // side's moves: a test of a move of any other piece leaves the king
    // where it is, so it need not be looked for again. NoColor otherwise.
    struct KnownKing {
        int color = NoColor, file = -1, rank = -1;
    };
    KnownKing m_knownKing;

private:
    bool TestPawnMove(int color, int fromFile, int fromRank, int toFile, int toRank,
                      std::string& message);
    bool TestCastling(int color, int fromFile, int toFile, std::string& message);
    void CommitRuleState(int color, int piece, int fromFile, int fromRank, int toFile,
                         int toRank);
    bool FindMovingPiece(int piece, int color, int& fromFile, int& fromRank, int toFile, int toRank,
                         bool& ambiguous);
};

// Grown by a field: add it to GameFields() above if it is the game's, not the
// position's, then here.
static_assert(sizeof(CGameRecord) == 2600,
              "a field added to CGameRecord may belong in GameFields()");

// A ply's move as its list line gives it, without the move number.
std::string MoveWithoutNumber(const PlyRecord& ply);
// Square in text: file letter then rank digit ("e4").
std::string SquareName(int file, int rank);
// Takes every one of `chars` out of `text`, in one pass.
void StripChars(std::string& text, const char* chars);
