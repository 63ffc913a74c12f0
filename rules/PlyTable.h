#pragma once

#include <memory>
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
    // A copy shares the records until either side writes to one: a game's
    // window and its document hold one table while they show the same game.
    PlyTable(const PlyTable& other) { *this = other; }
    PlyTable(PlyTable&& other) noexcept = default;
    // Copies only the plies written so far.
    PlyTable& operator=(const PlyTable& other);
    PlyTable& operator=(PlyTable&& other) noexcept = default;

    // `i` is within 0..kSize-1. Makes room up to `i`, and makes the records
    // this table's own: a reference taken before must not be used after, nor
    // one taken here after the table is copied.
    PlyRecord& operator[](int i) {
        Own();
        if (i >= Held()) Grow(i + 1);
        return (*m_plies)[static_cast<std::size_t>(i)];
    }
    const PlyRecord& operator[](int i) const {
        return i < Held() ? (*m_plies)[static_cast<std::size_t>(i)] : Unwritten();
    }
    // The records held, in order.
    PlyRecord* begin() {
        Own();
        return m_plies ? m_plies->data() : nullptr;
    }
    PlyRecord* end() { return begin() + Held(); }
    const PlyRecord* begin() const { return m_plies ? m_plies->data() : nullptr; }
    const PlyRecord* end() const { return begin() + Held(); }
    int Held() const { return m_plies ? static_cast<int>(m_plies->size()) : 0; }
    // Gives back the room grown for plies not written: a game kept open holds
    // what it has.
    void ShrinkToWritten();
    // Whether `other` holds these very records, not a copy of them.
    bool Shares(const PlyTable& other) const { return m_plies && m_plies == other.m_plies; }
    // Ply `i`, below Held(), as a pointer that keeps the table's records as
    // they are: this table copies them before its next write.
    std::shared_ptr<const PlyRecord> Lend(int i) const {
        return std::shared_ptr<const PlyRecord>(m_plies, &(*m_plies)[static_cast<std::size_t>(i)]);
    }

    // One past the last ply that anything was written to.
    int Written() const;
    // Every ply from Written() on is exactly as a new record: what the
    // shortened copy relies on. For the invariant checks.
    bool RestUnwritten() const;

private:
    static const PlyRecord& Unwritten();
    void Grow(int count);
    // Copies the records shared with another table before one is written.
    void Own() {
        if (m_plies && m_plies.use_count() > 1) Detach();
    }
    void Detach();

    std::shared_ptr<std::vector<PlyRecord>> m_plies;
};
