// ravelin-pgn: reads, checks and writes game files with the program's own
// reader and writer, and lists the legal moves of a position, so that games
// can be checked in bulk and against other chess software.
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "GameFile.h"
#include "GameIndex.h"
#include "LegalMoves.h"
#include "MoveEntry.h"
#include "Openings.h"
#include "PgnExport.h"
#include "PgnWriter.h"

namespace {

const char kUsage[] =
    "Usage: ravelin-pgn COMMAND ...\n"
    "  show FILE        the game as Ravelin opens it: tags, start, every ply with\n"
    "                   its FEN, status and date, glyphs, notes, the final\n"
    "                   position, and the opening its main line reached\n"
    "  write FILE       the bytes that saving the game unchanged would write\n"
    "  check FILE...    one line per file: ok and its plies, or error and why; for\n"
    "                   a file of several games one line per game, \"FILE [N]\"\n"
    "  list FILE        one line per game: its number, the seven tags, its plies\n"
    "  export FILE...   the games in standard PGN for other programs, one after\n"
    "                   another with an empty line between them\n"
    "  --game N         before FILE: show, write, check or export game N of the\n"
    "                   file's list\n"
    "  moves FEN        every legal move of the position with its move text\n"
    "  --help, --version\n"
    "Output fields are separated by one TAB. A file that cannot be read prints\n"
    "its reason on standard error and exits with status 1.\n";

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

// The whole file; false when it cannot be read (missing, a folder, a disk error).
bool ReadAll(const std::string& path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return false;
    // A folder gives no size and fails at its first read.
    const std::streamoff size = file.tellg();
    if (size > 0 && size < (std::streamoff(1) << 32)) bytes.resize(static_cast<std::size_t>(size));
    file.seekg(0);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    char block[65536];
    while (file && file.read(block, sizeof block).gcount() > 0)  // grown since its size was read
        bytes.append(block, static_cast<std::size_t>(file.gcount()));
    return !file.bad();
}

// The game of a file (game `number` of its list unless 0) as the program opens it.
LoadResult LoadFromFile(const std::string& path, int number, CGameRecord& game) {
    std::string bytes;
    if (!ReadAll(path, bytes)) return CannotReadFile();
    return LoadGameOfFile(bytes, number, game);
}

// The game of a file, or nothing after its reason on standard error.
std::unique_ptr<CGameRecord> LoadOrSayWhy(const std::string& path, int number) {
    auto game = std::make_unique<CGameRecord>();
    const LoadResult result = LoadFromFile(path, number, *game);
    if (result.Loaded()) {
        for (const std::string& notice : result.notices) std::cerr << notice << '\n';
        return game;
    }
    std::cerr << result.message << '\n';
    return nullptr;
}

// `count` plies of a line of `game`, the first its ply index `first`, each
// followed by its variations, each of those between a "variation" and an
// "end" line of its depth. `replay` shows each ply's position from its snapshot.
void ShowPlies(const CGameRecord& game, const PlyList& plies, int first, int count, int depth,
               CGameRecord& replay) {
    for (int i = first; i < first + count && i < CGameRecord::kMaxPlies; ++i) {
        const PlyRecord& ply = plies[i - first];
        PlyRecord& snapshot = replay.m_ply[i];
        snapshot = ply;
        snapshot.variations.clear();
        replay.m_plyCount = i + 1;
        replay.RestorePly(i);
        std::cout << "ply\t" << i << '\t' << Escape(ply.text) << '\t'
                  << (ply.IsNullMove() ? "0000"  // a pass, as engines write one
                                       : SquareName(ply.fromFile, ply.fromRank) +
                                             SquareName(ply.toFile, ply.toRank))
                  << '\t' << replay.MakeFullFen() << '\t' << ply.status << '\t' << Escape(ply.date)
                  << '\n';
        if (!ply.nags.empty()) std::cout << "nags\t" << ply.nags << '\n';
        if (ply.hasNote && !ply.note.empty()) std::cout << "note\t" << Escape(ply.note) << '\n';
        for (const Variation& variation : ply.variations) {
            std::cout << "variation\t" << depth + 1 << '\n';
            if (!variation.startNote.empty())
                std::cout << "varnote\t" << Escape(variation.startNote) << '\n';
            ShowPlies(game, variation.plies, i, static_cast<int>(variation.plies.size()), depth + 1,
                      replay);
            std::cout << "end\t" << depth + 1 << '\n';
        }
    }
}

int Show(const std::string& path, int number) {
    const std::unique_ptr<CGameRecord> game = LoadOrSayWhy(path, number);
    if (!game) return 1;
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        std::cout << "tag\t" << CGameRecord::kTagNames[tag] << '\t' << Escape(game->m_tag[tag])
                  << '\n';
    for (const auto& tag : game->m_keptTags)
        std::cout << "tag\t" << Escape(tag.first) << '\t' << Escape(tag.second) << '\n';
    std::cout << "start\t" << Escape(game->m_startFen) << '\n';
    if (game->m_hasStartNote && !game->m_startNote.empty())
        std::cout << "startnote\t" << Escape(game->m_startNote) << '\n';
    auto replay = std::make_unique<CGameRecord>();
    replay->SetStartPosition();
    replay->SetFromFen(game->m_startFen);
    ShowPlies(*game, game->m_ply, 0, game->m_plyCount, 0, *replay);
    std::cout << "final\t" << game->MakeFullFen() << '\t' << game->m_status << '\n';
    if (const Opening* opening = OpeningOf(*game, game->m_plyCount))
        std::cout << "opening\t" << opening->eco << '\t' << opening->name << '\n';
    return 0;
}

int Write(const std::string& path, int number) {
    const std::unique_ptr<CGameRecord> game = LoadOrSayWhy(path, number);
    if (!game) return 1;
    ByteWriter out(std::cout);
    WritePgn(*game, out);
    return out.Flush() ? 0 : 1;
}

int Check(const std::vector<std::string>& paths, int number) {
    int status = 0;
    auto game = std::make_unique<CGameRecord>();
    auto report = [&](const std::string& name, bool ok, const std::string& message) {
        if (ok) {
            std::cout << "ok\t" << name << '\t' << game->m_plyCount << '\n';
        } else {
            std::cout << "error\t" << name << '\t' << message << '\n';
            status = 1;
        }
    };
    for (const std::string& path : paths) {
        auto name = [&path](int game) {
            return game > 0 ? path + " [" + std::to_string(game) + "]" : path;
        };
        std::string bytes;
        if (!ReadAll(path, bytes)) {
            report(name(number), false, CannotReadFile().message);
            continue;
        }
        if (number != 0) {
            const LoadResult result = LoadGameOfFile(bytes, number, *game);
            report(name(number), result.Loaded(), result.message);
            continue;
        }
        const FileOfGames file = ReadFileOfGames(bytes, *game);
        if (!file.HoldsSeveral()) {
            report(name(0), file.whole.Loaded(), file.whole.message);
            continue;
        }
        const std::vector<IndexedGame>& games = file.list.Games();
        for (std::size_t i = 0; i < games.size(); ++i) {
            const LoadResult result = LoadListedGame(bytes, games[i], *game);
            report(name(static_cast<int>(i) + 1), result.Loaded(), result.message);
        }
    }
    return status;
}

// Lists a file a block at a time, so a file of any size takes the memory of its list.
int List(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    GameIndex index;
    const auto readBlock = [&file](char* into, std::size_t room) -> std::int64_t {
        file.read(into, static_cast<std::streamsize>(room));
        return file.bad() ? -1 : static_cast<std::int64_t>(file.gcount());
    };
    if (!file || index.List(readBlock, nullptr) != GameIndex::Listing::Done) {
        std::cerr << CannotReadFile().message << '\n';
        return 1;
    }
    int status = 0;
    for (std::size_t i = 0; i < index.Games().size(); ++i) {
        const IndexedGame& game = index.Games()[i];
        std::cout << i + 1;
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
            std::cout << '\t' << Escape(std::string(game.Tag(tag)));
        std::cout << '\t' << game.plies << '\n';
        if (!game.problem.empty()) {
            std::cerr << "game " << i + 1 << ": " << game.problem << '\n';
            status = 1;
        }
    }
    return status;
}

int Export(const std::vector<std::string>& paths, int number) {
    int status = 0;
    bool first = true;
    auto game = std::make_unique<CGameRecord>();
    ByteWriter out(std::cout);
    for (const std::string& path : paths) {
        const LoadResult result = LoadFromFile(path, number, *game);
        if (!result.Loaded()) {
            std::cerr << path << ": " << result.message << '\n';
            status = 1;
            continue;
        }
        if (result.moreGames)
            std::cerr << path << ": more games follow the first; only the first is exported\n";
        if (!first) WriteLine(out, "");
        first = false;
        ExportPgn(*game, out);
    }
    return out.Flush() ? status : 1;
}

int Moves(const std::string& fen) {
    auto position = std::make_unique<CGameRecord>();
    position->SetStartPosition();
    FenRefusal why = FenRefusal::None;
    if (!position->SetFromFen(fen, why)) {
        std::cerr << FenRefusalSentence(why, fen) << '\n';
        return 1;
    }
    const int side = position->m_sideToMove;
    std::vector<std::pair<std::string, std::string>> moves;
    auto trial = std::make_unique<CGameRecord>();
    for (const LegalMove& legal : LegalMoves(*position, side)) {
        const Square from = legal.move.from, to = legal.move.to;
        const int kind = position->GetPiece(from.file, from.rank);
        for (int promotion :
             legal.promotes ? std::vector<int>{Queen, Rook, Bishop, Knight} : std::vector<int>{0}) {
            // Played as the board plays it, for the move text with its marks.
            trial->Assign(*position);
            trial->SetSquare(from.file, from.rank, NoColor, NoPiece);
            const DropOutcome outcome =
                PlayDroppedPiece(*trial, PieceDrop{kind, side, from, to}, false, "",
                                 [promotion] { return promotion; });
            std::string squares = from.Name() + to.Name();
            if (promotion) squares += static_cast<char>(PieceLetter(promotion) - 'A' + 'a');
            if (outcome.recorded)
                moves.emplace_back(squares, trial->GetMoveWithoutNumber(trial->m_curPly - 1));
        }
    }
    std::sort(moves.begin(), moves.end());
    for (const auto& move : moves) std::cout << move.first << '\t' << move.second << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Game after game grows a record at the top of the heap and frees it:
    // keeping 4 MB there spares handing the pages back and faulting them in
    // again for the next game.
    mallopt(M_TOP_PAD, 4 << 20);
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
    if (command == "moves" && args.size() == 2) return Moves(args[1]);
    if (command == "list" && args.size() == 2) return List(args[1]);
    // "--game N" may stand before the file names of show, write, check and export.
    int number = 0;
    std::vector<std::string> files(args.begin() + 1, args.end());
    if (files.size() >= 3 && files[0] == "--game") {
        char* end = nullptr;
        const long value = std::strtol(files[1].c_str(), &end, 10);
        if (*end != '\0' || value < 1 || value > 1000000000) {
            std::cerr << "--game takes the number of a game of the file's list, from 1.\n";
            return 2;
        }
        number = static_cast<int>(value);
        files.erase(files.begin(), files.begin() + 2);
    }
    if ((command == "show" || command == "write") && files.size() == 1)
        return command == "show" ? Show(files[0], number) : Write(files[0], number);
    if (command == "check" && !files.empty()) return Check(files, number);
    if (command == "export" && !files.empty()) return Export(files, number);
    std::cerr << kUsage;
    return 2;
}
