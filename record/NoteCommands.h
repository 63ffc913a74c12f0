#pragma once

#include <string>
#include <vector>

#include "Square.h"

// The commands other chess programs keep in a note, as they write them:
// "[%cal Gg1f3,Rd1h5]" arrows, "[%csl Rd5,Ge4]" marked squares,
// "[%clk 0:04:58]" the clock after the move, "[%emt 0:00:07]" the time it
// took, and any other "[%name ...]" ("[%eval 0.17]"). A note keeps them as
// its text, so Save and Export keep them as they are; these functions read
// them and change them in place, and leave a note without commands as it is.

// An arrow or a marked square in one of the colours G (green), R (red),
// B (blue) and Y (yellow).
struct NoteArrow {
    char colour = 'G';
    Square from, to;
    bool operator==(const NoteArrow& other) const {
        return colour == other.colour && from == other.from && to == other.to;
    }
};
struct NoteMark {
    char colour = 'G';
    Square square;
    bool operator==(const NoteMark& other) const {
        return colour == other.colour && square == other.square;
    }
};

// A note taken apart. What cannot be understood (a square off the board, an
// unknown colour, a clock that is no time) is left out of the arrows, marks
// and times, and stays in the note's text.
struct NoteParts {
    std::string words;                // NoteWords
    std::vector<NoteArrow> arrows;    // of every [%cal], in order
    std::vector<NoteMark> marks;      // of every [%csl], in order
    int clock = -1;                   // tenths of a second, from the first readable [%clk]; -1 none
    int elapsed = -1;                 // the same from [%emt]
    std::vector<std::string> others;  // every other command as written, an unreadable clock too
};
NoteParts ParseNote(const std::string& note);

// The player's words, as the note box shows them: the note less its
// commands, one blank where a command stood between words, none at either
// end. A note without commands is its words, byte for byte.
std::string NoteWords(const std::string& note);

// The note with its words replaced by `words` (less blanks at either end),
// its commands kept: those that stood before the words (and any among them)
// before the new words, those after them after, each run as it was written
// and as far from the words. Unchanged words leave the note as it is; a note
// without commands becomes `words`, byte for byte.
std::string WithWords(const std::string& note, const std::string& words);

// Draws the arrow, or takes it away when the note has it in that colour; one
// the note has in another colour takes this colour, where it stands. A new
// arrow joins the note's first [%cal] ("[%cal Rd1h5,Gg1f3]"); a note without
// one gains "[%cal Gg1f3]" right after its [%csl], else at its head
// ("[%csl Rd5][%cal Gg1f3] words"). The last arrow taken away takes its
// command, and the blank written with it, away. False, changing nothing, for
// no arrow (a square off the board, from and to the same square, a colour
// not of the four) or when the note would outgrow the longest note a record
// keeps.
bool ToggleArrow(std::string& note, const NoteArrow& arrow);
// The same for a marked square and [%csl], which a note without one gains
// right before its [%cal], else at its head.
bool ToggleMark(std::string& note, const NoteMark& mark);

// A time as the move list shows it: "4:58" under an hour, "1:04:58" from
// one, tenths where they are not zero ("0:58.3").
std::string ClockText(int tenths);
// The clock and move time of a note as the move list shows them beside the
// move, muted: "4:58", "+0:07", "4:58 +0:07"; "" for none.
std::string MoveClockText(const std::string& note);
