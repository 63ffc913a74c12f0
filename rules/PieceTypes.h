#pragma once

// Codes of the board arrays. Plain ints, because the record stores them in
// int arrays and -1 marks an empty square in both.
enum PieceType : int {
    NoPiece = -1,
    Pawn = 0,
    Knight = 1,
    Bishop = 2,
    Rook = 3,
    Queen = 4,
    King = 5,
};

enum PieceColor : int {
    NoColor = -1,
    White = 0,
    Black = 1,
};

inline int OtherColor(int color) { return color == White ? Black : White; }

inline bool IsOnBoard(int file, int rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}

// Upper-case letter of a piece kind: P N B R Q K.
inline char PieceLetter(int piece) {
    static const char kLetters[] = "PNBRQK";
    return piece >= Pawn && piece <= King ? kLetters[piece] : '?';
}

// The rank a colour's pawns start on, and the direction they advance.
inline int PawnHomeRank(int color) { return color == White ? 1 : 6; }
inline int PawnForward(int color) { return color == White ? 1 : -1; }
inline int BackRank(int color) { return color == White ? 0 : 7; }
