// Any bytes as a PGN file. Its list of games lies in order within it. When a
// game is read, the list's first entry is that game; it is written, the text
// is read again, and the second game must be the first as the writer keeps
// it; writing the second gives the same bytes again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "GameIndex.h"
#include "PgnReader.h"
#include "PgnWriter.h"

namespace {

// A note after a save and a read: the writer's changes, and a line break
// joined to one blank unless it already follows one.
std::string NoteAfterRoundTrip(const std::string& note) {
    std::string text;
    for (char c : NoteAsWritten(note)) {
        if (c != '\n') {
            text += c;
            continue;
        }
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty() || text.back() != ' ') text += ' ';
    }
    return text;
}

void RequireSameNote(int hadNote, const std::string& note, int hasNote, const std::string& got) {
    const std::string expected = hadNote ? NoteAfterRoundTrip(note) : std::string();
    fuzz::Require(hasNote == (expected.empty() ? 0 : 1), "a note is kept when it has text");
    if (hasNote) fuzz::Require(got == expected, "a note reads back as written");
}

void RequireSameGame(const CGameRecord& first, const CGameRecord& second) {
    static const char* const kDefaults[CGameRecord::kTagCount] = {"?", "?", "?", "?",
                                                                  "?", "?", "*"};
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) {
        const std::string value = first.m_tag[tag];
        fuzz::Require(second.m_tag[tag] == (value.empty() ? kDefaults[tag] : value),
                      "the tags read back");
    }
    fuzz::Require(second.m_keptTags == first.m_keptTags, "the other tags read back");
    fuzz::Require(second.m_fromSetup == first.m_fromSetup, "the same kind of start");
    if (first.m_fromSetup)
        fuzz::Require(std::string(second.m_startFen) == first.m_startFen, "the same start FEN");
    fuzz::Require(second.m_flipped == first.m_flipped, "the same side of the board below");
    RequireSameNote(first.m_hasStartNote, first.m_startNote, second.m_hasStartNote,
                    second.m_startNote);

    fuzz::Require(second.m_plyCount == first.m_plyCount, "the same number of plies");
    fuzz::Require(second.m_curPly == first.m_curPly, "the same ply shown");
    for (int i = 0; i < first.m_plyCount; ++i) {
        const PlyRecord& a = first.m_ply[i];
        const PlyRecord& b = second.m_ply[i];
        fuzz::Require(std::string(a.text) == b.text && a.nags == b.nags, "the same ply text");
        fuzz::Require(a.fromFile == b.fromFile && a.fromRank == b.fromRank &&
                          a.toFile == b.toFile && a.toRank == b.toRank,
                      "the same squares of each ply");
        fuzz::Require(std::memcmp(a.piece, b.piece, sizeof a.piece) == 0 &&
                          std::memcmp(a.color, b.color, sizeof a.color) == 0,
                      "the same board after each ply");
        fuzz::Require(a.status == b.status, "the same status after each ply");
        RequireSameNote(a.hasNote, a.note, b.hasNote, b.note);
    }
    fuzz::Require(first.MakeFullFen() == second.MakeFullFen(), "the same final position");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto first = std::make_unique<CGameRecord>();
    static auto second = std::make_unique<CGameRecord>();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const GameIndex index(bytes);
    std::size_t end = 0;
    for (const IndexedGame& game : index.Games()) {
        fuzz::Require(end <= game.begin && game.begin < game.end && game.end <= size,
                      "the games are listed in order within the file");
        end = game.end;
    }
    if (!ReadPgnFromString(bytes, *first).ok) return 0;
    const IndexedGame* listed = index.Games().empty() ? nullptr : &index.Games()[0];
    fuzz::Require(listed && listed->problem.empty() && listed->plies == first->m_plyCount,
                  "the list's first game is the game read");
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        fuzz::Require(listed->tags[tag] == first->m_tag[tag], "the list has the game's tags");
    fuzz::RequireWithinLimits(*first);
    for (int i = 0; i < first->m_plyCount; ++i) fuzz::RequirePlyCodes(first->m_ply[i]);

    const std::string written = WritePgnToString(*first);
    const PgnReadResult again = ReadPgnFromString(written, *second);
    if (!again.ok) std::fprintf(stderr, "%s\n", again.message.c_str());
    fuzz::Require(again.ok, "a written game reads back");
    fuzz::Require(!again.moreGames, "a written game is one game");
    RequireSameGame(*first, *second);
    fuzz::Require(WritePgnToString(*second) == written, "a game read back is written the same");
    return 0;
}
