#include "MoveListNotes.h"

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
