// Reading a game back. The header holds the tags; the movetext is read as
// tokens, so move numbers, glyphs, comments and variations may stand anywhere
// and lines may be of any length. A file that cannot be read whole is refused.
#include "PgnReader.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "GameLines.h"
#include "MoveText.h"
#include "MoveTextApply.h"
#include "OtherTags.h"
#include "PlyLine.h"
#include "TextField.h"

namespace {

constexpr std::size_t kMaxCommentLength = 4097;

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsPgnBlank(text[begin])) ++begin;
    while (end > begin && IsPgnBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Text from the file as a message quotes it: control bytes become "?" and a
// long text is cut, so a damaged file never yields an unreadable message box.
std::string Quoted(const std::string& text, std::size_t limit) {
    std::string shown = text.substr(0, Utf8SafeCut(text, limit));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return shown.size() < text.size() ? shown + "..." : shown;
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsPgnBlank(text[pos])) ++pos;
    return pos;
}

// Whether the quote at `q` is escaped: an odd run of backslashes before it.
bool IsEscaped(std::string_view text, std::size_t q) {
    std::size_t slashes = 0;
    while (slashes < q && text[q - 1 - slashes] == '\\') ++slashes;
    return slashes % 2 == 1;
}

// The quote that closes a tag value opened at `open`: a quote followed by
// "]", not escaped. Some programs write quotes inside a value unescaped, so a
// closing candidate counts only when nothing, another tag or a move number
// follows its bracket; otherwise the last candidate on the line, or the last
// quote. A value ending in a lone backslash, written before values were
// escaped, still closes at its quote.
std::size_t ClosingQuote(std::string_view text, std::size_t open, bool skipEscaped = true) {
    std::size_t last = std::string::npos;
    for (std::size_t q = text.find('"', open + 1); q != std::string::npos;
         q = text.find('"', q + 1)) {
        if (skipEscaped && IsEscaped(text, q)) continue;
        const std::size_t bracket = SkipBlanks(text, q + 1);
        if (bracket == text.size() || text[bracket] != ']') continue;
        last = q;
        const std::size_t next = SkipBlanks(text, bracket + 1);
        if (next == text.size() || text[next] == '[' || IsPgnDigit(text[next])) return q;
    }
    if (last == std::string::npos && skipEscaped) return ClosingQuote(text, open, false);
    return last != std::string::npos ? last : text.rfind('"');
}

// \" and \\ inside a tag value stand for " and \.
void Unescape(std::string_view value, std::string& text) {
    text.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() &&
            (value[i + 1] == '"' || value[i + 1] == '\\'))
            ++i;
        text += value[i];
    }
}

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && IsPgnBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsPgnBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A tag name others can read back: a letter or digit, then letters, digits
// and _ + # = : -.
bool IsTagName(const std::string& name) {
    if (name.empty() || !std::isalnum(static_cast<unsigned char>(name[0]))) return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) &&
            std::string_view("_+#=:-").find(c) == std::string_view::npos)
            return false;
    return true;
}

// Name and value of a tag line `[Name "value"]`, escapes undone; quotes
// written unescaped inside the value stay. `rest` gets what follows the
// closing bracket: further tags or moves, when a file puts several on one line.
// Every tag line of every game listed or read comes here: views, not copies.
bool ParseTag(std::string_view line, std::string& name, std::string& value, std::string& rest) {
    const std::string_view text = TrimView(line);
    if (text.size() < 2 || text[0] != '[') return false;
    std::size_t pos = 1;
    while (pos < text.size() && !IsPgnBlank(text[pos]) && text[pos] != '"' && text[pos] != ']')
        ++pos;
    name.assign(text.substr(1, pos - 1));
    const std::size_t open = text.find('"', pos);
    const std::size_t close = open == std::string::npos ? open : ClosingQuote(text, open);
    rest.clear();
    if (open != std::string::npos && close != std::string::npos && close > open) {
        Unescape(text.substr(open + 1, close - open - 1), value);
        const std::size_t bracket = text.find(']', close);
        if (bracket != std::string::npos) rest.assign(TrimView(text.substr(bracket + 1)));
    } else {
        const std::size_t bracket = text.rfind(']');
        value.assign(TrimView(text.substr(pos, bracket == std::string::npos || bracket < pos
                                                   ? std::string::npos
                                                   : bracket - pos)));
    }
    return !name.empty();
}

// The length of a dash at `pos`: a hyphen, or an en or em dash as text
// copied from web pages and word processors has them (UTF-8 or Windows-1252).
std::size_t DashAt(const std::string& token, std::size_t pos) {
    if (pos >= token.size()) return 0;
    if (token[pos] == '-' || token[pos] == '\x96' || token[pos] == '\x97') return 1;
    if (token.compare(pos, 3, "\xE2\x80\x93") == 0 || token.compare(pos, 3, "\xE2\x80\x94") == 0)
        return 3;
    return 0;
}

// Castling written with zeros, as some programs do, or with other dashes.
void NormaliseCastling(std::string& token) {
    if (token.empty() || (token[0] != '0' && token[0] != 'O')) return;
    if (token.compare(0, 3, "0-0") == 0) {
        std::size_t end = 3;
        if (token.compare(3, 2, "-0") == 0) end = 5;
        for (std::size_t i = 0; i < end; ++i)
            if (token[i] == '0') token[i] = 'O';
        return;
    }
    if (token.empty() || token[0] != 'O') return;
    std::string castling = "O";
    std::size_t pos = 1;
    for (int step = 0; step < 2; ++step) {
        const std::size_t dash = DashAt(token, pos);
        if (dash == 0 || pos + dash >= token.size() || token[pos + dash] != 'O') break;
        castling += "-O";
        pos += dash + 1;
    }
    token = castling + token.substr(pos);
}

// The glyph number of a move sign written apart from its move ("e4 !?" is
// e4 $5); 0 for any other token.
int SignGlyph(const std::string& token) {
    // Every sign starts so: the move tokens of a game are spared six compares.
    if (token.empty() || (token[0] != '!' && token[0] != '?')) return 0;
    for (int i = 0; i < 6; ++i)
        if (token == kMoveSigns[i]) return i + 1;
    return 0;
}

bool IsAnnotationOnly(const std::string& token) {
    for (char c : token)
        if (std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

bool IsEnPassantMark(const std::string& token) {
    if (token.size() < 4 || token[1] != '.' || token.compare(0, 4, "e.p.") != 0) return false;
    for (std::size_t i = 4; i < token.size(); ++i)
        if (token[i] != '+' && token[i] != '#' && token[i] != '=') return false;
    return true;
}

// A move given by its squares ("e2e4", "e7-e8q", "d7d8R").
bool ParseCoordinateMove(const std::string& token, Move& move) {
    auto isFile = [](char c) { return c >= 'a' && c <= 'h'; };
    auto isRank = [](char c) { return c >= '1' && c <= '8'; };
    if (token.size() < 4 || !isFile(token[0]) || !isRank(token[1])) return false;
    std::size_t pos = 2;
    if (token[pos] == '-' || token[pos] == 'x') ++pos;
    if (pos + 1 >= token.size() || !isFile(token[pos]) || !isRank(token[pos + 1])) return false;
    move.from = {token[0] - 'a', token[1] - '1'};
    move.to = {token[pos] - 'a', token[pos + 1] - '1'};
    pos += 2;
    if (pos < token.size() && token[pos] == '=') ++pos;
    move.promotion = NoPiece;
    if (const std::size_t letter =
            pos < token.size() ? std::string("NBRQnbrq").find(token[pos]) : std::string::npos;
        letter != std::string::npos) {
        move.promotion = Knight + static_cast<int>(letter % 4);
        ++pos;
    }
    for (; pos < token.size(); ++pos)
        if (std::string("+#!?").find(token[pos]) == std::string::npos) return false;
    return true;
}

void DropEndBlanks(std::string& note) {
    note.erase(note.find_last_not_of(' ') + 1);
}

// Blanks at the end of a note, as "{ text }" leaves them, are never saved:
// dropped once the note is whole, so a note read is the note a save gives back.
void DropEndBlanks(PlyList& plies, int count) {
    for (int i = 0; i < count; ++i) {
        const PlyRecord& ply = std::as_const(plies)[i];
        if (!ply.note.empty() && ply.note.back() == ' ') DropEndBlanks(plies[i].note);
        if (ply.variations.empty()) continue;
        for (Variation& variation : plies[i].variations) {
            DropEndBlanks(variation.startNote);
            DropEndBlanks(variation.plies, variation.plies.Held());
        }
    }
}

class PgnReader {
public:
    PgnReader(ByteReader& in, CGameRecord& game) : m_in(in), m_game(game), m_line(&game) {
        m_frames.emplace_back();
        m_frames.back().line = &game;
    }
    PgnReadResult Read();

private:
    bool NextLine(std::string& line);
    bool ReadHeaderLine(const std::string& line);
    void ScanMoveLine(const std::string& line);
    void OpenComment(char opener);
    void CollectCommentChar(char c);
    void FinishComment();
    void AttachNote(const std::string& text);
    void AttachNag(const std::string& digits);
    void PlayToken(std::string token);
    bool PlayCoordinateMove(const std::string& token, const std::string& written);
    // "12... Nf6" for the move `token` of ply `ply`, quoted and cut for a message.
    std::string MoveName(const std::string& token, int ply) const;
    void RefuseMove(const std::string& written, int ply);
    void Refuse(const std::string& message) {
        if (m_error.empty()) m_error = message;
    }
    bool Stopped() const { return m_ended || !m_error.empty(); }
    // "(" after a move: its alternatives are read into a line of their own,
    // which ")" hangs on the move.
    void StartVariation();
    void EndVariation();
    // A move of a variation that cannot be played: the variation keeps its
    // moves before it, and its text from that move on becomes a note.
    void BreakVariation(const std::string& written, int ply, const char* why);
    void Notice(const std::string& text);
    // The variations finished in a line go onto its plies once the line
    // itself is finished, so lines are copied without them.
    void HangVariations(CGameRecord& line, std::vector<std::pair<int, Variation>>& variations);
    // Why the game ends with something still open.
    const char* StillOpen() const {
        return !m_openers.empty() ? pgnmsg::NotClosed(m_openers) : pgnmsg::kVariationNotClosed;
    }
    bool AnythingOpen() const { return !m_openers.empty() || m_frames.size() > 1; }

    ByteReader& m_in;
    CGameRecord& m_game;
    bool m_firstLine = true;
    bool m_atEnd = false;
    std::string m_pendingLine;
    bool m_hasPendingLine = false;

    std::string m_openers;  // the brackets of the comment being read, innermost last
    std::string m_comment;
    bool m_ended = false;
    std::string m_error;
    std::vector<std::string> m_notices;

    // The line being read, and the lines it branches from, the game first.
    struct Frame {
        CGameRecord* line = nullptr;
        std::unique_ptr<CGameRecord> own;
        int branch = 0;  // the ply index of the move the variation replaces
        std::string startNote;
        bool broken = false;
        std::vector<std::pair<int, Variation>> variations;
    };
    CGameRecord* m_line;
    std::vector<Frame> m_frames;
    std::vector<std::unique_ptr<CGameRecord>> m_spareLines;
    int m_variationPlies = 0;
};

bool PgnReader::NextLine(std::string& line) {
    if (m_hasPendingLine) {
        line.swap(m_pendingLine);
        m_hasPendingLine = false;
        return true;
    }
    if (m_atEnd) return false;
    line.clear();
    if (!m_in.ReadLine(line)) {
        m_atEnd = true;
        return false;
    }
    if (line.find('\0') != std::string::npos) {
        // No text file holds a NUL byte: this one is binary, UTF-16 or damaged.
        Refuse(pgnmsg::kUnexpectedFormat);
        m_atEnd = true;
        return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (m_firstLine && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    m_firstLine = false;
    return true;
}

// One line of the header section; false when the line starts the movetext.
bool PgnReader::ReadHeaderLine(const std::string& line) {
    const std::string_view text = TrimView(line);
    if (text.empty()) return true;
    if (text == "%F") {
        m_game.m_flipped = 1;
        return true;
    }
    if (text[0] == '%') return true;  // an escaped line: nothing for us
    if (text[0] != '[') return false;
    std::string name, value, rest;
    if (!ParseTag(text, name, value, rest)) return true;
    if (!rest.empty()) {
        m_pendingLine = rest;
        m_hasPendingLine = true;
    }
    bool known = EqualsIgnoringCase(name, "SetUp") || name == "FEN";
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) {
        if (name != CGameRecord::kTagNames[tag]) continue;
        m_game.SetTag(tag, tag == CGameRecord::Result ? ResultInFull(value) : value);
        known = true;
    }
    if (!known && IsTagName(name) && m_game.m_keptTags.size() < kMaxOtherTags)
        m_game.m_keptTags.emplace_back(name.substr(0, kMaxTagNameLength),
                                       value.substr(0, Utf8SafeCut(value, kMaxTagValueLength)));
    FenRefusal why = FenRefusal::None;
    if (name == "FEN" && !m_game.SetFromFen(Trim(value), why))
        Refuse(why == FenRefusal::NotAPosition
                   ? "The FEN tag of this game does not describe a chess position: \"" +
                         Quoted(value, 100) + "\"."
                   : FenRefusalSentence(why, Trim(value)));
    if (name == "Variant" && !NamesStandardChess(value))
        Refuse("This game is a chess variant (" + Quoted(value, 40) +
               "); Ravelin records standard chess only.");
    return true;
}

void PgnReader::OpenComment(char opener) {
    if (m_openers.empty()) m_comment.clear();
    m_openers += opener;
}

void PgnReader::CollectCommentChar(char c) {
    // A few bytes beyond the limit, so the cut can see where a character ends.
    if (m_comment.size() < kMaxCommentLength + 4) m_comment += c;
}

void PgnReader::AttachNote(const std::string& text) {
    // Several comments on one move are kept together, never one over another.
    auto join = [](std::string& note, const std::string& more) {
        if (!note.empty() && !more.empty() && note.back() != ' ' && more.front() != ' ')
            note += ' ';
        note += more;
        note.resize(Utf8SafeCut(note, kMaxCommentLength));
    };
    if (m_frames.size() > 1 && m_line->m_curPly == m_frames.back().branch) {
        // Before a variation's first move: the variation's own opening note.
        join(m_frames.back().startNote, text);
        return;
    }
    if (m_line->m_curPly == 0) {
        // A comment before the first move describes the starting position.
        join(m_line->m_startNote, text);
        m_line->m_hasStartNote = 1;
        return;
    }
    PlyRecord& ply = m_line->m_ply[m_line->m_curPly - 1];
    if (!ply.hasNote) ply.note.clear();
    join(ply.note, text);
    ply.hasNote = 1;
}

// A glyph $1 to $6 joins its move's text as the sign a player writes there,
// unless the text has a sign already, an en-passant mark (a sign after it
// would not read back) or no room; any other glyph is kept beside the move.
void PgnReader::AttachNag(const std::string& digits) {
    if (digits.empty() || digits.size() > 3 || m_line->m_curPly == 0) return;
    const int number = std::atoi(digits.c_str());
    if (number > 255) return;
    PlyRecord& ply = m_line->m_ply[m_line->m_curPly - 1];
    const std::string text = ply.text;
    if (number >= 1 && number <= 6 && !text.empty() && text.back() != '!' && text.back() != '?' &&
        text.find(" e.p.") == std::string::npos) {
        const std::string withSign = text + kMoveSigns[number - 1];
        if (withSign.size() < PlyRecord::kTextSize) {
            CopyToField(ply.text, PlyRecord::kTextSize, withSign);
            return;
        }
    }
    const std::string nag = "$" + std::to_string(number);
    if (ply.nags.size() + 1 + nag.size() > PlyRecord::kMaxNagsLength) return;
    if (!ply.nags.empty()) ply.nags += ' ';
    ply.nags += nag;
}

void PgnReader::RefuseMove(const std::string& written, int ply) {
    if (m_frames.size() > 1) {
        BreakVariation(written, ply, pgnmsg::kVariationMoveRefused);
        return;
    }
    Refuse("The move " + MoveName(written, ply) + " cannot be played in its position.");
}

void PgnReader::FinishComment() {
    m_comment.resize(Utf8SafeCut(m_comment, kMaxCommentLength));
    AttachNote(m_comment);
    m_comment.clear();
    if (m_frames.size() > 1 && m_frames.back().broken) EndVariation();
}

void PgnReader::Notice(const std::string& text) {
    constexpr std::size_t kMaxNotices = 10;
    if (m_notices.size() < kMaxNotices) m_notices.push_back(text);
}

void PgnReader::StartVariation() {
    if (m_frames.size() > static_cast<std::size_t>(lines::kMaxDepth)) {
        Refuse(pgnmsg::kVariationsTooDeep);
        return;
    }
    Frame frame;
    if (!m_spareLines.empty()) {
        frame.own = std::move(m_spareLines.back());
        m_spareLines.pop_back();
    } else {
        frame.own = std::make_unique<CGameRecord>();
    }
    frame.branch = m_line->m_curPly - 1;
    CGameRecord& line = *frame.own;
    line.Assign(*m_line);
    CutLine(line, frame.branch);
    frame.line = &line;
    m_frames.push_back(std::move(frame));
    m_line = m_frames.back().line;
}

void PgnReader::HangVariations(CGameRecord& line,
                               std::vector<std::pair<int, Variation>>& variations) {
    for (auto& [ply, variation] : variations)
        line.m_ply[ply].variations.push_back(std::move(variation));
    variations.clear();
}

void PgnReader::EndVariation() {
    Frame frame = std::move(m_frames.back());
    m_frames.pop_back();
    m_line = m_frames.back().line;
    CGameRecord& child = *frame.line;
    SettleLineEnd(child);
    HangVariations(child, frame.variations);
    Variation variation;
    variation.startNote = std::move(frame.startNote);
    for (int i = frame.branch; i < child.m_curPly; ++i)
        variation.plies.push_back(std::move(child.m_ply[i]));
    if (variation.plies.empty()) {
        // Nothing of it could be played: its text is the note of the move it
        // follows, as a file's words are never dropped.
        if (!variation.startNote.empty()) {
            const int shown = m_line->m_curPly;
            m_line->m_curPly = frame.branch + 1;
            AttachNote(variation.startNote);
            m_line->m_curPly = shown;
        }
    } else {
        m_frames.back().variations.emplace_back(frame.branch, std::move(variation));
    }
    for (int i = frame.branch; i < child.m_ply.Written(); ++i) child.m_ply[i] = PlyRecord();
    m_spareLines.push_back(std::move(frame.own));
}

void PgnReader::BreakVariation(const std::string& written, int ply, const char* why) {
    Frame& frame = m_frames.back();
    Notice(std::string(why) + MoveName(written, ply) +
           "; the variation is kept up to that move, and its text from there on as a note.");
    frame.broken = true;
    // A move applied though the rules refuse it goes again.
    CutLine(*m_line, ply);
    OpenComment('(');
    m_comment = MoveName(written, ply);
}

std::string PgnReader::MoveName(const std::string& token, int ply) const {
    return std::to_string(m_line->MoveNumberOfPly(ply)) +
           (m_line->SideOfPly(ply) == Black ? "... " : ". ") + Quoted(token, 20);
}

bool PgnReader::PlayCoordinateMove(const std::string& token, const std::string& written) {
    Move move;
    if (!ParseCoordinateMove(token, move)) return false;
    const int fromFile = move.from.file, fromRank = move.from.rank;
    const int toFile = move.to.file, toRank = move.to.rank;
    const int side = m_line->m_sideToMove;
    const int kind = m_line->GetPiece(fromFile, fromRank);
    const int ply = m_line->m_curPly;
    if (m_line->GetColor(fromFile, fromRank) != side) {
        RefuseMove(written, ply);
        return true;
    }
    // Say the move in a text the move reader maps back to exactly these squares.
    std::string text;
    const bool castling = kind == King && fromFile == 4 && std::abs(toFile - fromFile) == 2;
    if (castling)
        text = toFile == 6 ? "O-O" : "O-O-O";
    else if (kind == Pawn)
        text = fromFile == toFile ? SquareName(toFile, toRank)
                                  : std::string(1, static_cast<char>('a' + fromFile)) +
                                        SquareName(toFile, toRank);
    else
        text = std::string(1, PieceLetter(kind)) + SquareName(fromFile, fromRank) +
               SquareName(toFile, toRank);
    if (move.promotion != NoPiece) text += std::string("=") + PieceLetter(move.promotion);

    PlayedMove played;
    if (ApplyMoveText(*m_line, text, side, EndTest::AfterMove, &played) != MoveTextResult::Played) {
        RefuseMove(written, ply);
        return true;
    }
    // The list shows the move as the board would have written it.
    CopyToField(m_line->m_ply[ply].text, PlyRecord::kTextSize,
                FormatPlyLine(*m_line, ply, played.text));
    return true;
}

void PgnReader::PlayToken(std::string token) {
    if (token.empty()) return;
    if (const std::size_t glued = GluedResultAt(token); glued != std::string::npos) {
        PlayToken(token.substr(0, glued));
        if (!Stopped()) PlayToken(token.substr(glued));
        return;
    }
    if (IsPgnResultToken(token)) {
        // Inside a variation a result ends nothing: the game goes on after it.
        if (m_frames.size() > 1) return;
        m_game.SetTag(CGameRecord::Result,
                      ResultAfterToken(m_game.m_tag[CGameRecord::Result], token));
        m_ended = true;
        return;
    }
    // Move numbers in any form: "12.", "12...", "12...Nf6" (the move follows).
    // "0-0" and "0-0-0" are castling written with zeros, not numbers.
    if (IsPgnDigit(token[0]) && token.compare(0, 3, "0-0") != 0) {
        std::size_t pos = 0;
        while (pos < token.size() && IsPgnDigit(token[pos])) ++pos;
        if (pos == token.size()) return;
        if (token[pos] != '.') {
            RefuseMove(token, m_line->m_curPly);
            return;
        }
        while (pos < token.size() && token[pos] == '.') ++pos;
        token.erase(0, pos);
        if (token.empty()) return;
    }
    if (token.find_first_not_of('.') == std::string::npos) return;  // "..." alone
    // Dots before a move, as in "12. ...Nf6", say it is Black's.
    token.erase(0, token.find_first_not_of('.'));
    // A refusal names the move as the file wrote it, at the ply it was meant
    // for; the name is made only then.
    const std::string written = token;
    const int ply = m_line->m_curPly;
    NormaliseCastling(token);
    if (IsEnPassantMark(token)) {
        if (m_line->m_curPly > 0) {
            PlyRecord& ply = m_line->m_ply[m_line->m_curPly - 1];
            // Whole or not at all: a cut mark would read back as a move.
            const std::string marked = std::string(ply.text) + " " + token;
            if (marked.size() < PlyRecord::kTextSize)
                CopyToField(ply.text, PlyRecord::kTextSize, marked);
        }
        return;
    }
    if (const int glyph = SignGlyph(token)) {
        AttachNag(std::to_string(glyph));
        return;
    }
    const bool null = IsNullMoveText(token);
    if (!null && IsAnnotationOnly(token)) return;
    if (m_line->m_curPly >= CGameRecord::kMaxPlies) {
        if (m_frames.size() > 1)
            BreakVariation(written, ply, pgnmsg::kVariationTooLong);
        else
            Refuse(pgnmsg::kTooManyPlies);
        return;
    }
    if (null) {
        // A pass shows a threat in a variation; the game itself is moves alone.
        if (m_frames.size() == 1 || !ApplyNullMove(*m_line, token, EndTest::AtLineEnd))
            RefuseMove(written, ply);
    } else if (!PlayCoordinateMove(token, written) &&
               ApplyMoveText(*m_line, token, m_line->m_sideToMove, EndTest::AtLineEnd) !=
                   MoveTextResult::Played) {
        RefuseMove(written, ply);
    }
    if (m_frames.size() > 1 && m_line->m_curPly > ply &&
        ++m_variationPlies > lines::kMaxVariationPlies)
        Refuse(pgnmsg::kTooManyVariationPlies);
}

void PgnReader::ScanMoveLine(const std::string& line) {
    if (!AnythingOpen() && TrimView(line) == "%F") {
        m_game.m_flipped = 1;
        return;
    }
    std::string token;
    bool tokenStart = true;
    for (std::size_t p = 0; p < line.size() && !Stopped(); ++p) {
        const char c = line[p];
        if (!m_openers.empty()) {
            // Brace comments do not nest: inside one, "{" and "(" are text.
            // A variation holds comments and variations of its own.
            const char innermost = m_openers.back();
            const bool opens = innermost == '(' && (c == '{' || c == '(');
            const bool closes = (c == '}' && innermost == '{') || (c == ')' && innermost == '(');
            if (opens) {
                m_openers += c;
                CollectCommentChar(c);
            } else if (closes) {
                m_openers.pop_back();
                if (m_openers.empty())
                    FinishComment();
                else
                    CollectCommentChar(c);
            } else {
                // The plain text up to the next bracket goes in as one piece,
                // within the bound CollectCommentChar keeps: notes are long.
                const std::size_t end = p + 1 + std::strcspn(line.c_str() + p + 1, "{}()");
                const std::size_t bound = kMaxCommentLength + 4;
                if (m_comment.size() < bound)
                    m_comment.append(line, p, std::min(end - p, bound - m_comment.size()));
                p = end - 1;
            }
            tokenStart = true;
            continue;
        }
        if (IsPgnBlank(c) || c == '{' || c == '(' || c == ';' || c == '}' || c == ')' || c == '$') {
            PlayToken(token);
            token.clear();
            tokenStart = true;
            if (Stopped()) break;
            if (!m_openers.empty()) {
                // The move broke its variation: the rest of it is note text,
                // this character included.
                --p;
                continue;
            }
            const bool moveBefore =
                m_line->m_curPly > (m_frames.size() > 1 ? m_frames.back().branch : 0);
            if (c == '(' && moveBefore) {
                StartVariation();
            } else if (c == ')' && m_frames.size() > 1) {
                EndVariation();
            } else if (c == '{' || c == '(') {
                OpenComment(c);
            } else if (c == ';') {
                m_comment = line.substr(p + 1);
                FinishComment();
                break;
            } else if (c == '$') {
                const std::size_t digits = p + 1;
                while (p + 1 < line.size() && IsPgnDigit(line[p + 1])) ++p;
                AttachNag(line.substr(digits, p + 1 - digits));
            }
            continue;
        }
        if (tokenStart && c == '%') {
            // A date line after a move: "%X MM/DD/YY" keeps the text after "%X".
            if (m_line->m_curPly > 0)
                CopyToField(m_line->m_ply[m_line->m_curPly - 1].date, PlyRecord::kDateSize,
                            p + 2 <= line.size() ? line.substr(p + 2) : std::string());
            return;
        }
        tokenStart = false;
        token += c;
    }
    if (!Stopped()) PlayToken(token);
    // Lines of a comment are joined with one blank, unless one already ends it.
    if (!m_openers.empty() && !m_comment.empty() && m_comment.back() != ' ')
        CollectCommentChar(' ');
}

PgnReadResult PgnReader::Read() {
    PgnReadResult result;
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) m_game.m_tag[tag][0] = '\0';
    m_game.SetStartPosition();
    m_game.m_flipped = 0;

    std::string line;
    bool inMoves = false, anyText = false, nextGame = false, afterEmpty = false;
    for (; !Stopped() && NextLine(line); afterEmpty = line.empty()) {
        anyText = anyText || !TrimView(line).empty();
        if (!inMoves && ReadHeaderLine(line)) continue;
        if (!inMoves) {
            inMoves = true;
            m_game.m_curPly = 0;
        }
        if (!AnythingOpen() && TrimView(line).substr(0, 1) == "[") {
            // Another game's tags before this game's result.
            m_pendingLine = line;
            m_hasPendingLine = true;
            nextGame = true;
            break;
        }
        if (AnythingOpen() && afterEmpty && IsPgnTagLine(line)) {
            Refuse(StillOpen());
            break;
        }
        ScanMoveLine(line);
    }
    if (!m_error.empty()) {
        result.message = m_error;
        return result;
    }
    if (!m_ended) {
        result.message = AnythingOpen()     ? StillOpen()
                         : nextGame         ? pgnmsg::kNextGameFirst
                         : anyText          ? pgnmsg::kFileEndsFirst
                                            : pgnmsg::kUnexpectedFormat;
        return result;
    }
    // The rest is read to its end too, so a NUL byte anywhere refuses the file.
    while (NextLine(line)) {
        const std::string_view text = TrimView(line);
        if (!text.empty()) result.textAfter = true;
        if (text.compare(0, 1, "[") == 0) result.moreGames = true;
    }
    if (!m_error.empty()) {
        result.message = m_error;
        return result;
    }
    m_game.m_plyCount = m_game.m_curPly;
    SettleLineEnd(m_game);
    HangVariations(m_game, m_frames.front().variations);
    DropEndBlanks(m_game.m_startNote);
    DropEndBlanks(m_game.m_ply, m_game.m_plyCount);
    result.notices = std::move(m_notices);
    result.ok = true;
    return result;
}

}  // namespace

PgnReadResult ReadPgn(ByteReader& in, CGameRecord& game) {
    // Read into a record of its own, so a refused file leaves the game alone.
    // The record read is handed over whole, never copied.
    auto scratch = std::make_unique<CGameRecord>();
    PgnReader reader(in, *scratch);
    PgnReadResult result = reader.Read();
    if (result.ok) {
        game = std::move(*scratch);
        game.CheckSound();
    }
    return result;
}

PgnReadResult ReadPgnFromString(std::string_view bytes, CGameRecord& game) {
    ByteReader in(bytes);
    return ReadPgn(in, game);
}

bool ParsePgnTag(std::string_view line, std::string& name, std::string& value, std::string& rest) {
    return ParseTag(line, name, value, rest);
}

namespace {
const char kHalfHalf[] = "\xC2\xBD-\xC2\xBD";  // ½-½
}  // namespace

bool IsPgnResultToken(std::string_view token) {
    return token == "*" || token == "1-0" || token == "0-1" || token == "1/2-1/2" ||
           token == "1/2" || token == kHalfHalf;
}

std::size_t GluedResultAt(std::string_view token) {
    // Asked of every token: most end in none of the results' last characters.
    if (token.empty() || std::strchr("*012\xBD", token.back()) == nullptr)
        return std::string_view::npos;
    for (const std::string_view result : {"*", "1-0", "0-1", "1/2-1/2", kHalfHalf}) {
        if (token.size() <= result.size() ||
            token.compare(token.size() - result.size(), result.size(), result) != 0)
            continue;
        const std::size_t at = token.size() - result.size();
        if (result == "*") return at;
        // A digit result only after what ends a move, and never after a bare
        // number ("11-0"), so move numbers and castling with zeros stay whole.
        const std::string_view move = token.substr(0, at);
        const bool letter = std::any_of(move.begin(), move.end(), [](char c) {
            return std::isalpha(static_cast<unsigned char>(c)) != 0;
        });
        if (letter && std::strchr("12345678+#!?NBRQO", move.back()) != nullptr) return at;
    }
    return std::string_view::npos;
}

std::string ResultAfterToken(std::string_view tag, std::string_view token) {
    const bool unknown = tag.empty() || tag == "?";
    if (!unknown || (tag.empty() && token == "*")) return std::string(tag);
    return token == kHalfHalf ? "1/2-1/2" : ResultInFull(token);
}

std::string ResultInFull(std::string_view result) {
    return result == "1/2" ? "1/2-1/2" : std::string(result);
}

bool IsPgnTagLine(std::string_view line) {
    std::size_t end = line.size();
    while (end > 0 && IsPgnBlank(line[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && IsPgnBlank(line[begin])) ++begin;
    if (end - begin < 4 || line[begin] != '[' || line[end - 1] != ']') return false;
    std::size_t quote = end - 1;
    while (quote > begin && IsPgnBlank(line[quote - 1])) --quote;
    if (line[quote - 1] != '"') return false;
    std::string name, value, rest;
    return ParseTag(line.substr(begin, end - begin), name, value, rest) && IsTagName(name);
}
