// Games written by other programs: opened or refused as the independent
// libraries' index says, ply by ply as their positions say, then saved and reopened.
#include "GameHistory.h"
#include "GameLines.h"
#include "NoteCommands.h"
#include "PgnExport.h"
#include "PgnTestSupport.h"

namespace {

// Each ply reaches the position the game's .tsv gives, the start first.
void ExpectPositions(const CGameRecord& game, std::filesystem::path tsv) {
    if (!std::filesystem::exists(tsv.replace_extension(".tsv"))) return;
    std::vector<std::string> fens;
    for (const auto& fields : shared::TsvRows(tsv)) fens.push_back(fields.at(2));
    ASSERT_EQ(game.m_plyCount + 1, static_cast<int>(fens.size()));
    auto replay = std::make_unique<CGameRecord>(game);
    EXPECT_TRUE(replay->SetFromFen(game.m_startFen));
    for (int i = 0; i <= game.m_plyCount; ++i) {
        if (i > 0) replay->RestorePly(i - 1);
        EXPECT_EQ(replay->MakeFullFen(), fens[i]) << "after ply " << i;
    }
}

// Every line of a game as the squares of its moves, variations in parentheses.
std::string Tree(const PlyList& plies, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += SquareName(plies[i].fromFile, plies[i].fromRank) +
                SquareName(plies[i].toFile, plies[i].toRank) + " ";
        for (const Variation& variation : plies[i].variations)
            text += "(" + Tree(variation.plies, static_cast<int>(variation.plies.size())) + ") ";
    }
    return text;
}

// Every note of a line in order, depth first: each ply's, then each of its
// variations' opening note and own notes.
void AddNotes(const PlyList& plies, int count, std::vector<std::string>& notes) {
    for (int i = 0; i < count; ++i) {
        notes.push_back(plies[i].hasNote ? plies[i].note : "");
        for (const Variation& variation : plies[i].variations) {
            notes.push_back(variation.startNote);
            AddNotes(variation.plies, static_cast<int>(variation.plies.size()), notes);
        }
    }
}

// Saved unchanged and read back, the game has every note as it was read:
// nothing a file's note holds is changed by the writer.
void ExpectNotesSurviveSave(const CGameRecord& game) {
    const auto back = pgntest::ReadOk(WritePgnToString(game));
    std::vector<std::string> before{game.m_hasStartNote ? game.m_startNote : ""},
        after{back->m_hasStartNote ? back->m_startNote : ""};
    AddNotes(game.m_ply, game.m_plyCount, before);
    AddNotes(back->m_ply, back->m_plyCount, after);
    EXPECT_EQ(after, before);
}

// Every note's commands as the note box and the board change them: the words
// put back leave the note as it was, and an arrow and a mark the note lacks,
// drawn and taken away again, give it back. The notes holding commands.
int ExpectNotesKeepTheirCommands(const CGameRecord& game) {
    std::vector<std::string> notes{game.m_startNote};
    AddNotes(game.m_ply, game.m_plyCount, notes);
    int holding = 0;
    for (const std::string& note : notes) {
        SCOPED_TRACE(note);
        const NoteParts parts = ParseNote(note);
        EXPECT_EQ(WithWords(note, parts.words), note);
        EXPECT_EQ(NoteWords(parts.words), parts.words);
        if (parts.words == note || note.find_first_not_of(' ') == std::string::npos) continue;
        ++holding;
        const NoteArrow arrow{'Y', {7, 0}, {0, 7}};
        const NoteMark mark{'Y', {7, 0}};
        const bool hasArrow = std::any_of(
            parts.arrows.begin(), parts.arrows.end(),
            [&arrow](const NoteArrow& a) { return a.from == arrow.from && a.to == arrow.to; });
        const bool hasMark =
            std::any_of(parts.marks.begin(), parts.marks.end(),
                        [&mark](const NoteMark& m) { return m.square == mark.square; });
        std::string drawn = note;
        if (!hasArrow && ToggleArrow(drawn, arrow)) {
            EXPECT_TRUE(ToggleArrow(drawn, arrow));
            EXPECT_EQ(drawn, note);
        }
        if (!hasMark && ToggleMark(drawn, mark)) {
            EXPECT_TRUE(ToggleMark(drawn, mark));
            EXPECT_EQ(drawn, note);
        }
    }
    return holding;
}

// Exported for other programs, the game reads back the same: every line's
// moves, tags (the opening's added), position.
void ExpectExportReadsBack(const CGameRecord& game) {
    const auto back = pgntest::ReadOk(ExportPgnToString(game));
    EXPECT_EQ(Tree(back->m_ply, back->m_plyCount), Tree(game.m_ply, game.m_plyCount));
    EXPECT_EQ(back->MakeFullFen(), game.MakeFullFen());
    EXPECT_EQ(back->m_keptTags, ExportedTags(game));
}

// Undo and Redo give back every state a game went through, whole: notes
// typed inside variations as the window types them (the line taken, edited,
// stored back), each step costing what it changed, never the whole tree
// again; then the game cut shorter step by step, a note, a tag or the flip
// changed on the way.
void ExpectHistoryGivesBack(const CGameRecord& game) {
    auto state = std::make_unique<CGameRecord>(game);
    const auto whole = [](const CGameRecord& g) {
        return WritePgnToString(g) + g.MakeFullFen() + std::to_string(g.m_curPly) +
               std::to_string(g.m_flipped) + std::to_string(g.m_keptTags.size());
    };
    GameHistory history;
    history.Reset(*state);
    std::vector<std::string> states{whole(*state)};
    std::vector<std::pair<LinePath, int>> places;
    WalkTree(game.m_ply, game.m_plyCount, [&places](const TreeStep& step) {
        if (step.depth > 0 && places.size() < 40) places.emplace_back(step.path, step.index);
    });
    auto line = std::make_unique<CGameRecord>();
    for (std::size_t k = 0; k < places.size(); ++k) {
        const auto& [path, ply] = places[k];
        ASSERT_TRUE(TakeLine(*state, path, *line));
        line->m_ply[ply].note = "edit " + std::to_string(k);
        line->m_ply[ply].hasNote = 1;
        StoreLine(*state, path, *line);
        const std::size_t before = history.Bytes();
        history.Record(*state, "Note", "");
        EXPECT_LT(history.Bytes() - before, std::size_t{64} << 10) << "edit " << k;
        states.push_back(whole(*state));
    }
    for (int plies = state->m_plyCount - 1, step = 0; plies >= 0; plies -= 7, ++step) {
        CutLine(*state, plies);
        if (step % 3 == 1 && plies > 0) {
            state->m_ply[plies - 1].note = "step " + std::to_string(step);
            state->m_ply[plies - 1].hasNote = 1;
        }
        if (step % 3 == 2) state->SetTag(CGameRecord::Round, std::to_string(step));
        if (step % 4 == 3) state->m_flipped = 1 - state->m_flipped;
        if (step % 5 == 4) state->m_keptTags.clear();
        history.Record(*state, "Step", "");
        states.push_back(whole(*state));
    }
    ASSERT_EQ(history.Steps() + 1, states.size());
    for (std::size_t at = states.size() - 1; at > 0; --at) {
        ASSERT_TRUE(history.Undo(*state));
        ASSERT_EQ(whole(*state), states[at - 1]) << "undone to " << at - 1;
    }
    EXPECT_TRUE(history.AtSaved());
    for (std::size_t at = 1; at < states.size(); ++at) {
        ASSERT_TRUE(history.Redo(*state));
        ASSERT_EQ(whole(*state), states[at]) << "redone to " << at;
    }
    EXPECT_FALSE(history.CanRedo());
}

TEST(SharedGames, OpenedOrRefusedAsIndexedReachTheirPositionsAndSurviveASave) {
    RAVELIN_REQUIRE_SHARED("pgn");
    int read = 0, tooLong = 0, commands = 0;
    const auto index = shared::TsvRows(shared::Root() / "pgn" / "INDEX.tsv");
    for (const auto& row : std::vector(index.begin() + 1, index.end())) {
        // row: file, plies, result, category, crosscheck; long games stand in good/.
        auto path = shared::Root() / "pgn" / row[0];
        if (!std::filesystem::exists(path))
            path = shared::Root() / "pgn" / ("good" + row[0].substr(5));
        SCOPED_TRACE(row[0]);
        auto game = tg::Game();
        const PgnReadResult result = ReadPgnFromString(shared::ReadFile(path), *game);
        EXPECT_EQ(result.ok, result.message.empty());
        if (std::stoi(row[1]) > CGameRecord::kMaxPlies) {
            EXPECT_EQ(result.message, pgnmsg::kTooManyPlies);
            ++tooLong;
        } else if (row[3] == "variant") {
            EXPECT_EQ(result.message.rfind("This game is a chess variant (", 0), 0u)
                << result.message;
        } else if (row[4] == "both-reject") {
            EXPECT_FALSE(result.ok);
        } else if (row[4] == "agree") {
            ASSERT_TRUE(result.ok) << result.message;
            EXPECT_EQ(game->m_plyCount, std::stoi(row[1]));
        }
        if (!result.ok) continue;
        EXPECT_FALSE(result.moreGames);
        EXPECT_EQ(game->m_curPly, game->m_plyCount);
        if (row[0].rfind("good/", 0) == 0) ExpectPositions(*game, path);
        pgntest::ExpectSurvivesSave(*game);
        ExpectNotesSurviveSave(*game);
        ExpectExportReadsBack(*game);
        ExpectHistoryGivesBack(*game);
        commands += ExpectNotesKeepTheirCommands(*game);
        ++read;
    }
    EXPECT_GT(read, 600);
    EXPECT_GT(commands, 300);
    EXPECT_EQ(tooLong, 3);
}

}  // namespace
