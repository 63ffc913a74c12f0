#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>

#include "FieldList.h"
#include "PlyList.h"

// The signs of the move glyphs $1 to $6, as written after a move.
inline constexpr const char* kMoveSigns[6] = {"!", "?", "!!", "??", "!?", "?!"};

// A line played instead of a move: its plies as snapshots, numbered on from
// the move it replaces, and the note written before its first move.
struct Variation {
    std::string startNote;
    PlyList plies;

    bool operator==(const Variation& other) const {
        return startNote == other.startNote && plies == other.plies;
    }
    bool operator!=(const Variation& other) const { return !(*this == other); }
};

// A snapshot of the game after one half-move: the move's squares, the rule
// state and the whole board after it, its move-list line, note, date and
// glyphs, and the variations that replace it.
struct PlyRecord {
    static constexpr int kTextSize = 23;               // move-list line, at most 22 characters
    static constexpr int kDateSize = 12;               // MM/DD/YY, at most 11 characters
    static constexpr std::size_t kMaxNagsLength = 64;  // the glyphs kept with a move, written out

    // Squares, rights and the en-passant file a byte each: every ply of every
    // line keeps them, and a 300-ply game is then under 100 KB.
    std::int8_t fromFile = -1, fromRank = -1, toFile = -1, toRank = -1;
    std::int8_t canCastleWK = 0, canCastleWQ = 0, canCastleBK = 0, canCastleBQ = 0;
    std::int8_t epFile = -1, epRank = -1;
    std::int8_t hasNote = 0;
    int repeatCount = 0;
    // The board after the move, a byte a square: kept for every ply of every
    // line, so it is a quarter of the size the rules work on.
    std::int8_t piece[8][8] = {};
    std::int8_t color[8][8] = {};
    int halfMoveClock = 0;
    char status = 'P';
    char text[kTextSize] = {};
    char date[kDateSize] = {};
    std::string note;  // owned by value: copying a record copies its notes
    std::string nags;  // numeric glyphs kept with the move as read ("$14 $36")
    // Lines played instead of this move, from the position before it, in the
    // order they were given; each may hold variations of its own.
    VariationList variations;

    // Every field, once: equality, the unwritten test and Undo's "no change"
    // all read this list.
    auto Fields() const {
        return std::tie(fromFile, fromRank, toFile, toRank, canCastleWK, canCastleWQ, canCastleBK,
                        canCastleBQ, epFile, epRank, hasNote, repeatCount, piece, color,
                        halfMoveClock, status, text, date, note, nags, variations);
    }
    bool operator==(const PlyRecord& other) const {
        return this == &other || fields::Same(Fields(), other.Fields());
    }
    bool operator!=(const PlyRecord& other) const { return !(*this == other); }

    void KeepBoard(const int (&fromPiece)[8][8], const int (&fromColor)[8][8]) {
        for (int f = 0; f < 8; ++f)
            for (int r = 0; r < 8; ++r) {
                piece[f][r] = static_cast<std::int8_t>(fromPiece[f][r]);
                color[f][r] = static_cast<std::int8_t>(fromColor[f][r]);
            }
    }
    void GiveBoard(int (&toPiece)[8][8], int (&toColor)[8][8]) const {
        for (int f = 0; f < 8; ++f)
            for (int r = 0; r < 8; ++r) {
                toPiece[f][r] = piece[f][r];
                toColor[f][r] = color[f][r];
            }
    }
    bool HoldsBoard(const int (&otherPiece)[8][8], const int (&otherColor)[8][8]) const {
        for (int f = 0; f < 8; ++f)
            for (int r = 0; r < 8; ++r)
                if (piece[f][r] != otherPiece[f][r] || color[f][r] != otherColor[f][r])
                    return false;
        return true;
    }

    // A pass, recorded without squares: a variation shows a threat with one.
    bool IsNullMove() const { return fromFile < 0 && text[0] != '\0'; }

    void ClearNote() {
        note.clear();
        hasNote = 0;
    }
};

// Grown by a field: add it to Fields() above, then here.
static_assert(sizeof(PlyRecord) == 264, "a field added to PlyRecord belongs in its Fields()");

inline const PlyRecord& PlyList::operator[](int i) const {
    return i < Held() ? *(*m_plies)[static_cast<std::size_t>(i)] : Unwritten();
}

inline PlyRecord& PlyList::operator[](int i) {
    // A ply this list alone holds is written in place.
    if (m_plies && i < Held() && m_plies.use_count() == 1) {
        const Shared& ply = (*m_plies)[static_cast<std::size_t>(i)];
        if (ply.use_count() == 1) return const_cast<PlyRecord&>(*ply);
    }
    return MakeOwn(i);
}

inline std::size_t VariationList::size() const {
    return m_list ? m_list->size() : 0;
}
inline const Variation& VariationList::operator[](std::size_t i) const {
    return (*m_list)[i];
}
inline Variation& VariationList::operator[](std::size_t i) {
    Own();
    return (*m_list)[i];
}
inline const Variation* VariationList::begin() const {
    return m_list ? m_list->data() : nullptr;
}
inline const Variation* VariationList::end() const {
    return m_list ? m_list->data() + m_list->size() : nullptr;
}
inline Variation* VariationList::begin() {
    Own();
    return m_list ? m_list->data() : nullptr;
}
inline Variation* VariationList::end() {
    Own();
    return m_list ? m_list->data() + m_list->size() : nullptr;
}
