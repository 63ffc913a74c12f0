#pragma once

// How each piece kind moves: a list of (file step, rank step) directions and
// how many steps it may go along each. Pawns are handled apart (no entries).
// The direction order matters: searches that stop at the first hit use it.
extern int g_moveDirCount[6];
extern int g_moveRange[6];
extern int g_moveDir[6][8][2];

// Fills the tables; the first CGameRecord constructed calls it.
void InitMoveTables();
