#pragma once

#include <vector>

#include "PlyRecord.h"

// The ply records of one game, at most 300. The table holds only as many as
// have been written: writing ply i makes room up to it, and reading a ply
// beyond what is held gives an unwritten one. A game of 40 moves holds 80
// records, so reading a game, publishing an edit and keeping an open game all
// cost what the game holds, not what the largest one could.
class PlyTable {
public:
    static constexpr int kSize = 300;

    PlyTable() = default;
    PlyTable(const PlyTable& other) { *this = other; }
    PlyTable(PlyTable&& other) noexcept = default;
    // Copies only the plies written so far.
    PlyTable& operator=(const PlyTable& other);
    PlyTable& operator=(PlyTable&& other) noexcept = default;

    // `i` is within 0..kSize-1. Makes room up to `i`: a reference taken
    // before the room grows must not be used after.
    PlyRecord& operator[](int i) {
        if (i >= static_cast<int>(m_plies.size())) Grow(i + 1);
        return m_plies[static_cast<std::size_t>(i)];
    }
    const PlyRecord& operator[](int i) const {
        return i < static_cast<int>(m_plies.size()) ? m_plies[static_cast<std::size_t>(i)]
                                                    : Unwritten();
    }
    // The records held, in order.
    PlyRecord* begin() { return m_plies.data(); }
    PlyRecord* end() { return m_plies.data() + m_plies.size(); }
    const PlyRecord* begin() const { return m_plies.data(); }
    const PlyRecord* end() const { return m_plies.data() + m_plies.size(); }
    int Held() const { return static_cast<int>(m_plies.size()); }
    // Gives back the room grown for plies not written: a game kept open holds
    // what it has.
    void ShrinkToWritten();

    // One past the last ply that anything was written to.
    int Written() const;
    // Every ply from Written() on is exactly as a new record: what the
    // shortened copy relies on. For the invariant checks.
    bool RestUnwritten() const;

private:
    static const PlyRecord& Unwritten();
    void Grow(int count);

    std::vector<PlyRecord> m_plies;
};
