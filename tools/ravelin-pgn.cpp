// ravelin-pgn: reads, checks and writes game files with the program's own
// reader and writer, and lists the legal moves of a position, so that games
// can be checked in bulk and against other chess software.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "MoveEntry.h"
#include "PgnReader.h"
#include "PgnWriter.h"

namespace {

const char kUsage[] =
    "Usage: ravelin-pgn COMMAND ...\n"
    "  show FILE        the game as Ravelin opens it: tags, start, every ply with\n"
    "                   its FEN, status and date, notes, and the final position\n"
    "  write FILE       the bytes that saving the game unchanged would write\n"
    "  check FILE...    one line per file: ok and its plies, or error and why\n"
    "  moves FEN        every legal move of the position with its move text\n"
    "  --help, --version\n"
    "Output fields are separated by one TAB. A file that cannot be read prints\n"
    "its reason on standard error and exits with status 1.\n";

const char kCannotOpen[] = "Failed to open document.";

// Shows the characters that would break the one-line, TAB-separated output.
std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

// Reads a game file as the program opens it; prints the reason when it cannot.
bool LoadGame(const std::string& path, CGameRecord& game, std::string& message, bool& moreGames) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        message = kCannotOpen;
        return false;
    }
    ByteReader in(file);
    const PgnReadResult result = ReadPgn(in, game);
    if (file.bad()) {
        // A read that failed (a folder, a disk error) is no file to judge.
        message = kCannotOpen;
        return false;
    }
    message = result.message;
    moreGames = result.moreGames;
    return result.ok;
}

// The game of a file, or nothing after its reason on standard error.
std::unique_ptr<CGameRecord> LoadOrSayWhy(const std::string& path) {
    auto game = std::make_unique<CGameRecord>();
    std::string message;
    bool moreGames = false;
    if (LoadGame(path, *game, message, moreGames)) return game;
    std::cerr << message << '\n';
    return nullptr;
}

int Show(const std::string& path) {
    const std::unique_ptr<CGameRecord> game = LoadOrSayWhy(path);
    if (!game) return 1;
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        std::cout << "tag\t" << CGameRecord::kTagNames[tag] << '\t' << Escape(game->m_tag[tag])
                  << '\n';
    std::cout << "start\t" << Escape(game->m_startFen) << '\n';
    if (game->m_hasStartNote && !game->m_startNote.empty())
        std::cout << "startnote\t" << Escape(game->m_startNote) << '\n';
    const int plies = game->m_plyCount;
    auto replay = std::make_unique<CGameRecord>(*game);
    for (int i = 0; i < plies; ++i) {
        const PlyRecord& ply = game->m_ply[i];
        replay->RestorePly(i);
        std::cout << "ply\t" << i << '\t' << Escape(ply.text) << '\t'
                  << SquareName(ply.fromFile, ply.fromRank) << SquareName(ply.toFile, ply.toRank)
                  << '\t' << replay->MakeFullFen() << '\t' << ply.status << '\t'
                  << Escape(ply.date) << '\n';
        if (ply.hasNote && !ply.note.empty()) std::cout << "note\t" << Escape(ply.note) << '\n';
    }
    std::cout << "final\t" << game->MakeFullFen() << '\t' << game->m_status << '\n';
    return 0;
}

int Write(const std::string& path) {
    const std::unique_ptr<CGameRecord> game = LoadOrSayWhy(path);
    if (!game) return 1;
    ByteWriter out(std::cout);
    WritePgn(*game, out);
    return out.Flush() ? 0 : 1;
}

int Check(const std::vector<std::string>& paths) {
    int status = 0;
    auto game = std::make_unique<CGameRecord>();
    for (const std::string& path : paths) {
        std::string message;
        bool moreGames = false;
        if (LoadGame(path, *game, message, moreGames)) {
            std::cout << "ok\t" << path << '\t' << game->m_plyCount << '\n';
            if (moreGames)
                std::cerr << path << ": more games follow the first; only the first is read\n";
        } else {
            std::cout << "error\t" << path << '\t' << message << '\n';
            status = 1;
        }
    }
    return status;
}

int Moves(const std::string& fen) {
    auto position = std::make_unique<CGameRecord>();
    position->SetStartPosition();
    std::string why;
    if (!position->SetFromFen(fen, why)) {
        std::cerr << (why.empty() ? "The FEN text does not describe a chess position." : why)
                  << '\n';
        return 1;
    }
    const int side = position->m_sideToMove;
    std::vector<std::pair<std::string, std::string>> moves;
    auto trial = std::make_unique<CGameRecord>();
    std::string message;
    for (int from = 0; from < 64; ++from) {
        const int fromFile = from / 8, fromRank = from % 8;
        if (position->GetColor(fromFile, fromRank) != side) continue;
        const int kind = position->GetPiece(fromFile, fromRank);
        for (int to = 0; to < 64; ++to) {
            const int toFile = to / 8, toRank = to % 8;
            trial->Assign(*position);
            trial->SetSquare(fromFile, fromRank, NoColor, NoPiece);
            if (!trial->TestMove(side, kind, fromFile, fromRank, toFile, toRank, message, 0))
                continue;
            const bool promotes = kind == Pawn && (toRank == 0 || toRank == 7);
            for (int promotion : promotes ? std::vector<int>{Queen, Rook, Bishop, Knight}
                                          : std::vector<int>{0}) {
                trial->Assign(*position);
                trial->SetSquare(fromFile, fromRank, NoColor, NoPiece);
                PieceDrop drop{kind, side, fromFile, fromRank, toFile, toRank};
                const DropOutcome outcome =
                    PlayDroppedPiece(*trial, drop, false, "", [promotion] { return promotion; });
                std::string squares = SquareName(fromFile, fromRank) + SquareName(toFile, toRank);
                if (promotion) squares += static_cast<char>(PieceLetter(promotion) - 'A' + 'a');
                const std::string text = trial->GetMoveWithoutNumber(trial->m_curPly - 1);
                if (outcome.recorded) moves.emplace_back(squares, text);
            }
        }
    }
    std::sort(moves.begin(), moves.end());
    for (const auto& move : moves) std::cout << move.first << '\t' << move.second << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "ravelin-pgn " RAVELIN_VERSION "\n";
        return 0;
    }
    if ((command == "show" || command == "write" || command == "moves") && args.size() == 2) {
        if (command == "show") return Show(args[1]);
        if (command == "write") return Write(args[1]);
        return Moves(args[1]);
    }
    if (command == "check" && args.size() >= 2)
        return Check(std::vector<std::string>(args.begin() + 1, args.end()));
    std::cerr << kUsage;
    return 2;
}
