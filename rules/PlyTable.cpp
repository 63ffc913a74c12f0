#include "PlyTable.h"

#include <algorithm>
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

const PlyRecord& PlyTable::Unwritten() {
    static const PlyRecord fresh;
    return fresh;
}

void PlyTable::Grow(int count) {
    if (!m_plies) m_plies = std::make_shared<std::vector<PlyRecord>>();
    // Moves are stored one after another: grow in steps, never past the limit.
    std::vector<PlyRecord>& plies = *m_plies;
    const std::size_t wanted = static_cast<std::size_t>(count);
    if (wanted > plies.capacity())
        plies.reserve(std::min<std::size_t>(
            kSize, std::max<std::size_t>(wanted, 2 * plies.capacity() + 16)));
    plies.resize(wanted);
}

void PlyTable::Detach() {
    m_plies = std::make_shared<std::vector<PlyRecord>>(m_plies->begin(),
                                                       m_plies->begin() + Written());
}

int PlyTable::Written() const {
    int written = Held();
    while (written > 0 && LooksUnwritten((*m_plies)[static_cast<std::size_t>(written - 1)]))
        --written;
    return written;
}

bool PlyTable::RestUnwritten() const {
    for (int i = Written(); i < Held(); ++i)
        if (!IsUnwritten((*m_plies)[static_cast<std::size_t>(i)])) return false;
    return true;
}

void PlyTable::ShrinkToWritten() {
    if (!m_plies || m_plies->capacity() == static_cast<std::size_t>(Written())) return;
    Own();
    m_plies->resize(static_cast<std::size_t>(Written()));
    m_plies->shrink_to_fit();
}

PlyTable& PlyTable::operator=(const PlyTable& other) {
    if (this == &other) return *this;
    // Shared whole when the other holds nothing beyond what it wrote, which
    // is how a game read, published or kept open stands.
    if (!other.m_plies || other.Written() == other.Held())
        m_plies = other.m_plies;
    else
        m_plies = std::make_shared<std::vector<PlyRecord>>(
            other.m_plies->begin(), other.m_plies->begin() + other.Written());
    return *this;
}
