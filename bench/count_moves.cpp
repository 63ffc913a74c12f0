// Legal-move counts of positions read as FEN lines from standard input: the
// count the game asks for after every move (the mate and stalemate test).
//   count_moves [PASSES] < positions.fen   time per position: median and best
//                                          of PASSES passes over all positions
//   count_moves --counts < positions.fen   each position's count, one a line
// Every position is set up once beforehand; a pass restores each one's board
// and rule state (a copy of a few hundred bytes) and counts its moves, so the
// figure is the count and not the reading of the FEN.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "GameRecord.h"

namespace {

// What CountLegalMoves reads of a position.
struct Position {
    int piece[8][8];
    int color[8][8];
    int epFile, epRank;
    int castle[4];
    int side;
};

Position Capture(const CGameRecord& game) {
    Position p;
    std::memcpy(p.piece, game.m_piece, sizeof p.piece);
    std::memcpy(p.color, game.m_color, sizeof p.color);
    p.epFile = game.m_epFile;
    p.epRank = game.m_epRank;
    p.castle[0] = game.m_canCastleWK;
    p.castle[1] = game.m_canCastleWQ;
    p.castle[2] = game.m_canCastleBK;
    p.castle[3] = game.m_canCastleBQ;
    p.side = game.m_sideToMove;
    return p;
}

void Restore(const Position& p, CGameRecord& game) {
    std::memcpy(game.m_piece, p.piece, sizeof p.piece);
    std::memcpy(game.m_color, p.color, sizeof p.color);
    game.m_epFile = p.epFile;
    game.m_epRank = p.epRank;
    game.m_canCastleWK = p.castle[0];
    game.m_canCastleWQ = p.castle[1];
    game.m_canCastleBK = p.castle[2];
    game.m_canCastleBQ = p.castle[3];
    game.m_sideToMove = p.side;
}

}  // namespace

int main(int argc, char** argv) {
    const bool listCounts = argc > 1 && std::strcmp(argv[1], "--counts") == 0;
    const int passes = !listCounts && argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    std::vector<Position> positions;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.empty()) continue;
        if (!game->SetFromFen(line)) {
            std::cerr << "not a position: " << line << '\n';
            return 1;
        }
        positions.push_back(Capture(*game));
    }
    if (positions.empty()) {
        std::cerr << "no positions on standard input\n";
        return 1;
    }

    std::string message;
    if (listCounts) {
        for (const Position& p : positions) {
            Restore(p, *game);
            std::cout << game->CountLegalMoves(p.side, message) << '\n';
        }
        return 0;
    }

    std::vector<double> perPosition;
    long long checksum = 0;
    for (int pass = 0; pass < passes; ++pass) {
        const auto start = std::chrono::steady_clock::now();
        for (const Position& p : positions) {
            Restore(p, *game);
            checksum += game->CountLegalMoves(p.side, message);
        }
        const auto end = std::chrono::steady_clock::now();
        perPosition.push_back(std::chrono::duration<double, std::nano>(end - start).count() /
                              static_cast<double>(positions.size()));
    }
    std::sort(perPosition.begin(), perPosition.end());
    std::cout << "positions " << positions.size() << '\n'
              << "passes " << passes << '\n'
              << "median_ns " << perPosition[perPosition.size() / 2] << '\n'
              << "best_ns " << perPosition.front() << '\n'
              << "moves " << checksum / passes << '\n';
    return 0;
}
