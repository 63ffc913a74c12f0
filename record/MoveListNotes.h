#pragma once

#include <string>

#include "GameRecord.h"

// The note a line of the move list shows: line 0 the starting position's,
// line k the note of ply k - 1; empty when there is none.
std::string NoteOfLine(const CGameRecord& game, int line);

// Stores `text` as the note the user is editing. The target follows the
// shown position, not the selected line: the starting position's note when
// line 0 is selected, else the note of ply m_curPly - 1 (ply 0 at the start).
// The note comes into being at its first edit and is replaced whole.
void StoreNote(CGameRecord& game, int selectedLine, const std::string& text);

// The note box's view of a note that may hold commands (NoteCommands.h): the
// words of line `line`'s note, and the words typed stored into the note
// StoreNote would replace, its commands kept. The words are cut, never half
// a character, so the note stays within the longest a record keeps; returns
// how many bytes of them were kept.
std::string NoteWordsOfLine(const CGameRecord& game, int line);
std::size_t StoreNoteWords(CGameRecord& game, int selectedLine, const std::string& words);
