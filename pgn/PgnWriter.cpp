#include "PgnWriter.h"

#include <sstream>

#include "PgnReader.h"

void WriteText(ByteWriter& out, const std::string& text) {
    for (char c : text) out.WriteByte(c);
}

void WriteLine(ByteWriter& out, const std::string& text) {
    WriteText(out, text);
    WriteText(out, "\r\n");
}

void WriteMoveText(ByteWriter& out, const std::string& text) {
    WriteText(out, text);
    out.WriteByte(' ');
}

void WriteTagPair(ByteWriter& out, const std::string& name, const std::string& value) {
    std::string escaped;
    for (char c : value) {
        if (c == '"' || c == '\\') escaped += '\\';
        escaped += c;
    }
    WriteLine(out, "[" + name + " \"" + escaped + "\"]");
}

int ReplaceChar(std::string& text, char from, char to) {
    int count = 0;
    for (char& c : text) {
        if (c == from) {
            c = to;
            ++count;
        }
    }
    return count;
}

std::size_t TrimTrailingBlanks(std::string& text) {
    const std::size_t end = text.find_last_not_of(' ');
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text.size();
}

std::size_t TakeWrappedLine(std::string& rest, std::string& line) {
    constexpr std::size_t kWidth = 80;
    if (rest.size() <= kWidth) {
        line.swap(rest);
        rest.clear();
        return line.size();
    }
    std::size_t blank = rest.rfind(' ', kWidth);
    if (blank == std::string::npos) blank = rest.find(' ');
    if (blank == std::string::npos) {
        line.swap(rest);
        rest.clear();
        return line.size();
    }
    line = rest.substr(0, blank + 1);
    rest.erase(0, blank + 1);
    return line.size();
}

std::string NoteAsWritten(const std::string& note) {
    std::string text = note;
    TrimTrailingBlanks(text);
    // Only "}" would end the note block early; it goes as ")", as the export
    // writes it. Brackets and semicolons inside a brace comment are its text.
    ReplaceChar(text, '}', ')');
    // A line break stays a line of the note block, except one that could
    // leave an empty line before a line of tags, which would read as the next
    // game's: that one is a blank. A break right after another leaves one, and
    // so does a break after a blank where the block's lines wrap. From the
    // end, so a blank put in is seen by the breaks before it.
    for (std::size_t at = text.rfind('\n'); at != std::string::npos;) {
        const std::size_t lineStart = at > 0 && text[at - 1] == '\r' ? at - 1 : at;
        const char before = lineStart > 0 ? text[lineStart - 1] : '\0';
        const std::size_t next = text.find_first_not_of(" \t\r\v\f", at + 1);
        if ((before == '\n' || before == ' ') && next != std::string::npos && text[next] == '[')
            text.replace(lineStart, at + 1 - lineStart, " ");
        at = lineStart > 0 ? text.rfind('\n', lineStart - 1) : std::string::npos;
    }
    return text;
}

void WriteNoteBlock(ByteWriter& out, const std::string& note) {
    std::string rest = NoteAsWritten(note);
    if (rest.empty()) return;
    out.WriteByte('{');
    std::string line;
    while (TakeWrappedLine(rest, line) > 0) {
        WriteText(out, line);
        WriteLine(out, rest.empty() ? "}" : "");
    }
}

namespace {

bool HasNoteToWrite(const std::string& note) { return !NoteAsWritten(note).empty(); }

// The word a ply stands for in the movetext. A White ply keeps its number; a
// Black ply is its move alone, except a game's very first ply when Black
// moves first, which keeps its number as "12... e5" so it reads back as Black's,
// and so does a Black ply that opens a variation or follows one.
std::string MoveWord(const CGameRecord& game, const PlyRecord& ply, int index, bool numbered) {
    const std::string text = ply.text;
    const std::size_t tab = text.find('\t');
    if (game.SideOfPly(index) == White || tab == std::string::npos) return text;
    if (index > 0 && !numbered) return text.substr(tab + 1);
    return std::to_string(game.MoveNumberOfPly(index)) + "... " + text.substr(tab + 1);
}

// `count` plies of a line of `game`, the first its ply index `first`, one to
// a line, each followed by its note and then its variations in parentheses,
// written the same way. Numbers come from the game's start alone, so a
// variation is written from its own plies.
void WritePlies(ByteWriter& out, const CGameRecord& game, const PlyList& plies, int first,
                int count, std::size_t& written) {
    bool numbered = first > 0;
    for (int i = first; i < first + count && i < CGameRecord::kMaxPlies; ++i) {
        const PlyRecord& ply = plies[i - first];
        std::string word = MoveWord(game, ply, i, numbered);
        if (!ply.nags.empty()) word += " " + ply.nags;
        written += word.size();
        if (written >= 80) {
            WriteLine(out, "");
            written = word.size();
        }
        WriteMoveText(out, word);
        if (ply.hasNote && HasNoteToWrite(ply.note)) {
            WriteNoteBlock(out, ply.note);
            written = 0;
        }
        WriteLine(out, "");
        numbered = false;
        for (const Variation& variation : ply.variations) {
            WriteMoveText(out, "(");
            if (HasNoteToWrite(variation.startNote)) WriteNoteBlock(out, variation.startNote);
            written = 0;
            WritePlies(out, game, variation.plies, i, static_cast<int>(variation.plies.size()),
                       written);
            WriteLine(out, ")");
            written = 0;
            numbered = true;
        }
    }
}

}  // namespace

void WriteSevenTags(ByteWriter& out, const CGameRecord& game, const char* result,
                    const char* date) {
    static const char* const kDefaults[CGameRecord::kTagCount] = {"?", "?", "?", "?",
                                                                  "?", "?", "*"};
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) {
        const char* value = tag == CGameRecord::Result && result ? result
                            : tag == CGameRecord::Date && date   ? date
                                                                 : game.m_tag[tag];
        WriteTagPair(out, CGameRecord::kTagNames[tag], value[0] != '\0' ? value : kDefaults[tag]);
    }
}

std::vector<std::pair<std::string, std::string>> KeptTagsAsWritten(const CGameRecord& game) {
    auto tags = game.m_keptTags;
    for (auto& [name, value] : tags)
        if (name == "PlyCount") value = std::to_string(game.m_plyCount);
    return tags;
}

void WritePgn(const CGameRecord& game, ByteWriter& out) {
    const std::string result = ResultInFull(game.m_tag[CGameRecord::Result]);
    WriteSevenTags(out, game, result.c_str());
    if (game.m_fromSetup) {
        WriteTagPair(out, "SETUP", "1");
        WriteTagPair(out, "FEN", game.m_startFen);
    }
    for (const auto& tag : KeptTagsAsWritten(game)) WriteTagPair(out, tag.first, tag.second);
    if (game.m_hasStartNote) WriteNoteBlock(out, game.m_startNote);

    std::size_t count = 0;
    WritePlies(out, game, game.m_ply, 0, game.m_plyCount, count);
    if (game.m_flipped) {
        WriteLine(out, "");
        WriteLine(out, "%F");
    }
    WriteLine(out, (result == "1-0" || result == "0-1" || result == "1/2-1/2") ? result : "*");
}

std::string WritePgnToString(const CGameRecord& game) {
    std::ostringstream stream;
    {
        ByteWriter out(stream);
        WritePgn(game, out);
    }
    return stream.str();
}
