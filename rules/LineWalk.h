#pragma once

#include <vector>

#include "PlyRecord.h"

// Where a line branches off the line before it: variation `variation` of
// the move at ply index `ply` of that line.
struct LineBranch {
    int ply = 0;
    int variation = 0;
    bool operator==(const LineBranch& other) const {
        return ply == other.ply && variation == other.variation;
    }
};
// A line of a game's tree: empty for the main line, else the branches taken
// from it, outermost first.
using LinePath = std::vector<LineBranch>;

// One walk over a stretch of a line and every variation hanging from it, at
// any depth, in the order a game is written: a ply, then the variations that
// replace it, each walked the same way. Variations are numbered on from the
// ply they replace, as the game numbers them.
struct TreeStep {
    const PlyList& line;         // the line the ply stands in
    const LinePath& path;        // and its path from the stretch walked
    int at;                      // its place in that list
    int index;                   // its ply index counted from the game's start
    int depth;                   // path.size(): 0 in the stretch walked, 1 in its variations, ...
    const Variation* variation;  // the variation the line is; null for the stretch
    const PlyRecord& ply() const { return line[at]; }
};

// Calls visit(step) for plies first..first+count-1 of `line` and, after each,
// for every ply of its variations. `firstIndex` is the game's ply index of
// line[first]; `path` is where the stretch lies in the game.
template <class Visit>
void WalkTree(const PlyList& line, int first, int count, int firstIndex, Visit&& visit,
              LinePath& path, const Variation* variation = nullptr) {
    const int depth = static_cast<int>(path.size());
    for (int at = first; at < first + count && at < line.Held(); ++at) {
        const int index = firstIndex + at - first;
        visit(TreeStep{line, path, at, index, depth, variation});
        const VariationList& inner = line[at].variations;
        for (std::size_t v = 0; v < inner.size(); ++v) {
            path.push_back({index, static_cast<int>(v)});
            WalkTree(inner[v].plies, 0, inner[v].plies.Held(), index, visit, path, &inner[v]);
            path.pop_back();
        }
    }
}

template <class Visit>
void WalkTree(const PlyList& line, int first, int count, int firstIndex, Visit&& visit) {
    LinePath path;
    WalkTree(line, first, count, firstIndex, visit, path);
}

// The walk of a whole line from its start.
template <class Visit>
void WalkTree(const PlyList& line, int count, Visit&& visit) {
    WalkTree(line, 0, count, 0, visit);
}

// The same walk with every record open to change: visit(ply, opened), where
// `opened` is the variation whose first ply this is, else null. Each record is
// made the line's own as it is visited: walk this way only to change them.
template <class Visit>
void EditTree(PlyList& line, int count, Visit&& visit, Variation* variation = nullptr) {
    for (int at = 0; at < count && at < line.Held(); ++at) {
        PlyRecord& ply = line[at];
        visit(ply, at == 0 ? variation : nullptr);
        for (Variation& inner : ply.variations)
            EditTree(inner.plies, inner.plies.Held(), visit, &inner);
    }
}

// What a stretch of a line holds in its variations, at any depth.
struct TreeSize {
    int variationPlies = 0;  // plies of every variation, nested ones too
    int deepest = 0;         // the deepest nesting: 0 for none, 1 for variations of the stretch
};
inline TreeSize MeasureTree(const PlyList& line, int first, int count) {
    TreeSize size;
    WalkTree(line, first, count, first, [&size](const TreeStep& step) {
        if (step.depth == 0) return;
        ++size.variationPlies;
        if (step.depth > size.deepest) size.deepest = step.depth;
    });
    return size;
}
