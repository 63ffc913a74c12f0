#include "MoveListNotes.h"

#include <algorithm>

#include "NoteCommands.h"
#include "TextField.h"

std::string NoteOfLine(const CGameRecord& game, int line) {
    if (line <= 0) return game.m_hasStartNote ? game.m_startNote : std::string();
    const int ply = line - 1;
    if (ply >= CGameRecord::kMaxPlies) return {};
    return game.m_ply[ply].hasNote ? game.m_ply[ply].note : std::string();
}

void StoreNote(CGameRecord& game, int selectedLine, const std::string& text) {
    if (selectedLine == 0) {
        game.m_hasStartNote = 1;
        game.m_startNote = text;
        return;
    }
    int ply = game.m_curPly - 1;
    if (ply < 0) ply = 0;
    if (ply >= CGameRecord::kMaxPlies) return;
    game.m_ply[ply].hasNote = 1;
    game.m_ply[ply].note = text;
}

std::string NoteWordsOfLine(const CGameRecord& game, int line) {
    return NoteWords(NoteOfLine(game, line));
}

std::size_t StoreNoteWords(CGameRecord& game, int selectedLine, const std::string& words) {
    const int target = selectedLine == 0 ? 0 : std::max(game.m_curPly, 1);
    const std::string old = NoteOfLine(game, target);
    std::string note = WithWords(old, words);
    std::size_t kept = words.size();
    if (note != old && note.size() > CGameRecord::kMaxNoteLength) {
        // What the commands and the blanks beside them take comes off the words.
        const std::size_t commands = note.size() - words.size();
        kept = Utf8SafeCut(words, commands < CGameRecord::kMaxNoteLength
                                      ? CGameRecord::kMaxNoteLength - commands
                                      : 0);
        note = WithWords(old, words.substr(0, kept));
    }
    StoreNote(game, selectedLine, note);
    return kept;
}
