#pragma once

#include <memory>
#include <string>

#include "GameLines.h"

// The line a game window shows of a game's tree, and what playing a move
// there does to the tree. The line is a game of its own (the main line's
// plies, then those of each variation its path takes); the window edits it,
// and Publish stores the edits back into the whole game. No window here: the
// window asks the questions and paints.
class LineCursor {
public:
    LineCursor();

    // The line shown. Its address stays the same for the cursor's life.
    CGameRecord& Line() { return *m_line; }
    const CGameRecord& Line() const { return *m_line; }
    const LinePath& Path() const { return m_path; }
    bool ShowsVariation() const { return !m_path.empty(); }
    // The whole game as last stored: the line itself on the main line.
    const CGameRecord& Whole() const { return m_path.empty() ? *m_line : *m_whole; }

    // Takes `game` as the whole game. The line shown stays shown while the
    // game still has it; false when the main line is shown instead.
    bool Load(const CGameRecord& game);
    // Shows the line `path` names, or the main line when the game has none
    // such; the whole game keeps the line's edits.
    void ShowLineOf(const LinePath& path);
    // Stores the line's edits into the whole game, which it returns: what
    // the window publishes.
    const CGameRecord& Publish();

    // Where the keys that step into and out of variations lead from line
    // number `line` of the line shown (0 the start). Right: into the next
    // move's alternatives, from just inside one to the next, after the last
    // back to the move; none when the move has no alternative. Left: out to
    // where the variation shown branches; none on the main line.
    struct Place {
        LinePath path;
        int line = 0;
    };
    bool Into(int line, Place& place) const;
    bool OutOf(Place& place) const;

    // A move played on a copy of the line (`trial`) as ply index `next`,
    // where the line goes on with a move already: either the line or one of
    // its variations holds that move, and is followed; or the window asks.
    struct Branching {
        bool follow = false;
        Place followed;             // the line holding the move, from after it
        LinePath owner;             // the line the move belongs to
        std::string goesOn;         // "12... Nf6", the move the line goes on with
        std::string played;         // "12... e5", the move played
        bool replaceLoses = false;  // Replace takes more than the move replaced
    };
    Branching Decide(const CGameRecord& trial, int next) const;
    // Replace: the line the move belongs to ends with it, as in `trial`.
    void Replace(const CGameRecord& trial, int next);
    // New Variation: the move opens a variation of the move it replaces, and
    // that variation is shown. Refused, changing nothing, beyond the bounds.
    VariationRefusal AddVariation(const CGameRecord& trial, int next);

    // The variation shown becomes the main line, or goes with all it holds.
    VariationRefusal PromoteShown();
    bool DeleteShown();

    // The line ply index `ply` belongs to: the path shown, cut where it
    // branches at or after that ply.
    LinePath OwnerOf(int ply) const;

private:
    std::unique_ptr<CGameRecord> m_line;
    std::unique_ptr<CGameRecord> m_whole;
    LinePath m_path;
};
