#pragma once

#include <string>

#include "GameRecord.h"

// The game a board view edits, as its owner keeps it. The view copies it when
// it first shows it or catches up, and hands back its whole game after every
// change it makes; the owner never pushes a game into the view.
class EditedGame {
public:
    virtual const CGameRecord& Game() const = 0;
    // Takes `game` whole as the owner's game after the edit `step` ("Move
    // Nf3", "Note"), one step of Undo. Edits of one non-empty `group` made
    // one after another are one step (the keys typed into one note).
    virtual void PublishGame(const CGameRecord& game, const std::string& step,
                             const std::string& group) = 0;

protected:
    ~EditedGame() = default;
};
