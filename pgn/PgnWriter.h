#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ByteArchive.h"
#include "GameRecord.h"

// Writes a game as this program's PGN: the seven tags, SETUP and FEN when the
// game starts from a set position, the tags kept from another program, the
// start note, one ply per line with its glyphs and note block, "%F" for a
// flipped board and the result line. CR LF throughout.
void WritePgn(const CGameRecord& game, ByteWriter& out);
std::string WritePgnToString(const CGameRecord& game);

// The pieces of the writer, each for one kind of text.
void WriteText(ByteWriter& out, const std::string& text);
void WriteLine(ByteWriter& out, const std::string& text);
void WriteMoveText(ByteWriter& out, const std::string& text);
// A tag line; " and \ in the value are escaped with a backslash.
void WriteTagPair(ByteWriter& out, const std::string& name, const std::string& value);
// The seven tag lines in their order, "?" for an empty tag and "*" for an
// empty Result; `result` and `date`, when given, stand for those tags' values.
void WriteSevenTags(ByteWriter& out, const CGameRecord& game, const char* result = nullptr,
                    const char* date = nullptr);
// The tags kept from another program as they are written: a PlyCount among
// them counts the game's plies as they now are.
std::vector<std::pair<std::string, std::string>> KeptTagsAsWritten(const CGameRecord& game);
void WriteNoteBlock(ByteWriter& out, const std::string& note);
int ReplaceChar(std::string& text, char from, char to);
std::size_t TrimTrailingBlanks(std::string& text);
// Moves the next note line from the front of `rest` into `line`: the whole
// rest when it holds at most 80 characters, else up to the last blank among
// its first 81 characters (kept as the line's last character). A longer run
// without a blank stays whole up to its first blank, so the note reads back
// unchanged. Returns the length of `line`, 0 when `rest` is empty.
std::size_t TakeWrappedLine(std::string& rest, std::string& line);

// The note as the writer stores it: "}" as ")", a line break that could leave
// an empty line before a "[" as a blank, and no blanks at the end.
std::string NoteAsWritten(const std::string& note);
