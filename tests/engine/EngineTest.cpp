// The engine's words read, the conversation kept in order, its lines played
// on the board and a game checked, all without a process or a window.
#include <iterator>
#include <sstream>

#include "EngineLine.h"
#include "GameCheck.h"
#include "GameLines.h"
#include "MoveSymbols.h"
#include "MoveTextApply.h"
#include "TestGames.h"
#include "UciSession.h"

namespace {

std::string Joined(const std::vector<std::string>& words, const char* between = " ") {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : between) + word;
    return text;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

// The game from `fen` with the moves of `text` ("e4 e5 Nf3", "--" a pass) played as read.
std::unique_ptr<CGameRecord> Played(const std::string& fen, const std::string& text) {
    auto game = tg::Game(fen);
    if (!fen.empty()) game->MakeStartFen(), game->SetFromFen(fen), game->m_plyCount = 0;
    for (const std::string& move : Words(text))
        if (IsNullMoveText(move))
            EXPECT_TRUE(ApplyNullMove(*game, move));
        else
            EXPECT_EQ(ApplyMoveText(*game, move, game->m_sideToMove), MoveTextResult::Played)
                << move;
    return game;
}

// A variation's moves, each note in braces after its move: "g6 {Solid.} Qf3".
std::string Described(const Variation& line) {
    std::string words;
    for (const PlyRecord& ply : line.plies) {
        words += (words.empty() ? "" : " ") + MoveWithoutNumber(ply);
        if (ply.hasNote)
            words += " {" + ply.note + "}";  // a note without its flag is never written
    }
    return words;
}

// All an info line told, whether told or not: "depth 9 multipv 3 score cp -120 nps 0 pv d7d5".
std::string Told(const EngineInfo& info) {
    const char* const bounds[] = {"", " lowerbound", " upperbound"};
    return "depth " + std::to_string(info.depth) + " multipv " + std::to_string(info.multipv) +
           (info.hasScore ? " score " : " no score ") + (info.score.mate ? "mate " : "cp ") +
           std::to_string(info.score.value) + bounds[static_cast<int>(info.score.bound)] + " nps " +
           std::to_string(info.nps) + " pv " + Joined(info.pv);
}

TEST(UciLines, InfoLinesAsStockfishAndOthersWriteThem) {
    const std::string none = "depth 0 multipv 1 no score cp 0 nps 0 pv ";
    const std::pair<const char*, std::string> rows[] = {
        // clang-format off
        {"info depth 18 seldepth 24 multipv 1 score cp 45 nodes 912345 nps 1204000 hashfull 88 "
         "tbhits 0 time 757 pv e2e4 e7e5 g1f3",
         "depth 18 multipv 1 score cp 45 nps 1204000 pv e2e4 e7e5 g1f3"},
        {"info depth 9 multipv 3 score cp -120 pv d7d5",
         "depth 9 multipv 3 score cp -120 nps 0 pv d7d5"},
        {"info depth 30 score mate 3 pv h5f7 e8e7 f7e6",
         "depth 30 multipv 1 score mate 3 nps 0 pv h5f7 e8e7 f7e6"},
        {"info depth 20 score cp 31 lowerbound nodes 5 pv g1f3",
         "depth 20 multipv 1 score cp 31 lowerbound nps 0 pv g1f3"},
        {"info depth 20 score cp 12 upperbound",
         "depth 20 multipv 1 score cp 12 upperbound nps 0 pv "},
        {"info depth 5 score cp 10 pv e7e8q e1e2 e1e9 a2a4",
         "depth 5 multipv 1 score cp 10 nps 0 pv e7e8q e1e2"},  // moves end at the first non-move
        {"info nps 1500000 hashfull 20", "depth 0 multipv 1 no score cp 0 nps 1500000 pv "},
        {"info string NNUE evaluation using nn.nnue enabled depth 99", none},
        {"info depth x score cp y multipv", none},  // garbled numbers leave the fields alone
        {"information depth 3", "not info: " + none},
        {"bestmove e2e4", "not info: " + none},
        // clang-format on
    };
    for (const auto& [line, told] : rows) {
        EngineInfo info;
        const bool read = ReadInfoLine(line, info);
        EXPECT_EQ((read ? "" : "not info: ") + Told(info), told) << line;
    }
    // A line of thousands of moves is read whole.
    std::string flood = "info depth 1 score cp 0 pv";
    for (int i = 0; i < 5000; ++i) flood += " g1f3 g8f6 f3g1 f6g8";
    EngineInfo info;
    ASSERT_TRUE(ReadInfoLine(flood, info));
    EXPECT_EQ(info.pv.size(), 20000u);

    std::string move, name;
    EXPECT_TRUE(ReadBestMove("bestmove e7e8q ponder d1d8", move) && move == "e7e8q");
    EXPECT_TRUE(ReadBestMove("bestmove (none)", move) && move == "(none)");
    // A bare answer names no move, whatever the string held before.
    EXPECT_TRUE(ReadBestMove("bestmove", move) && move.empty());
    EXPECT_TRUE(ReadEngineName("id name Stockfish 15.1\r", name) && name == "Stockfish 15.1");
    EXPECT_FALSE(ReadEngineName("id author the team", name));
}

TEST(UciLines, ScoresFromWhitesSide) {
    const struct {
        bool mate;
        int value;
        bool whiteToMove;
        const char* text;
    } rows[] = {
        {false, 45, true, "+0.45"},  {false, 45, false, "-0.45"}, {false, -120, true, "-1.20"},
        {false, -5, false, "+0.05"}, {false, 0, false, "0.00"},   {false, 1234, true, "+12.34"},
        {true, 3, true, "#3"},       {true, 3, false, "#-3"},     {true, -2, true, "#-2"},
        {true, -1, false, "#1"},     {true, 0, true, "#-0"},      {true, 0, false, "#0"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ScoreText({row.mate, row.value}, row.whiteToMove), row.text) << row.value;
}

// What the engine is sent, step by step: the owner's call or the engine's
// line, the commands that follow, and the lines then held.
TEST(UciSession, KeepsTheConversationInOrder) {
    UciSession session;
    const std::string start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                      after = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                      goStart = "position fen " + start + "|go infinite",
                      goAfter = "position fen " + after + "|go movetime 300";
    const struct {
        char step;  // S start, A analyse, T timed search, O options, X stop, Q quit, F feed
        std::string text;
        std::string sent;  // commands joined by '|'
        const char* bestLine;
        long long nps = -1;  // the speed held after the step; -1 when not asked
        const char* bestMove = nullptr;  // the engine's move after the step, when asked
    } rows[] = {
        // clang-format off
        {'S', "", "uci", "", 0},  // no speed before the first search
        {'A', start, "", ""},  // waits for the engine to be ready
        {'F', "id name Fake 1", "", ""},
        {'F', "option name Hash type spin default 16 min 1 max 1024", "", ""},
        {'F', "uciok ", "ucinewgame|setoption name Threads value 2|setoption name Hash value 32|"
                        "setoption name MultiPV value 3|isready", ""},  // read with a blank after
        {'F', "info depth 1 score cp 3 pv e2e4", "", ""},  // before readyok: nothing searched yet
        {'F', "readyok", goStart, ""},
        {'F', "info depth 5 multipv 1 score cp 20 pv e2e4 e7e5", "", "e2e4 e7e5"},
        {'F', "info depth 5 multipv 2 score cp 15 pv d2d4", "", "e2e4 e7e5"},
        {'F', "info depth 6 score cp 22 nodes 100 nps 5000", "", "e2e4 e7e5", 5000},  // no moves
        {'F', "info depth 6 multipv 2 score cp 16 pv d2d4 d7d5", "", "e2e4 e7e5", 5000},
        {'A', after, "stop", "", 0},  // the old lines and speed go at once
        {'F', "info depth 7 multipv 1 score cp 25 pv d2d4", "", ""},  // still the old position
        {'A', start, "", ""},  // asked again before the engine stopped: only the last counts
        {'F', "bestmove d2d4", goStart, ""},
        {'F', "info depth 3 score cp 11 pv g1f3", "", "g1f3"},
        {'O', "", "stop", "g1f3"},
        {'F', "bestmove g1f3", "setoption name Threads value 1|setoption name Hash value 1|"
                               "setoption name MultiPV value 1|isready", "g1f3"},
        {'F', "readyok", goStart, ""},
        {'X', "", "stop", ""},
        {'F', "bestmove e2e4", "", ""},
        {'T', after, goAfter, ""},
        {'F', "info depth 9 score cp -30 pv c7c5", "", "c7c5"},
        {'F', "bestmove c7c5", "", "c7c5", -1, "c7c5"},
        {'T', after, goAfter, "", -1, ""},  // the last search's move goes with it
        {'A', start, "stop", ""},
        {'X', "", "", ""},  // stopped before the engine was: the search asked for goes too
        {'F', "bestmove c7c5", "", ""},
        {'T', after, goAfter, ""},
        {'F', "info depth 9 score cp -30 pv c7c5", "", "c7c5"},
        {'Q', "", "stop|quit", "c7c5"},  // a search still running is stopped first
        {'A', start, "", "c7c5"},  // after quitting nothing more is sent, nothing cleared
        // clang-format on
    };
    for (const auto& row : rows) {
        switch (row.step) {  // clang-format off
            case 'S': session.Start({2, 32, 3}); break;
            case 'A': session.Analyse("fen " + row.text); break;
            case 'T': session.Analyse("fen " + row.text, 300); break;
            case 'O': session.SetOptions({1, 1, 1}); break;
            case 'X': session.Stop(); break;
            case 'Q': session.Quit(); break;
            default: session.Feed(row.text);
        }  // clang-format on
        EXPECT_EQ(Joined(session.TakeCommands(), "|"), row.sent) << row.step << ' ' << row.text;
        const std::string best = session.Lines().empty() ? "" : Joined(session.Lines()[0].pv);
        EXPECT_EQ(best, row.bestLine) << row.step << ' ' << row.text;
        if (row.nps >= 0) {
            EXPECT_EQ(session.NodesPerSecond(), row.nps) << row.text;
        }
        if (row.bestMove != nullptr) {
            EXPECT_EQ(session.BestMove(), row.bestMove) << row.step << ' ' << row.text;
        }
    }
    EXPECT_EQ(session.EngineName(), "Fake 1");
}

TEST(EngineLine, PlaysAndNumbersAsTheMoveListDoes) {
    const struct {
        const char* fen;
        const char* played;  // moves before the engine's position
        const char* moves;
        const char* text;
    } rows[] = {
        // clang-format off
        {"", "", "e2e4 e7e5 g1f3", "1. e4 e5 2. Nf3"},
        {"", "e4 e5 Nf3", "b8c6 f1b5 a7a6", "2. ... Nc6 3. Bb5 a6"},
        {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 2 22", "",
         "g8f6 f3e5", "22. ... Nf6 23. Nxe5"},
        {"4k3/P7/8/8/8/8/8/4K3 w - - 0 40", "", "a7a8n e8d7", "40. a8=N Kd7"},
        {"4k3/P7/8/8/8/8/8/4K3 w - - 0 40", "", "a7a8 e8d7", "40. a8=Q+ Kd7"},  // a queen unless named
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "", "e1g1 e8c8", "1. O-O O-O-O"},
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "", "a1a8", "1. Ra8#"},
        {"", "", "e2e4 e7e5 e1e3 g8f6", "1. e4 e5"},  // cut at the illegal king step
        {"", "e4 e5 --", "g8f6 g1f3", "2. ... Nf6 3. Nf3"},  // after a variation's pass
        {"", "", "e9e4 e2e4", ""},                     // a square off the board
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "", "a1a8 g8h7", "1. Ra8#"},  // nothing after mate
        {"", "", "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3",
         "1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 5. Nf3= Nf6= 6. Ng1= Ng8="},  // twelve at most
        // clang-format on
    };
    for (const auto& row : rows) {
        auto game = Played(row.fen, row.played);
        const int plies = game->m_plyCount;
        const std::vector<PlyRecord> line = PlayEngineLine(*game, plies, Words(row.moves));
        EXPECT_EQ(EngineLineText(*game, plies, line), row.text) << row.moves;
        EXPECT_EQ(game->m_plyCount, plies);  // the game itself is left alone
    }
}

// The engine is told the moves since the last capture or pawn move, so that
// it sees a repetition coming, or since a variation's last pass.
TEST(EngineLine, PositionsAsTheEngineIsToldThem) {
    const struct {
        const char *fen, *played, *position;
    } rows[] = {
        // clang-format off
        {"", "", "fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 2 22", "Nf6 Nc3 Bc5",
         "fen r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 2 22 moves g8f6 b1c3 f8c5"},
        {"", "e4 e5 Nf3 Nc6",
         "fen rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2 moves g1f3 b8c6"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "O-O O-O-O",
         "fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1 moves e1g1 e8c8"},
        {"4k3/P7/8/8/8/8/8/4K3 w - - 3 40", "a8=N Kd7", "fen N3k3/8/8/8/8/8/8/4K3 b - - 0 40 moves e8d7"},
        {"4k3/8/8/8/8/8/3r4/R3K3 w Q - 0 1", "Rd1 Rxd1+ Kxd1", "fen 4k3/8/8/8/8/8/8/3K4 b - - 0 2"},
        // A variation's pass is no move an engine is told: the position after it is.
        {"", "Nf3 Nf6 -- Ng8 Ng1",
         "fen rnbqkb1r/pppppppp/5n2/8/8/5N2/PPPPPPPP/RNBQKB1R b KQkq - 3 2 moves f6g8 f3g1"},
        // clang-format on
    };
    for (const auto& row : rows) {
        const auto game = Played(row.fen, row.played);
        EXPECT_EQ(EnginePosition(*game, game->m_plyCount), row.position) << row.played;
    }
}

TEST(EngineLine, AddedAlongTheLineThenAsAVariation) {
    auto game = Played("", "e4 e5 Nf3 Nc6 Bb5");
    game->m_ply[2].note = "the player's";
    game->m_ply[2].hasNote = 1;
    const auto add = [&](const LinePath& path, int plies, const char* moves, EngineLineAdded how,
                         VariationRefusal why = VariationRefusal::None) {
        auto line = std::make_unique<CGameRecord>();
        TakeLine(*game, path, *line);
        VariationRefusal refusal = VariationRefusal::NullMoveNotMain;
        EXPECT_EQ(AddEngineLine(*game, path, plies, PlayEngineLine(*line, plies, Words(moves)),
                                "+0.30 at depth 20", refusal),
                  how)
            << moves;
        EXPECT_EQ(refusal, why) << moves;
    };
    // 2. Nf3 is the game's own move; the engine leaves it at 2... Nc6.
    add({}, 2, "g1f3 g8f6 d2d4", EngineLineAdded::AsVariation);
    ASSERT_EQ(game->m_ply[3].variations.size(), 1u);
    EXPECT_EQ(Described(game->m_ply[3].variations[0]), "Nf6 d4 {+0.30 at depth 20}");
    EXPECT_EQ(game->m_ply[2].note, "the player's");
    add({}, 2, "g1f3 g8f6 d2d4", EngineLineAdded::AlreadyThere);  // not twice
    add({}, 2, "g1f3 b8c6", EngineLineAdded::AlreadyThere);       // the game's own moves
    add({}, 5, "a7a6 b5a4", EngineLineAdded::AtLineEnd);  // and shown at its last move
    EXPECT_EQ(game->MakeFullFen(),
              "r1bqkbnr/1ppp1ppp/p1n5/4p3/B3P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 1 4");
    EXPECT_EQ(game->m_plyCount, 7);
    EXPECT_EQ(game->m_ply[6].note, "+0.30 at depth 20");
    add({{3, 0}}, 4, "d2d4 e5d4", EngineLineAdded::AtLineEnd);  // on at the variation's end
    EXPECT_EQ(Described(game->m_ply[3].variations[0]),
              "Nf6 d4 {+0.30 at depth 20} exd4 {+0.30 at depth 20}");
    EXPECT_EQ(game->m_plyCount, 7);
    add({}, 0, "d2d4", EngineLineAdded::AsVariation);  // from the start position too
    EXPECT_EQ(game->m_ply[0].variations.size(), 1u);

    // At the end of a variation as deep as they go, the line still goes on.
    game = Played("", "e4 e5");
    const PlyRecord replies[] = {Played("", "e4 c5")->m_ply[1], Played("", "e4 d5")->m_ply[1]};
    VariationList* list = &game->m_ply[1].variations;
    LinePath path;
    for (int level = 0; level < lines::kMaxDepth; ++level) {
        list->push_back({"", {replies[level % 2]}});
        list = &list->back().plies[0].variations;
        path.push_back({1, 0});
    }
    add(path, 2, "g1f3", EngineLineAdded::AtLineEnd);
    // Where it leaves that line, a variation would lie one level deeper.
    add(path, 1, "c7c6", EngineLineAdded::Refused, VariationRefusal::VariationsTooDeep);
    EXPECT_EQ(game->m_plyCount, 2);

    // Variations that hold all the moves a game keeps take no more; the main
    // line still goes on.
    game = Played("", "e4 e5");
    game->m_ply[0].variations.push_back({"", PlyList(lines::kMaxVariationPlies, game->m_ply[0])});
    add({}, 1, "c7c5", EngineLineAdded::Refused, VariationRefusal::VariationsFull);
    EXPECT_EQ(game->m_ply[1].variations.size(), 0u);
    add({}, 2, "g1f3", EngineLineAdded::AtLineEnd);
}

TEST(GameCheck, MovesJudgedByWhatTheyGiveAway) {
    const struct {
        bool mateBefore;
        int before;
        bool mateAfter;
        int after;
        int glyph;
    } rows[] = {
        {false, 30, false, -20, 0},  {false, 30, false, 25, 6},    {false, 30, false, 75, 2},
        {false, 30, false, 180, 4},  {false, 900, false, -600, 0},  // still winning
        {false, 300, false, 300, 4}, {true, 2, false, -400, 2},     // a mate missed
        {true, 2, false, -800, 0},   {false, 0, true, 0, 0},        // a mate given
        {false, 0, true, 1, 4},      {false, -500, false, 600, 0},  // already lost
        {false, 25, false, 25, 6},   {false, 50, false, 50, 2},    {false, 100, false, 100, 4},
    };
    for (const auto& row : rows)
        EXPECT_EQ(JudgeMove({row.mateBefore, row.before}, {row.mateAfter, row.after}), row.glyph)
            << row.before << ' ' << row.after;
}

TEST(GameCheck, MarksOnlyWhereThePlayerHasNot) {
    // 1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6?? 4. Qxf7#, with 2. Qh5 marked "!" by the player.
    auto game = Played("", "e4 e5 Qh5 Nc6 Bc4 Nf6 Qxf7#");
    ToggleMoveSymbol(game->m_ply[2], 1);
    game->m_ply[5].note = "my note";
    game->m_ply[5].hasNote = 1;
    std::vector<PositionVerdict> verdicts(8);
    const auto verdict = [&](int k, int cp, bool mate, const char* best) {
        verdicts[k] = {true, {mate, cp}, 14, Words(best)};
    };
    verdict(0, 30, false, "e2e4");
    verdict(1, -30, false, "c7c5");  // not the engine's move, but it loses nothing
    verdict(2, 40, false, "g1f3");
    verdict(3, 100, false, "b8c6");  // 2. Qh5 gave 1.4 pawns away: the player's "!" stays
    verdict(4, 20, false, "d2d3");
    verdict(5, 40, false, "g7g6 c4f7");
    verdict(6, 1, true, "h5f7");
    ASSERT_TRUE(FinishedPositionScore(*game, 7, verdicts[7].score));
    verdicts[7].known = true;

    const GameCheckOutcome outcome = ApplyGameCheck(*game, verdicts);
    EXPECT_EQ(outcome.glyphsAdded, 2);  // 3. Bc4?! and 3... Nf6??
    EXPECT_EQ(game->GetMoveWithoutNumber(2), "Qh5!");
    EXPECT_EQ(game->GetMoveWithoutNumber(4), "Bc4?!");
    EXPECT_EQ(game->GetMoveWithoutNumber(5), "Nf6??");  // its line: EveryMarkSaysWhy
    EXPECT_EQ(game->m_ply[5].note, "my note");
    EXPECT_EQ(game->m_ply[2].variations.size(), 1u);  // the better line, with the "!" kept
    EXPECT_TRUE(game->m_ply[6].variations.empty());   // the engine's own move
    EXPECT_FALSE(FinishedPositionScore(*game, 6, verdicts[6].score));

    // Checked again, nothing is added twice.
    const GameCheckOutcome again = ApplyGameCheck(*game, verdicts);
    EXPECT_EQ(again.glyphsAdded + again.variationsAdded, 0);

    // Two plies short of the room all variations share: 2. Qh5's and 3. Bc4's
    // one-move lines fit, 3... Nf6's two moves no longer do.
    auto full = Played("", "e4 e5 Qh5 Nc6 Bc4 Nf6 Qxf7#");
    full->m_ply[0].variations.push_back(
        {"", PlyList(lines::kMaxVariationPlies - 2, full->m_ply[0])});
    EXPECT_EQ(ApplyGameCheck(*full, verdicts).variationsAdded, 2);
    EXPECT_TRUE(full->m_ply[5].variations.empty());
    EXPECT_EQ(full->GetMoveWithoutNumber(5), "Nf6");  // no room for its reason: no mark
}

// Every mark Check Game makes has its reason beside it: a new line with the
// score, or the score on the line the player wrote already, whose notes keep
// their words.
TEST(GameCheck, EveryMarkSaysWhy) {
    // 1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6?? 4. Qxf7#: only 3... Nf6 is judged.
    const char* const played = "e4 e5 Qh5 Nc6 Bc4 ";
    const std::string full(CGameRecord::kMaxNoteLength - 4, 'x');
    // A line instead of 3... Nf6, from moves with notes: "g6 {Solid.} Qf3".
    const auto variation = [played](const std::string& text) {
        auto game = Played("", played);
        Variation line;
        std::istringstream in(text);
        for (std::string moves, note; std::getline(in, moves, '{');) {
            for (const std::string& word : Words(moves)) {
                EXPECT_EQ(ApplyMoveText(*game, word, game->m_sideToMove), MoveTextResult::Played);
                line.plies.push_back(game->m_ply[game->m_plyCount - 1]);
            }
            if (std::getline(in, note, '}'))
                line.plies.back().note = note, line.plies.back().hasNote = 1;
        }
        return line;
    };
    const struct {
        const char* rule;
        std::vector<std::string> there;  // the lines of 3... Nf6 before the check
        const char* best;                // the engine's line for 3... Nf6's position
        int playerGlyph;                 // on 3... Nf6 before the check, 0 for none
        const char* move;                // 3... Nf6 after it
        std::vector<std::string> lines;  // and its lines
        int glyphs, variations, scores;
    } rows[] = {
        // clang-format off
        {"a new line, its score on its last move", {}, "g7g6 c4f7", 0,
         "Nf6??", {"g6 Bxf7+ {-0.40 at depth 14}"}, 1, 1, 0},
        {"a line there: the score after its first move's note", {"g6 {Solid.} Qf3"}, "g7g6 c4f7", 0,
         "Nf6??", {"g6 {Solid. -0.40 at depth 14} Qf3"}, 1, 0, 1},
        {"a line there without a note: the score as its note", {"d6", "g6 Qf3", "g6"}, "g7g6", 0,
         "Nf6??", {"d6", "g6 {-0.40 at depth 14} Qf3", "g6"}, 1, 0, 1},
        {"a line there with an engine's score already: marked, nothing added",
         {"g6 Bxf7+ {-0.30 at depth 9}"}, "g7g6 c4f7", 0,
         "Nf6??", {"g6 Bxf7+ {-0.30 at depth 9}"}, 1, 0, 0},
        {"the player's glyph stays; the score still goes on the line", {"g6"}, "g7g6", 6,
         "Nf6?!", {"g6 {-0.40 at depth 14}"}, 0, 0, 1},
        {"no room for the score in the note: no mark", {"g6 {" + full + "}"}, "g7g6", 0,
         "Nf6", {"g6 {" + full + "}"}, 0, 0, 0},
        {"the engine's move refused: no mark", {}, "a1a8 c4f7", 0, "Nf6", {}, 0, 0, 0},
        // clang-format on
    };
    for (const auto& row : rows) {
        auto game = Played("", std::string(played) + "Nf6 Qxf7#");
        PlyRecord& move = game->m_ply[5];
        for (const std::string& line : row.there) move.variations.push_back(variation(line));
        if (row.playerGlyph != 0) ToggleMoveSymbol(move, row.playerGlyph);
        std::vector<PositionVerdict> verdicts(8);
        verdicts[5] = {true, {false, 40}, 14, Words(row.best)};
        verdicts[6] = {true, {true, 1}, 14, Words("h5f7")};

        const GameCheckOutcome outcome = ApplyGameCheck(*game, verdicts);
        EXPECT_EQ(game->GetMoveWithoutNumber(5), row.move) << row.rule;
        std::vector<std::string> lines;
        for (const Variation& line : move.variations) lines.push_back(Described(line));
        EXPECT_EQ(lines, row.lines) << row.rule;
        EXPECT_EQ(outcome.glyphsAdded, row.glyphs) << row.rule;
        EXPECT_EQ(outcome.variationsAdded, row.variations) << row.rule;
        EXPECT_EQ(outcome.scoresAdded, row.scores) << row.rule;

        // Checked again, nothing more.
        const GameCheckOutcome again = ApplyGameCheck(*game, verdicts);
        EXPECT_EQ(again.glyphsAdded + again.variationsAdded + again.scoresAdded, 0) << row.rule;
    }
}

}  // namespace
