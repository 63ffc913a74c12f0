#pragma once

#include <string>
#include <vector>

#include "GameRecord.h"
#include "NagSigns.h"
#include "NoteCommands.h"

// One block of a printed game score, in the order a page shows them.
struct ScoreBlock {
    enum class Kind {
        Players,  // "White – Black", the heading's first line
        Details,  // event, date and result, the heading's second line
        Moves,    // a paragraph of moves with their glyphs
        Note,     // a note, as a paragraph of its own
        Diagram,  // the board after a move (or at the start); text is empty
        Result,   // the result after the last move
    };
    Kind kind = Kind::Moves;
    // 0 for the main line, 1 for its variations, 2 for theirs...
    int depth = 0;
    std::string text;  // UTF-8
    // A diagram's board, as a game record keeps it.
    int piece[8][8] = {};
    int color[8][8] = {};
    // A diagram's arrows and marked squares, as the note of its position has them.
    std::vector<NoteArrow> arrows;
    std::vector<NoteMark> marks;
};

// A note asks for a diagram of the position after its move by holding this
// marker, the one other annotation programs keep in comments; the printed
// note leaves it out.
inline constexpr const char* kDiagramMarker = "[#]";

// The blocks of a page laid out like a book's game: the heading (the players
// always, an unknown one as "NN"; the event, date and result as far as they
// are known), the moves of the main line in paragraphs broken by its notes
// and variations (each variation a paragraph one level deeper, numbered as
// the game is), a diagram after every move whose note holds the marker, or
// of the final position when none does, each with the arrows and marks of
// that note, and the result. Notes print their words alone, without the
// commands other programs keep in them. Moves are in
// letters, or with `figurines` with the chess symbols for K Q R B N; their
// glyphs as PrintedNag gives them for a font that has what `fontHas` says.
std::vector<ScoreBlock> BuildGameScore(const CGameRecord& game, bool figurines,
                                       const FontHasChar& fontHas);

// A move as the score prints it, from the move list's text: the sign kept,
// the program's own en-passant and draw marks left out, figurines if asked.
std::string ScoreMoveText(const std::string& moveText, bool figurines);
