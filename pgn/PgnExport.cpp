#include "PgnExport.h"

#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

#include "GameTextEncoding.h"
#include "MovePlay.h"
#include "MoveText.h"
#include "Openings.h"
#include "PgnReader.h"
#include "PgnWriter.h"
#include "TextEncoding.h"

namespace {

constexpr std::size_t kLineWidth = 79;
const char kStandardFen[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char kUnknownDate[] = "????.??.??";

// The four results of the standard; other readers know no other.
bool IsStandardResult(const std::string& text) {
    return text == "1-0" || text == "0-1" || text == "1/2-1/2" || text == "*";
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (!IsSpace(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

// Movetext tokens, one blank apart, in lines of at most 79 characters.
class MovetextLines {
public:
    explicit MovetextLines(ByteWriter& out) : m_out(out) {}
    void Add(const std::string& token);
    // A variation's parentheses stand against its first and last tokens.
    void Open() { m_opening = true; }
    void Close();
    void Finish() {
        if (!m_line.empty()) WriteLine(m_out, m_line);
        m_line.clear();
    }

private:
    ByteWriter& m_out;
    std::string m_line;
    bool m_opening = false;
};

void MovetextLines::Close() {
    const std::size_t last = m_line.rfind(' ');
    if (m_line.size() + 1 <= kLineWidth || last == std::string::npos) {
        m_line += ')';
        return;
    }
    const std::string token = m_line.substr(last + 1);
    m_line.erase(last);
    WriteLine(m_out, m_line);
    m_line = token + ')';
}

void MovetextLines::Add(const std::string& word) {
    const std::string token = m_opening ? "(" + word : word;
    m_opening = false;
    // A word of a note longer than a line stands alone on a longer one: cut,
    // it would come back as two words.
    if (!m_line.empty() && m_line.size() + 1 + token.size() > kLineWidth) {
        WriteLine(m_out, m_line);
        m_line.clear();
    }
    if (!m_line.empty()) m_line += ' ';
    m_line += token;
}

// Whether `token` ends inside a command of another program ("[%clk").
bool OpensCommand(const std::string& token) {
    const std::size_t open = token.rfind("[%");
    return open != std::string::npos && token.find(']', open) == std::string::npos;
}

// A note as brace comment tokens; false when it has no words. A line that
// began with "%" would be an escape line to the reader, so such a word never
// starts a token; a command ("[%clk 0:04:58]") stays on one line.
bool AddComment(MovetextLines& lines, const std::string& note) {
    std::vector<std::string> tokens;
    for (const std::string& word : Words(NoteAsExported(note))) {
        if (!tokens.empty() && (word[0] == '%' || OpensCommand(tokens.back())))
            tokens.back() += ' ' + word;
        else
            tokens.push_back(word);
    }
    if (tokens.empty()) return false;
    tokens.front().insert(0, "{");
    tokens.back() += '}';
    for (const std::string& token : tokens) lines.Add(token);
    return true;
}

// The glyph of the sign written on a move ("e4!?" gives $5), or "".
std::string SignGlyph(const std::string& move) {
    const std::size_t end = move.find_last_not_of("!?");
    const std::string sign = move.substr(end == std::string::npos ? 0 : end + 1);
    for (int i = 0; i < 6; ++i)
        if (sign == kMoveSigns[i]) return "$" + std::to_string(i + 1);
    return {};
}

// The moves of a game as other programs write them, from the boards the
// plies hold; one scratch record serves every ply.
class MoveNamer {
public:
    explicit MoveNamer(const CGameRecord& game)
        : m_game(game), m_scratch(std::make_unique<CGameRecord>()) {}
    // The move of `ply`, played from the board `before` holds (the game's
    // start when null).
    std::string MoveText(const PlyRecord& ply, const PlyRecord* before);

private:
    void SetBoard(const PlyRecord& ply);

    const CGameRecord& m_game;
    std::unique_ptr<CGameRecord> m_scratch;
};

void MoveNamer::SetBoard(const PlyRecord& ply) {
    // The position after `ply` with the rule state its move needs: the
    // castling rights and the en-passant target.
    CGameRecord& board = *m_scratch;
    ply.GiveBoard(board.m_piece, board.m_color);
    board.m_canCastleWK = ply.canCastleWK;
    board.m_canCastleWQ = ply.canCastleWQ;
    board.m_canCastleBK = ply.canCastleBK;
    board.m_canCastleBQ = ply.canCastleBQ;
    board.m_epFile = ply.epFile;
    board.m_epRank = ply.epRank;
    board.m_halfMoveClock = ply.halfMoveClock;
    board.m_status = 'P';
}

std::string MoveNamer::MoveText(const PlyRecord& ply, const PlyRecord* before) {
    if (ply.IsNullMove()) return "--";  // its sign goes as a glyph
    CGameRecord& board = *m_scratch;
    if (before != nullptr) {
        SetBoard(*before);
    } else {
        board.SetStartPosition();
        board.SetFromFen(m_game.m_startFen);
    }
    const Move move{{ply.fromFile, ply.fromRank},
                    {ply.toFile, ply.toRank},
                    ply.piece[ply.toFile & 7][ply.toRank & 7]};
    // Other programs read no en-passant mark, and a draw's "=" is this
    // program's own; mate keeps its mark.
    board.m_sideToMove = board.GetColor(move.from.file, move.from.rank);
    PlayOptions options;
    options.drawMark = false;
    options.enPassantMark = false;
    const PlayedMove played = PlayMove(board, move, options);
    if (played.legal) return played.text;
    // No move of the board: the text as recorded, less the program's marks.
    std::string text = MoveWithoutNumber(ply);
    const std::size_t mark = text.find(" e.p.");
    if (mark != std::string::npos) text.erase(mark, 5);
    return text.substr(0, text.find_last_not_of("!?=") + 1);
}

// The start position's FEN as other programs check it: castling rights only
// where king and rook stand at home, and every field written, the move
// number the one the moves are numbered from.
std::string ExportedStartFen(const CGameRecord& game) {
    auto start = std::make_unique<CGameRecord>();
    if (!start->SetFromFen(game.m_startFen)) return game.m_startFen;
    return start->MakeFullFen();
}

// `count` plies of a line of the game, the first its ply index `first`
// played from `before` (the start when null), each with its glyphs and
// comment and then its variations in parentheses. A Black move is numbered
// where a reader could not tell it from White's: first, or after a comment
// or a variation.
void ExportPlies(MovetextLines& lines, MoveNamer& namer, const CGameRecord& game,
                 const PlyList& plies, int first, int count, const PlyRecord* before,
                 bool numberFirst) {
    bool numbered = numberFirst || first > 0;
    for (int i = first; i < first + count && i < CGameRecord::kMaxPlies; ++i) {
        const PlyRecord& ply = plies[i - first];
        const std::string number = std::to_string(game.MoveNumberOfPly(i));
        if (game.SideOfPly(i) == White)
            lines.Add(number + ".");
        else if (i == 0 || numbered)
            lines.Add(number + "...");
        lines.Add(namer.MoveText(ply, before));
        const std::string glyph = SignGlyph(MoveWithoutNumber(ply));
        if (!glyph.empty()) lines.Add(glyph);
        for (const std::string& nag : Words(ply.nags)) lines.Add(nag);
        numbered = ply.hasNote && AddComment(lines, ply.note);
        for (const Variation& variation : ply.variations) {
            lines.Open();
            AddComment(lines, variation.startNote);
            ExportPlies(lines, namer, game, variation.plies, i,
                        static_cast<int>(variation.plies.size()), before, true);
            lines.Close();
            numbered = true;
        }
        before = &ply;
    }
}

}  // namespace

std::string NoteAsExported(const std::string& note) {
    std::string text;
    for (const std::string& word : Words(note)) {
        if (!text.empty()) text += ' ';
        text += word;
    }
    // Only "}" ends a brace comment; a "{" inside one is its text.
    ReplaceChar(text, '}', ')');
    return text;
}

std::vector<std::pair<std::string, std::string>> ExportedTags(const CGameRecord& game) {
    auto tags = KeptTagsAsWritten(game);
    for (const auto& tag : tags)
        if (tag.first == "ECO" || tag.first == "Opening") return tags;
    const Opening* opening = OpeningOf(game, game.m_plyCount);
    if (opening == nullptr) return tags;
    // In the game's own encoding, so a file never mixes two.
    std::string name = opening->name, eightBit;
    if (UsesWindows1252(game) && Utf8ToWindows1252(name, eightBit)) name = eightBit;
    tags.emplace_back("ECO", opening->eco);
    tags.emplace_back("Opening", name);
    return tags;
}

void ExportPgn(const CGameRecord& game, ByteWriter& out) {
    std::string result = ResultInFull(game.m_tag[CGameRecord::Result]);
    if (!IsStandardResult(result)) result = "*";
    const std::string date = game.m_tag[CGameRecord::Date];
    WriteSevenTags(out, game, result.c_str(), date.empty() || date == "?" ? kUnknownDate : nullptr);
    for (const auto& tag : ExportedTags(game)) WriteTagPair(out, tag.first, tag.second);
    const std::string fen = ExportedStartFen(game);
    if (fen != kStandardFen) {
        WriteTagPair(out, "SetUp", "1");
        WriteTagPair(out, "FEN", fen);
    }
    WriteLine(out, "");

    MovetextLines lines(out);
    const bool afterComment = game.m_hasStartNote && AddComment(lines, game.m_startNote);
    MoveNamer namer(game);
    ExportPlies(lines, namer, game, game.m_ply, 0, game.m_plyCount, nullptr, afterComment);
    lines.Add(result);
    lines.Finish();
}

std::string ExportPgnToString(const CGameRecord& game) {
    std::ostringstream stream;
    {
        ByteWriter out(stream);
        ExportPgn(game, out);
    }
    return stream.str();
}
