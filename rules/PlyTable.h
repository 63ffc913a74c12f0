#pragma once

#include "PlyRecord.h"

// The ply records of one game, 300 of them. Copying a table copies only the
// plies written so far and returns the rest of the target to their unwritten
// state, so copying a game of 40 moves moves 80 records, not 300: reading a
// game and publishing an edit both copy whole games.
class PlyTable {
public:
    static constexpr int kSize = 300;

    PlyTable() = default;
    PlyTable(const PlyTable& other) { *this = other; }
    PlyTable& operator=(const PlyTable& other);

    PlyRecord& operator[](int i) { return m_plies[i]; }
    const PlyRecord& operator[](int i) const { return m_plies[i]; }
    PlyRecord* begin() { return m_plies; }
    PlyRecord* end() { return m_plies + kSize; }
    const PlyRecord* begin() const { return m_plies; }
    const PlyRecord* end() const { return m_plies + kSize; }

    // One past the last ply that anything was written to.
    int Written() const;
    // Every ply from Written() on is exactly as a new table holds it: what
    // the shortened copy relies on. For the invariant checks.
    bool RestUnwritten() const;

private:
    PlyRecord m_plies[kSize];
};
