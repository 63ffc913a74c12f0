#pragma once

#include <string>

#include "PieceTypes.h"

// A square of the board by file (0..7 = a..h) and rank (0..7 = 1..8); off
// the board when either is outside, as a drop beside the board is.
struct Square {
    int file = -1;
    int rank = -1;

    constexpr Square() = default;
    constexpr Square(int f, int r) : file(f), rank(r) {}

    bool IsOnBoard() const { return ::IsOnBoard(file, rank); }
    // "e4"; only for a square on the board.
    std::string Name() const {
        return {static_cast<char>('a' + file), static_cast<char>('1' + rank)};
    }
    bool operator==(const Square& other) const { return file == other.file && rank == other.rank; }
    bool operator!=(const Square& other) const { return !(*this == other); }
};

// A move as squares: from, to, and the piece a pawn becomes on the last rank
// (NoPiece when none is named). Castling is the king's two-square step.
struct Move {
    Square from;
    Square to;
    int promotion = NoPiece;

    bool operator==(const Move& other) const {
        return from == other.from && to == other.to && promotion == other.promotion;
    }
    bool operator!=(const Move& other) const { return !(*this == other); }
};
