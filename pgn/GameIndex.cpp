// Listing the games of a file. The borders are the reader's: a game begins at
// its first line that is not blank and ends with the line of its result token;
// its movetext is cut into tokens by the reader's rules, and every token that
// is not a number, a result, a glyph or a mark counts as a half-move.
#include "GameIndex.h"

#include <algorithm>
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

std::string_view TagName(int tag) {
    static const auto names = [] {
        std::array<std::string_view, CGameRecord::kTagCount> views;
        for (int i = 0; i < CGameRecord::kTagCount; ++i) views[i] = CGameRecord::kTagNames[i];
        return views;
    }();
    return names[static_cast<std::size_t>(tag)];
}

class Scanner {
public:
    // `bytes` from the file's byte `base`; `final` when they run to its end.
    Scanner(std::string_view bytes, bool final) : m_bytes(bytes), m_final(final) {}
    enum class Scan {
        Game,        // a game was listed
        None,        // nothing but blank lines is left
        Incomplete,  // a game runs past the bytes given, which are not the file's end
    };
    // Lists the next game into `game`, its tags into Tags().
    Scan Next(IndexedGame& game);
    // Where the game that did not fit begins.
    std::size_t Resume() const { return m_resume; }
    const std::array<std::string, CGameRecord::kTagCount>& Tags() const { return m_tags; }

private:
    // The next line from m_pos without its LF (a CR before it stays).
    bool NextLine(std::string_view& line);
    // A line cut by the end of the bytes given, before the file's end: what
    // follows may change how it reads.
    bool CutShort() const { return m_lineCut && !m_final; }
    // Takes one line of the game; false when it is the next game's first.
    bool Line(std::string_view line, IndexedGame& game);
    void MoveLine(std::string_view line, IndexedGame& game);
    void Token(std::string_view token, IndexedGame& game);

    std::string_view m_bytes;
    bool m_final;
    std::size_t m_pos = 0;
    std::size_t m_resume = 0;
    bool m_lineCut = false;  // the last line read had no line feed
    std::array<std::string, CGameRecord::kTagCount> m_tags;
    std::string m_name, m_value, m_rest;  // of the tag line being read, kept for their room
    std::string m_openers;                // the brackets of the comment being read, innermost last
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
    m_lineCut = feed == nullptr;
    return true;
}

bool Scanner::Line(std::string_view line, IndexedGame& game) {
    if (!m_inMoves) {
        const std::string_view text = Trim(line);
        if (text.empty() || text[0] == '%') return true;
        if (text[0] == '[') {
            if (!ParsePgnTag(text, m_name, m_value, m_rest)) return true;
            if (m_name == "Result") m_value = ResultInFull(m_value);
            const std::string& value = m_value;
            for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
                if (m_name == TagName(tag))
                    m_tags[static_cast<std::size_t>(tag)].assign(
                        value, 0, Utf8SafeCut(value, CGameRecord::kTagSize - 1));
            if (m_rest.empty()) return true;
            const std::string rest = m_rest;  // the next tag parsed overwrites it
            return Line(rest, game);
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
        std::string& result = m_tags[CGameRecord::Result];
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

Scanner::Scan Scanner::Next(IndexedGame& game) {
    std::string_view line;
    std::size_t lineStart = m_pos;
    bool any;
    while ((any = NextLine(line)) && Trim(line).empty()) {
        if (CutShort()) break;
        lineStart = m_pos;
    }
    if (!any) return Scan::None;
    m_resume = lineStart;
    if (CutShort()) return Scan::Incomplete;

    game = IndexedGame();
    game.begin = lineStart;
    for (std::string& tag : m_tags) tag.clear();
    // Read alone, as it is opened, a game's first line may begin with a byte-order mark.
    if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    m_openers.clear();
    m_inMoves = m_ended = m_afterEmpty = false;
    for (;;) {
        const bool taken = Line(line, game);
        if (CutShort()) return Scan::Incomplete;
        if (!taken) {
            m_pos = lineStart;  // the next game's first line
            break;
        }
        if (line.find('\0') != std::string_view::npos && game.problem.empty())
            game.problem = pgnmsg::kUnexpectedFormat;
        lineStart = m_pos;
        if (m_ended) break;
        if (!NextLine(line)) {
            if (!m_final) return Scan::Incomplete;  // the next bytes may go on with it
            break;
        }
    }
    game.end = m_pos;
    if (!m_ended && game.problem.empty())
        game.problem = !m_openers.empty()       ? pgnmsg::NotClosed(m_openers)
                       : m_pos < m_bytes.size() ? pgnmsg::kNextGameFirst
                                                : pgnmsg::kFileEndsFirst;
    return Scan::Game;
}

bool AnyNul(std::string_view bytes) {
    return !bytes.empty() && std::memchr(bytes.data(), '\0', bytes.size()) != nullptr;
}

}  // namespace

void GameIndex::KeepTags(const std::array<std::string, CGameRecord::kTagCount>& tags,
                         IndexedGame& game) {
    constexpr std::size_t kBlockSize = std::size_t(1) << 20;
    std::size_t size = 0;
    for (const std::string& tag : tags) size += tag.size();
    if (m_tagBlocks.empty() || m_tagBlockUsed + size > kBlockSize) {
        m_tagBlocks.push_back(std::make_unique<char[]>(kBlockSize));
        m_tagBlockUsed = 0;
    }
    char* text = m_tagBlocks.back().get() + m_tagBlockUsed;
    game.tagText = text;
    for (std::size_t tag = 0; tag < tags.size(); ++tag) {
        std::memcpy(text, tags[tag].data(), tags[tag].size());
        text += tags[tag].size();
        game.tagLengths[tag] = static_cast<std::uint8_t>(tags[tag].size());
    }
    m_tagBlockUsed += size;
}

GameIndex::GameIndex(std::string_view bytes) : m_holdsNul(AnyNul(bytes)) {
    m_games.reserve(bytes.size() / 1024);  // games of moves alone take about a kilobyte
    Scanner scanner(bytes, true);
    IndexedGame game;
    while (scanner.Next(game) == Scanner::Scan::Game) {
        KeepTags(scanner.Tags(), game);
        m_games.push_back(game);
    }
}

GameIndex::Listing GameIndex::List(const ReadBlock& read, const Progress& progress,
                                   std::uint64_t sizeHint, std::size_t blockSize) {
    m_games.reserve(m_games.size() + static_cast<std::size_t>(sizeHint / 1024));
    std::string window;                                      // the bytes not yet listed
    std::uint64_t base = 0;                                  // the file's byte that window[0] is
    std::size_t want = std::max<std::size_t>(blockSize, 1);  // grows while one game is larger
    bool atEnd = false;
    for (;;) {
        while (!atEnd && window.size() < want) {
            const std::size_t had = window.size();
            window.resize(std::max(want, had + 1));
            const std::int64_t got = read(window.data() + had, window.size() - had);
            if (got < 0) return Listing::ReadFailed;
            window.resize(had + static_cast<std::size_t>(got));
            m_holdsNul = m_holdsNul || AnyNul(std::string_view(window).substr(had));
            atEnd = got == 0;
        }
        Scanner scanner(window, atEnd);
        IndexedGame game;
        Scanner::Scan scan;
        while ((scan = scanner.Next(game)) == Scanner::Scan::Game) {
            game.begin += base;
            game.end += base;
            KeepTags(scanner.Tags(), game);
            m_games.push_back(game);
        }
        const std::size_t listed = scan == Scanner::Scan::None ? window.size() : scanner.Resume();
        if (scan == Scanner::Scan::Incomplete && listed == 0) want *= 2;  // one game fills it
        base += listed;
        window.erase(0, listed);
        if (progress && !progress(base)) return Listing::Cancelled;
        if (atEnd && scan == Scanner::Scan::None) return Listing::Done;
    }
}
