#pragma once

#include <string>

#include "GameRecord.h"

// A note as it comes back from its file: the writer's substitutions, and a
// line break read back as one blank (none after a blank, at the start or at
// the end).
std::string NoteAfterSave(const std::string& note);

// Whether `reread`, read back from the file just written for `saved`, holds
// the same game: moves, tags (an empty tag comes back as "?", or "*" for the
// Result), the other tags, start position, flip, glyphs and notes as the
// file keeps them. Says the first difference when not.
bool SameGameAfterSave(const CGameRecord& saved, const CGameRecord& reread,
                       std::string& difference);
