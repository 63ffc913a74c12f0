#include "Openings.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

#include "PositionKey.h"

namespace {

// Made at build time by tools/opening-table, one row a position, sorted by key.
const Opening kOpenings[] = {
#include "OpeningTable.inc"
};

}  // namespace

const Opening* FindOpening(const std::string& key) {
    const auto found = std::lower_bound(
        std::begin(kOpenings), std::end(kOpenings), key,
        [](const Opening& opening, const std::string& k) { return k.compare(opening.key) > 0; });
    return found != std::end(kOpenings) && key == found->key ? found : nullptr;
}

const Opening* OpeningOf(const CGameRecord& line, int plies, int* reachedAt) {
    plies = std::clamp(plies, 0, std::min(line.m_plyCount, CGameRecord::kMaxPlies));
    auto position = std::make_unique<CGameRecord>(line);
    for (int ply = plies - 1; ply >= 0; --ply) {
        position->RestorePly(ply);
        if (const Opening* opening = FindOpening(PositionKey(*position))) {
            if (reachedAt != nullptr) *reachedAt = ply + 1;
            return opening;
        }
    }
    position->SetStartPosition();
    if (!position->SetFromFen(line.m_startFen)) return nullptr;
    const Opening* opening = FindOpening(PositionKey(*position));
    if (opening != nullptr && reachedAt != nullptr) *reachedAt = 0;
    return opening;
}

std::size_t OpeningCount() {
    return std::size(kOpenings);
}
