#include "SaveCheck.h"

#include <algorithm>
#include <cstring>

#include "PgnReader.h"
#include "PgnWriter.h"

std::string NoteAfterSave(const std::string& note) {
    const std::string written = NoteAsWritten(note);
    std::string text;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const char c = written[i];
        if (c == '\r' && i + 1 < written.size() && written[i + 1] == '\n') continue;
        if (c == '\n') {
            if (!text.empty() && text.back() != ' ') text += ' ';
            continue;
        }
        text += c;
    }
    text.erase(text.find_last_not_of(' ') + 1);  // a break at the end leaves no blank
    return text;
}

namespace {

std::string TagAfterSave(const CGameRecord& game, int tag) {
    if (game.m_tag[tag][0] != '\0')
        return tag == CGameRecord::Result ? ResultInFull(game.m_tag[tag]) : game.m_tag[tag];
    return tag == CGameRecord::Result ? "*" : "?";
}

bool Differs(std::string& difference, const std::string& what) {
    difference = what;
    return false;
}

// The plies, notes, glyphs and variations, at every depth.
bool SamePlies(const PlyList& saved, const PlyList& reread, int count, std::string& difference) {
    for (int i = 0; i < count; ++i) {
        const PlyRecord& a = saved[i];
        const PlyRecord& b = reread[i];
        const std::string move = "move " + std::string(a.text);
        if (std::strcmp(a.text, b.text) != 0 || a.fromFile != b.fromFile ||
            a.fromRank != b.fromRank || a.toFile != b.toFile || a.toRank != b.toRank ||
            a.nags != b.nags)
            return Differs(difference, move);
        const std::string note = a.hasNote ? NoteAfterSave(a.note) : "";
        const std::string rereadNote = b.hasNote ? b.note : "";
        if (note != rereadNote) return Differs(difference, "the note of " + move);
        if (a.variations.size() != b.variations.size())
            return Differs(difference, "the variations of " + move);
        for (std::size_t v = 0; v < a.variations.size(); ++v) {
            const Variation& mine = a.variations[v];
            const Variation& theirs = b.variations[v];
            if (NoteAfterSave(mine.startNote) != theirs.startNote ||
                mine.plies.size() != theirs.plies.size())
                return Differs(difference, "the variations of " + move);
            if (!SamePlies(mine.plies, theirs.plies, static_cast<int>(mine.plies.size()),
                           difference))
                return false;
        }
    }
    return true;
}

}  // namespace

bool SameGameAfterSave(const CGameRecord& saved, const CGameRecord& reread,
                       std::string& difference) {
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        if (TagAfterSave(saved, tag) != TagAfterSave(reread, tag))
            return Differs(difference, std::string("the ") + CGameRecord::kTagNames[tag] + " tag");
    if (KeptTagsAsWritten(saved) != reread.m_keptTags) return Differs(difference, "the other tags");
    if (saved.m_fromSetup != reread.m_fromSetup ||
        (saved.m_fromSetup && std::strcmp(saved.m_startFen, reread.m_startFen) != 0))
        return Differs(difference, "the starting position");
    if ((saved.m_flipped != 0) != (reread.m_flipped != 0))
        return Differs(difference, "the board's orientation");
    const std::string startNote = saved.m_hasStartNote ? NoteAfterSave(saved.m_startNote) : "";
    const std::string rereadStart = reread.m_hasStartNote ? reread.m_startNote : "";
    if (startNote != rereadStart) return Differs(difference, "the note of the starting position");
    if (saved.m_plyCount != reread.m_plyCount) return Differs(difference, "the number of moves");
    return SamePlies(saved.m_ply, reread.m_ply, std::min(saved.m_plyCount, CGameRecord::kMaxPlies),
                     difference);
}
