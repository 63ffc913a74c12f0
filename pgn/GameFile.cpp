#include "GameFile.h"

#include "PgnReader.h"

namespace {

LoadResult Refused(LoadResult::Kind kind, std::string message) {
    LoadResult result;
    result.kind = kind;
    result.message = std::move(message);
    return result;
}

LoadResult Read(std::string_view bytes, CGameRecord& game) {
    const PgnReadResult read = ReadPgnFromString(bytes, game);
    if (!read.ok) return Refused(LoadResult::Kind::NotAGame, read.message);
    LoadResult result;
    result.kind = LoadResult::Kind::Loaded;
    result.moreGames = read.moreGames;
    result.textAfter = read.textAfter;
    result.notices = read.notices;
    return result;
}

}  // namespace

LoadResult CannotReadFile() {
    return Refused(LoadResult::Kind::CannotRead, "Failed to open document.");
}

LoadResult LoadGameOfFile(std::string_view bytes, int number, CGameRecord& game) {
    if (number <= 0) return Read(bytes, game);
    const GameIndex index(bytes);
    const std::vector<IndexedGame>& games = index.Games();
    if (number > static_cast<int>(games.size()))
        return Refused(LoadResult::Kind::NoSuchGame,
                       "The file holds " + std::to_string(games.size()) +
                           " games; there is no game " + std::to_string(number) + ".");
    return LoadListedGame(bytes, games[static_cast<std::size_t>(number - 1)], game);
}

LoadResult LoadListedGame(std::string_view bytes, const IndexedGame& listed, CGameRecord& game) {
    if (!listed.problem.empty())
        return Refused(LoadResult::Kind::NotAGame, std::string(listed.problem));
    return Read(bytes.substr(listed.begin, listed.end - listed.begin), game);
}

FileOfGames ReadFileOfGames(std::string_view bytes, CGameRecord& game) {
    FileOfGames file;
    file.whole = LoadGameOfFile(bytes, 0, game);
    if (file.whole.Loaded() && !file.whole.textAfter) return file;
    file.list = GameIndex(bytes);
    return file;
}
