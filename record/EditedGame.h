#pragma once

#include "GameRecord.h"

// The game a board view edits, as its owner keeps it. The view copies it when
// it first shows it or catches up, and hands back its whole game after every
// change it makes; the owner never pushes a game into the view.
class EditedGame {
public:
    virtual const CGameRecord& Game() const = 0;
    // Takes `game` whole as the owner's game and marks it changed.
    virtual void PublishGame(const CGameRecord& game) = 0;

protected:
    ~EditedGame() = default;
};
