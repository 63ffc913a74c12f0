// Listing the games of a file. The borders are the reader's: a game begins at
// its first line that is not blank and ends with the line of its result token;
// its movetext is cut into tokens by the reader's rules, and every token that
// is not a number, a result, a glyph or a mark counts as a half-move.
#include "GameIndex.h"

#include <cctype>
#include <cstring>

#include "PgnReader.h"
#include "TextField.h"

namespace {

// Where the first brace or parenthesis of `text` stands, or its size: comment
// text is skipped a vectorised search at a time, not byte by byte.
std::size_t NextBracket(std::string_view text) {
    std::size_t next = text.size();
    for (const char bracket : {'{', '}', '(', ')'})
        if (const void* found = std::memchr(text.data(), bracket, next))
            next = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    return next;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsPgnBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsPgnBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Whether the reader takes `token` as a move, one it can play or not.
bool IsMoveToken(std::string_view token) {
    if (IsPgnDigit(token[0]) && token.substr(0, 3) != "0-0") {
        std::size_t pos = 0;
        while (pos < token.size() && IsPgnDigit(token[pos])) ++pos;
        if (pos == token.size()) return false;
        if (token[pos] != '.') return true;  // refused by the reader as a move
        while (pos < token.size() && token[pos] == '.') ++pos;
        token.remove_prefix(pos);
        if (token.empty()) return false;
    }
    if (token.find_first_not_of('.') == std::string_view::npos) return false;
    if (token.substr(0, 4) == "e.p." && token.find_first_not_of("+#=", 4) == std::string_view::npos)
        return false;
    for (char c : token)
        if (std::isalnum(static_cast<unsigned char>(c))) return true;
    return token == "--";
}

class Scanner {
public:
    explicit Scanner(std::string_view bytes) : m_bytes(bytes) {}
    std::vector<IndexedGame> Run();

private:
    // The next line from m_pos without its LF (a CR before it stays).
    bool NextLine(std::string_view& line);
    // Takes one line of the game; false when it is the next game's first.
    bool Line(std::string_view line, IndexedGame& game);
    void MoveLine(std::string_view line, IndexedGame& game);
    void Token(std::string_view token, IndexedGame& game);

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    std::string m_openers;  // the brackets of the comment being read, innermost last
    bool m_inMoves = false;
    bool m_ended = false;
    bool m_afterEmpty = false;  // the movetext line before was empty
};

bool Scanner::NextLine(std::string_view& line) {
    if (m_pos >= m_bytes.size()) return false;
    const void* feed = std::memchr(m_bytes.data() + m_pos, '\n', m_bytes.size() - m_pos);
    const std::size_t end =
        feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - m_bytes.data())
             : m_bytes.size();
    line = m_bytes.substr(m_pos, end - m_pos);
    m_pos = feed ? end + 1 : end;
    return true;
}

bool Scanner::Line(std::string_view line, IndexedGame& game) {
    if (!m_inMoves) {
        const std::string_view text = Trim(line);
        if (text.empty() || text[0] == '%') return true;
        if (text[0] == '[') {
            std::string name, value, rest;
            if (!ParsePgnTag(std::string(text), name, value, rest)) return true;
            for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
                if (name == CGameRecord::kTagNames[tag])
                    game.tags[tag] = value.substr(0, Utf8SafeCut(value, CGameRecord::kTagSize - 1));
            return rest.empty() || Line(rest, game);
        }
        m_inMoves = true;
    } else if (m_openers.empty() ? Trim(line).substr(0, 1) == "["
                                 : m_afterEmpty && IsPgnTagLine(line)) {
        return false;
    }
    MoveLine(line, game);
    m_afterEmpty = line.empty() || line == "\r";
    return true;
}

void Scanner::Token(std::string_view token, IndexedGame& game) {
    if (token.empty()) return;
    if (const std::size_t glued = GluedResultAt(token); glued != std::string_view::npos) {
        Token(token.substr(0, glued), game);
        Token(token.substr(glued), game);
        return;
    }
    if (IsPgnResultToken(token)) {
        std::string& result = game.tags[CGameRecord::Result];
        result = ResultAfterToken(result, token);
        m_ended = true;
    } else if (IsMoveToken(token) && ++game.plies > CGameRecord::kMaxPlies &&
               game.problem.empty()) {
        game.problem = pgnmsg::kTooManyPlies;
    }
}

void Scanner::MoveLine(std::string_view line, IndexedGame& game) {
    if (m_openers.empty() && Trim(line) == "%F") return;
    std::size_t tokenBegin = std::string_view::npos;
    for (std::size_t p = 0; p < line.size() && !m_ended; ++p) {
        const char c = line[p];
        if (!m_openers.empty()) {
            const char innermost = m_openers.back();
            if (innermost == '(' && (c == '{' || c == '(')) {
                m_openers += c;
            } else if ((c == '}' && innermost == '{') || (c == ')' && innermost == '(')) {
                m_openers.pop_back();
            } else {
                p += NextBracket(line.substr(p + 1));
            }
            continue;
        }
        if (IsPgnBlank(c) || c == '{' || c == '(' || c == ';' || c == '}' || c == ')' || c == '$') {
            if (tokenBegin != std::string_view::npos)
                Token(line.substr(tokenBegin, p - tokenBegin), game);
            tokenBegin = std::string_view::npos;
            if (m_ended || c == ';') return;
            if (c == '{' || c == '(') m_openers += c;
            if (c == '$')
                while (p + 1 < line.size() && IsPgnDigit(line[p + 1])) ++p;
            continue;
        }
        if (tokenBegin == std::string_view::npos) {
            if (c == '%') return;  // a date line
            tokenBegin = p;
        }
    }
    if (tokenBegin != std::string_view::npos && !m_ended) Token(line.substr(tokenBegin), game);
}

std::vector<IndexedGame> Scanner::Run() {
    std::vector<IndexedGame> games;
    games.reserve(m_bytes.size() / 1024);  // games of moves alone take about a kilobyte
    std::string_view line;
    for (;;) {
        std::size_t lineStart = m_pos;
        while (NextLine(line) && Trim(line).empty()) lineStart = m_pos;
        if (lineStart >= m_bytes.size()) break;

        IndexedGame game;
        game.begin = lineStart;
        // Read alone, as it is opened, a game's first line may begin with a byte-order mark.
        if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        m_openers.clear();
        m_inMoves = m_ended = m_afterEmpty = false;
        for (;;) {
            if (!Line(line, game)) {
                m_pos = lineStart;  // the next game's first line
                break;
            }
            if (line.find('\0') != std::string_view::npos && game.problem.empty())
                game.problem = pgnmsg::kUnexpectedFormat;
            lineStart = m_pos;
            if (m_ended || !NextLine(line)) break;
        }
        game.end = m_pos;
        if (!m_ended && game.problem.empty())
            game.problem = !m_openers.empty()       ? pgnmsg::NotClosed(m_openers)
                           : m_pos < m_bytes.size() ? pgnmsg::kNextGameFirst
                                                    : pgnmsg::kFileEndsFirst;
        games.push_back(std::move(game));
    }
    return games;
}

}  // namespace

GameIndex::GameIndex(std::string_view bytes)
    : m_games(Scanner(bytes).Run()),
      m_holdsNul(!bytes.empty() && std::memchr(bytes.data(), '\0', bytes.size()) != nullptr) {}
