// The engine at the board: misbehaving engines, the real Stockfish's lines
// following the board and going into the game, and a game checked.
#include <QDir>
#include <QMdiArea>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

#include "AnalysisPane.h"
#include "EngineProcess.h"
#include "GameWindowSupport.h"

namespace {

const char kMateInOne[] =
    "[Event \"Mate\"]\n[SetUp \"1\"]\n[FEN \"6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1\"]\n\n"
    "1. Kf1 Kf8 *\n";
// 3... Nf6 loses at once; 3. Qh5 carries the player's own "!".
const char kBlunder[] = "[Event \"Check\"]\n\n1. e4 e5 2. Bc4 Nc6 3. Qh5! Nf6 4. Qxf7# 1-0\n";
// 1. d4 gives away what the fake engine's 1. e4 keeps, and the player has
// already written 1. e4 down as a variation, with a note on its first move
// and none on the other.
const char kBetterThere[] =
    "[Event \"Check\"]\n\n1. d4 ( 1. e4 {The king's pawn.} 1... e5 ) ( 1. e4 c5 ) 1... d5 *\n";

bool HasStockfish() {
    return !EngineProcess::ProgramOf({}).isEmpty();
}

}  // namespace

class AnalysisTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void misbehavingEnginesNeverStopTheWindow();
    void bestLinesChosenInOptionsApplyAtOnce();
    void restartKeepsTheActiveGameWindow();
    void stockfishLinesFollowTheBoardAndGoIntoTheGame();
    void checkGameMarksOnlyWhatThePlayerLeftUnmarked();
    void checkGameScoresAVariationAlreadyThere();

private:
    // A program that runs the fake engine in `mode`, its process number
    // written beside it.
    QString FakeEngine(const QString& mode);
    void UseEngine(GameWindowFixture& w, const QString& program, int checkMs = 200, int lines = 1);

    QTemporaryDir m_settings;
};

void AnalysisTest::initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
}

QString AnalysisTest::FakeEngine(const QString& mode) {
    const QString path = m_settings.filePath("engine-" + mode);
    WriteBytes(path, QStringLiteral("#!/bin/sh\nexec %1/fake-uci-engine.sh %2 %3.pid\n")
                         .arg(RAVELIN_TEST_UI_DIR, mode, path)
                         .toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

void AnalysisTest::UseEngine(GameWindowFixture& w, const QString& program, int checkMs, int lines) {
    w.prompts.engineChoices.push_back({program, 1, 64, lines, checkMs});
    w.Command(res::kCmdEngine);
}

void AnalysisTest::misbehavingEnginesNeverStopTheWindow() {
    const struct {
        const char* mode;    // the fake's mode, or a program of its own ("/...")
        const char* first;   // how the pane's message begins as it opens
        const char* status;  // how the pane's message begins in the end
        const char* line;    // the best line shown; "" for none
        EngineProblem problem = EngineProblem::None;  // what the pane decided by
    } rows[] = {
        // clang-format off
        {"ok", "Starting engine-ok...", "Fake ok", "+0.31|depth 7|1. e4 e5"},  // cut at the king
        {"slowready", "Starting engine-slowready...", "Fake slowready", "+0.31|depth 7|1. e4 e5"},
        {"flood", "Starting engine-flood...", "Fake flood", "+0.31|depth 7|1. e4 e5"},
        {"hang", "Starting engine-hang...", "Fake hang", "+0.31|depth 7|1. e4 e5"},
        {"crash", "Starting engine-crash...", "The engine stopped unexpectedly (exit code 3).", "",
         EngineProblem::Exited},
        {"/bin/true", "Starting true...",
         "true did not answer as a UCI chess engine. Choose another with Options > Engine...", "",
         EngineProblem::NoAnswer},
        {"/nonexistent/engine", "Starting engine...",
         "The engine /nonexistent/engine could not be started: ", "", EngineProblem::CannotStart},
        // clang-format on
    };
    for (const auto& row : rows) {
        const QString mode = QString::fromLatin1(row.mode);
        GameWindowFixture w;
        w.NewGame();
        UseEngine(w, mode.startsWith('/') ? mode : FakeEngine(mode));
        w.Command(res::kCmdAnalysis);
        AnalysisPane* pane = w.frame->Analysis();
        // Said at once, before the engine has answered or failed.
        QVERIFY2(pane->StatusText().startsWith(row.first), qPrintable(pane->StatusText()));
        QTRY_VERIFY2_WITH_TIMEOUT(
            pane->StatusText().startsWith(row.status) && pane->LineTexts().join(";") == row.line,
            qPrintable(mode + ": " + pane->StatusText() + " / " + pane->LineTexts().join(";")),
            15000);
        QCOMPARE(w.frame->Engine().ProblemKind(), row.problem);
        // A failed engine is offered again; the board goes on working meanwhile.
        QCOMPARE(Button(pane, "&Restart Engine")->isVisible(), QString(row.line).isEmpty());
        w.Play("e2e4");
        QCOMPARE(w.Game().m_plyCount, 1);
        QVERIFY2(pane->LineTexts().isEmpty(), qPrintable(mode));  // e2e4 is no move for Black

        // Closing the pane ends the engine, one that will not leave included.
        const QByteArray pid = ReadBytes(m_settings.filePath("engine-" + mode + ".pid")).trimmed();
        w.Command(res::kCmdAnalysis);
        QVERIFY(!w.frame->Engine().IsRunning());
        if (mode == "hang" || mode == "ok")
            QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists("/proc/" + pid + "/cmdline") ||
                                         ReadBytes("/proc/" + pid + "/stat").contains(") Z "),
                                     10000);
    }
}

void AnalysisTest::bestLinesChosenInOptionsApplyAtOnce() {
    GameWindowFixture w;
    w.NewGame();
    UseEngine(w, FakeEngine("ok"));
    w.Command(res::kCmdAnalysis);
    AnalysisPane* pane = w.frame->Analysis();
    auto* count = pane->findChild<QSpinBox*>();
    const QStringList three = {"+0.31|depth 7|1. e4 e5", "+0.12|depth 7|1. d4 d5",
                               "-0.05|depth 7|1. Nf3 Nf6"};
    QTRY_COMPARE_WITH_TIMEOUT(pane->LineTexts(), three.mid(0, 1), 10000);
    // More lines and fewer, each at once and in the pane's own count.
    for (const int lines : {3, 2, 1, 3}) {
        UseEngine(w, FakeEngine("ok"), 200, lines);
        QCOMPARE(count->value(), lines);
        QTRY_COMPARE_WITH_TIMEOUT(pane->LineTexts(), three.mid(0, lines), 10000);
    }
    // The pane's count is what Options > Engine offers next.
    count->setValue(2);
    QCOMPARE(EngineProcess::StoredChoice().lines, 2);
    QTRY_COMPARE_WITH_TIMEOUT(pane->LineTexts(), three.mid(0, 2), 10000);

    // A program that never answers: the pane says what it waits for, not the
    // old engine's name or nothing (giving up on it is a row of the first test).
    UseEngine(w, "/bin/cat");
    QCOMPARE(pane->StatusText(), QString("Starting cat..."));
    QVERIFY(pane->LineTexts().isEmpty());
}

void AnalysisTest::restartKeepsTheActiveGameWindow() {
    GameWindowFixture w;
    QVERIFY(QTest::qWaitForWindowActive(w.frame.get()));
    CVexilView* other = w.NewGame();
    w.Play("e2e4");
    CVexilView* shown = w.NewGame();  // the start position, where the fake has a line
    QVERIFY(other != shown && w.View() == shown);
    UseEngine(w, FakeEngine("crashonce"));
    w.Command(res::kCmdAnalysis);
    AnalysisPane* pane = w.frame->Analysis();
    QTRY_COMPARE_WITH_TIMEOUT(pane->StatusText(),
                              QString("The engine stopped unexpectedly (exit code 3)."), 10000);
    // Clicked, the button takes the focus, and goes once the engine runs.
    QTest::mouseClick(Button(pane, "&Restart Engine"), Qt::LeftButton);
    QCOMPARE(w.View(), shown);
    QTRY_COMPARE_WITH_TIMEOUT(pane->LineTexts(), QStringList{"+0.31|depth 7|1. e4 e5"}, 10000);
    QCOMPARE(w.View(), shown);
    // The area's own choice too, not only the one remembered while the main window is inactive.
    const auto active = [&w] {
        auto* frame =
            qobject_cast<CChildFrame*>(w.frame->findChild<QMdiArea*>()->activeSubWindow());
        return frame != nullptr ? frame->View() : nullptr;
    };
    QCOMPARE(active(), shown);

    // The same for "Add as variation", disabled with the focus when Go >
    // End leaves the fake without a line.
    QTest::mouseClick(Button(pane, "Add as variation"), Qt::LeftButton);
    QCOMPARE(w.Game().m_plyCount, 2);  // 1. e4 e5 on the empty game, shown from its start
    QVERIFY(Button(pane, "Add as variation")->hasFocus());
    w.Command(res::kCmdGoEnd);
    QVERIFY(!Button(pane, "Add as variation")->isEnabled());
    QCOMPARE(active(), shown);
}

void AnalysisTest::stockfishLinesFollowTheBoardAndGoIntoTheGame() {
    if (!HasStockfish()) QSKIP("Stockfish is not installed (Debian's package stockfish)");
    GameWindowFixture w;
    QVERIFY(w.Open("mate.pgn", kMateInOne));
    UseEngine(w, QString());
    w.View()->OnGoToStart();
    w.Command(res::kCmdAnalysis);
    AnalysisPane* pane = w.frame->Analysis();
    QTRY_VERIFY_WITH_TIMEOUT(pane->LineTexts().value(0).startsWith("#1|depth "), 20000);
    QVERIFY2(pane->LineTexts().value(0).endsWith("|1. Ra8#"), qPrintable(pane->LineTexts()[0]));
    QVERIFY(pane->StatusText().startsWith("Stockfish"));

    // The next position: the mate's lines are gone at once, Black's come.
    w.View()->Go(Qt::Key_Down);
    QVERIFY(!pane->LineTexts().join(";").contains("Ra8#"));
    QTRY_VERIFY_WITH_TIMEOUT(pane->LineTexts().value(0).contains("|1. ... "), 20000);

    // Back at the start, the mate goes into the game as a variation of 1. Kf1.
    w.View()->OnGoToStart();
    QTRY_VERIFY_WITH_TIMEOUT(pane->LineTexts().value(0).endsWith("|1. Ra8#"), 20000);
    QTest::mouseClick(Button(pane, "Add as variation"), Qt::LeftButton);
    QCOMPARE(w.frame->Action(res::kCmdUndo)->text(), QString("&Undo Add Variation\tCtrl+Z"));
    QVERIFY(w.Documents().Save(w.Document()));
    QVERIFY(ReadBytes(w.path).contains("( 1. Ra8# {#1 at depth "));

    // The engine killed from outside: the pane says so, and the game works on.
    QProcess::execute("pkill", {"-KILL", "-x", "-P",
                                QString::number(QCoreApplication::applicationPid()), "stockfish"});
    QTRY_COMPARE_WITH_TIMEOUT(pane->StatusText(), QString("The engine stopped unexpectedly."),
                              10000);
    QCOMPARE(w.frame->Engine().ProblemKind(), EngineProblem::Crashed);
    w.View()->OnGoToEnd();
    QCOMPARE(w.Game().m_plyCount, 2);
    QTest::mouseClick(Button(pane, "&Restart Engine"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(pane->StatusText().startsWith("Stockfish"), 10000);
}

void AnalysisTest::checkGameMarksOnlyWhatThePlayerLeftUnmarked() {
    {
        // Cancelled half way, the game is as it was.
        GameWindowFixture w;
        QVERIFY(w.Open("cancel.pgn", kBlunder));
        UseEngine(w, FakeEngine("ok"));
        w.prompts.cancelAt = 3;
        w.Command(res::kCmdCheckGame);
        QTRY_VERIFY_WITH_TIMEOUT(!w.frame->IsCheckingGame(), 10000);
        QCOMPARE(w.frame->statusBar()->currentMessage(),
                 QString("Check Game cancelled; the game is as it was."));
        QCOMPARE(w.prompts.progressTexts, QStringList{"Checking 7 moves with the engine..."});
        QVERIFY(!w.Document()->IsModified());
        QVERIFY(w.Documents().Save(w.Document()));
        QCOMPARE(ReadBytes(w.path).count('('), 0);
    }
    if (!HasStockfish()) QSKIP("Stockfish is not installed (Debian's package stockfish)");
    GameWindowFixture w;
    QVERIFY(w.Open("check.pgn", kBlunder));
    UseEngine(w, QString(), 300);
    w.Command(res::kCmdCheckGame);
    QVERIFY(w.frame->IsCheckingGame());
    QTRY_VERIFY_WITH_TIMEOUT(!w.frame->IsCheckingGame(), 60000);
    QCOMPARE(w.frame->Action(res::kCmdUndo)->text(), QString("&Undo Check Game\tCtrl+Z"));
    QVERIFY(w.Documents().Save(w.Document()));
    // A short search may find a better move than 3. Qh5 too: its "!" stays either way.
    const QByteArray saved = ReadBytes(w.path);
    QVERIFY(saved.contains("3. Qh5! \r\n") && saved.contains("Nf6?? \r\n( 3... "));
    w.Command(res::kCmdUndo);
    QCOMPARE(w.Game().GetMoveWithoutNumber(5), std::string("Nf6"));
    QVERIFY(w.Game().m_ply[5].variations.empty());
}

// A move the engine finds a better one for, where the player has written
// that move down already: the mark says why on the variation there.
void AnalysisTest::checkGameScoresAVariationAlreadyThere() {
    GameWindowFixture w;
    QVERIFY(w.Open("there.pgn", kBetterThere));
    UseEngine(w, FakeEngine("judge"));
    w.Command(res::kCmdCheckGame);
    QTRY_VERIFY_WITH_TIMEOUT(!w.frame->IsCheckingGame(), 10000);
    QCOMPARE(w.frame->statusBar()->currentMessage(),
             QString("Check Game: 1 moves marked, 0 better lines added, 1 score put on a line "
                     "already there."));
    QVERIFY(w.Documents().Save(w.Document()));
    const QByteArray saved = ReadBytes(w.path);
    QVERIFY2(saved.contains("1. d4?! \r\n( 1. e4 {The king's pawn. +0.40 at depth 9}\r\n") &&
                 saved.contains("( 1. e4 \r\nc5 \r\n)"),  // the second line as it was
             saved.constData());

    // Checked again, the score is not written twice; Undo takes it away.
    w.Command(res::kCmdCheckGame);
    QTRY_VERIFY_WITH_TIMEOUT(!w.frame->IsCheckingGame(), 10000);
    QCOMPARE(w.frame->statusBar()->currentMessage(),
             QString("Check Game: 0 moves marked, 0 better lines added."));
    w.Command(res::kCmdUndo);
    QCOMPARE(w.Game().GetMoveWithoutNumber(0), std::string("d4"));
    QCOMPARE(w.Game().m_ply[0].variations[0].plies[0].note, std::string("The king's pawn."));
}

QTEST_MAIN(AnalysisTest)
#include "AnalysisTest.moc"
