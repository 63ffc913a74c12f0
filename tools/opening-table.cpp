// opening-table: turns the opening names (resources/openings/*.tsv, rows of
// ECO code, name and the moves from the standard start) into the sorted table
// record/Openings.cpp looks positions up in. Each row's moves are played with
// the program's own move reading, and the row is keyed by the position they
// reach, so a game that transposes into it finds it too. Run by the build:
//   opening-table OUT.inc TSV...
// A row whose moves cannot be played stops the build with its place.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "MoveTextApply.h"
#include "PositionKey.h"

namespace {

struct Row {
    std::string key, eco, name, where;
};

// The position the moves of `pgn` reach from the standard start, or "" when
// one of them cannot be played.
std::string KeyOfMoves(const std::string& pgn, std::string& refused) {
    auto game = std::make_unique<CGameRecord>();
    game->SetStartPosition();
    std::istringstream words(pgn);
    for (std::string word; words >> word;) {
        if (word.back() == '.') continue;  // a move number, "1." or "1..."
        if (ApplyMoveText(*game, word, game->m_sideToMove) != MoveTextResult::Played) {
            refused = word;
            return {};
        }
    }
    return PositionKey(*game);
}

// `text` as a C++ string literal; the names are UTF-8, kept as bytes.
std::string Literal(const std::string& text) {
    std::string literal = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') literal += '\\';
        literal += c;
    }
    return literal + '"';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: opening-table OUT.inc TSV...\n";
        return 2;
    }
    std::vector<Row> rows;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i]);
        if (!in) {
            std::cerr << argv[i] << ": cannot be read\n";
            return 1;
        }
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            if (number == 1 || line.empty()) continue;  // the header "eco name pgn"
            Row row;
            row.where = std::string(argv[i]) + ":" + std::to_string(number);
            std::istringstream fields(line);
            std::string pgn, refused;
            if (!std::getline(fields, row.eco, '\t') || !std::getline(fields, row.name, '\t') ||
                !std::getline(fields, pgn)) {
                std::cerr << row.where << ": not ECO, name and moves\n";
                return 1;
            }
            row.key = KeyOfMoves(pgn, refused);
            if (row.key.empty()) {
                std::cerr << row.where << ": " << refused << " cannot be played\n";
                return 1;
            }
            rows.push_back(std::move(row));
        }
    }
    // Where rows reach the same position, the first in the files names it.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.key < b.key; });
    std::ofstream out(argv[1]);
    out << "// Made by opening-table from resources/openings; edit those, not this.\n";
    std::size_t positions = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].key == rows[i - 1].key) {
            std::cerr << rows[i].where << ": the position of " << rows[i - 1].where << " ("
                      << rows[i].name << " after " << rows[i - 1].name << ")\n";
            continue;
        }
        out << "{" << Literal(rows[i].key) << ", " << Literal(rows[i].eco) << ", "
            << Literal(rows[i].name) << "},\n";
        ++positions;
    }
    out.close();
    if (!out) {
        std::cerr << argv[1] << ": cannot be written\n";
        return 1;
    }
    std::cout << rows.size() << " openings, " << positions << " positions\n";
    return 0;
}
