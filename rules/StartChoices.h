#pragma once

#include <string>
#include <vector>

#include "GameRecord.h"

// What a player says of a position built in setup mode when leaving it: the
// side to move, the castling rights, the en-passant target and the move
// number. The placement is the board's.
struct StartChoices {
    enum Castling { WhiteShort, WhiteLong, BlackShort, BlackLong };
    int side = White;
    bool castling[4] = {false, false, false, false};
    // A right only a king and rook on their home squares can have.
    bool castlingAllowed[4] = {false, false, false, false};
    std::string enPassant;  // the target square ("d6"), empty for none
    // The targets a two-square advance just made could leave, for each side to move.
    std::vector<std::string> enPassantFor[2];
    int moveNumber = 1;
    // Not asked: kept from a FEN the position was taken from.
    int halfMoveClock = 0;

    bool operator==(const StartChoices& other) const;
};

// The choices offered for the board as it stands, set as leaving setup has
// always set them: White to move, every right the placement allows, no
// en-passant target, move 1.
StartChoices StartChoicesFor(const CGameRecord& board);

// The choices for the board as it stands that keep what `wanted` says
// (side, move number, clock), with the rights and the target of `wanted`
// that the placement still allows.
StartChoices StartChoicesKept(const CGameRecord& board, const StartChoices& wanted);

// The choices that give `position` its own rule state (side to move,
// rights, en-passant target, clock and move number) as far as its placement
// allows: what a FEN the position was read from said.
StartChoices StartChoicesOf(const CGameRecord& position);

// The FEN the choices give the board: its placement, the side, the rights
// chosen that the placement allows, the target where one is offered, the
// clock and the move number.
std::string StartFen(const CGameRecord& board, const StartChoices& choices);

// Makes the board the game's start as the choices say. Unchanged defaults
// give the start text setup has always written (" w KQkq - 0 1"), so such a
// game saves as before; anything chosen gives its full FEN, with only the
// rights chosen that the placement allows.
void ApplyStartChoices(CGameRecord& game, const StartChoices& choices);
