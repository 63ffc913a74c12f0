#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "GameIndex.h"
#include "GameRecord.h"

// What opening a game file came to, and the sentence that tells the user why
// when it did not.
struct LoadResult {
    enum class Kind {
        Loaded,
        CannotRead,  // the file could not be read at all (missing, a folder, a disk error)
        NotAGame,    // the bytes are no game Ravelin can open; `message` says why
        NoSuchGame   // the file's list has no game of the number asked for
    };
    Kind kind = Kind::NotAGame;
    std::string message;               // empty when loaded
    bool moreGames = false;            // a whole file read held further games after the first
    bool textAfter = false;            // a whole file read held text after the first game
    std::vector<std::string> notices;  // what was kept only in part, when loaded
    bool Loaded() const { return kind == Kind::Loaded; }
};

// The result for a file that could not be read.
LoadResult CannotReadFile();

// Reads game `number` (from 1) of the file's list from its bytes, or, for 0,
// the file as one game. A refused game leaves `game` as it was.
LoadResult LoadGameOfFile(std::string_view bytes, int number, CGameRecord& game);
// Reads the game `listed` in the file's list of `bytes`, or refuses it with
// the problem the list found.
LoadResult LoadListedGame(std::string_view bytes, const IndexedGame& listed, CGameRecord& game);

// A file as Check and Open take it: read as one game first, and listed only
// when text follows that game, so a file of one game is read once.
struct FileOfGames {
    LoadResult whole;  // the file read as one game, into the record given
    GameIndex list;    // made only when text follows the first game
    bool HoldsSeveral() const { return list.HoldsSeveral(); }
};
FileOfGames ReadFileOfGames(std::string_view bytes, CGameRecord& game);
