#include "PlyTable.h"

#include <cstring>

namespace {

// What every write to a ply leaves behind: StorePly sets the squares and the
// line, the reader and the note box set notes, glyphs and dates.
bool LooksUnwritten(const PlyRecord& ply) {
    return ply.fromFile == -1 && ply.text[0] == '\0' && ply.note.empty() && ply.hasNote == 0 &&
           ply.nags.empty() && ply.date[0] == '\0' && ply.variations.empty();
}

bool IsUnwritten(const PlyRecord& ply) {
    static const PlyRecord fresh;
    return LooksUnwritten(ply) && ply.fromRank == fresh.fromRank && ply.toFile == fresh.toFile &&
           ply.toRank == fresh.toRank && ply.canCastleWK == fresh.canCastleWK &&
           ply.canCastleWQ == fresh.canCastleWQ && ply.canCastleBK == fresh.canCastleBK &&
           ply.canCastleBQ == fresh.canCastleBQ && ply.epFile == fresh.epFile &&
           ply.epRank == fresh.epRank && ply.repeatCount == fresh.repeatCount &&
           ply.halfMoveClock == fresh.halfMoveClock && ply.status == fresh.status &&
           std::memcmp(ply.piece, fresh.piece, sizeof ply.piece) == 0 &&
           std::memcmp(ply.color, fresh.color, sizeof ply.color) == 0 &&
           std::memcmp(ply.text, fresh.text, sizeof ply.text) == 0 &&
           std::memcmp(ply.date, fresh.date, sizeof ply.date) == 0;
}

}  // namespace

int PlyTable::Written() const {
    int written = kSize;
    while (written > 0 && LooksUnwritten(m_plies[written - 1])) --written;
    return written;
}

bool PlyTable::RestUnwritten() const {
    for (int i = Written(); i < kSize; ++i)
        if (!IsUnwritten(m_plies[i])) return false;
    return true;
}

PlyTable& PlyTable::operator=(const PlyTable& other) {
    if (this == &other) return *this;
    const int mine = Written(), theirs = other.Written();
    for (int i = 0; i < theirs; ++i) m_plies[i] = other.m_plies[i];
    for (int i = theirs; i < mine; ++i) m_plies[i] = PlyRecord();
    return *this;
}
