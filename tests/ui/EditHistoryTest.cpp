// Edits taken back and brought again, a move corrected, and games recovered after a crash.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QProcess>
#include <QtTest>
#include <cstdio>
#include <functional>

#include "GameWindowSupport.h"
#include "PgnWriter.h"
#include "RecoveryStore.h"

namespace {

// The game every row edits: a note, a variation, and moves after it.
const QByteArray kGame =
    "[Event \"Undo\"]\n[White \"Ann\"]\n\n1. e4 {Keep} e5 2. Nf3 (2. f4 exf4) 2... Nc6 *\n";

// The child process of the crash test: edits the game `path` names, waits
// for its recovery copy, says "ready" and runs until it is killed.
int EditAndWait(const QString& path) {
    GameWindowFixture w;
    qputenv("XDG_DATA_HOME", qgetenv("RAVELIN_TEST_DATA"));
    w.frame = std::make_unique<CMainFrame>();
    if (w.Documents().OpenDocument(path) == nullptr) return 2;
    w.View()->OnGoToEnd();
    w.Play("f1c4");
    QTest::keyClicks(w.View()->AnnotationBox(), "Recovered note");
    w.prompts.editHeader = [](std::array<QString, 7>& tags) { tags[4] = "Bea"; };
    w.Command(res::kCmdEditHeader);
    const QString copy = w.frame->Recovery().CopyPath(w.Document());
    if (!QTest::qWaitFor([&] { return QFile::exists(copy); }, 10000)) return 3;
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

// Rows of the move list: 0 the start, 1 e4, 2 e5, 3 Nf3, 4 f4, 5 exf4, 6 Nc6.
constexpr int kVariationRow = 4;

}  // namespace

class EditHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void everyEditIsUndoneAndRedoneInEveryWindow();
    void gamesOfAKilledInstanceAreRecoveredWhole();
    void aCopyThatCannotBeWrittenIsToldOnce();
};

void EditHistoryTest::everyEditIsUndoneAndRedoneInEveryWindow() {
    using W = GameWindowFixture;
    using Edit = std::function<void(W&)>;
    const auto play = [](const char* moves) { return Edit([=](W& w) { w.Play(moves); }); };
    const auto command = [](int id) { return Edit([=](W& w) { w.Command(id); }); };
    const auto both = [](Edit first, Edit then) { return Edit([=](W& w) { first(w), then(w); }); };
    const auto keys = [](QKeyCombination keys) {  // typed in the note box
        return Edit([=](W& w) {
            QTest::keyClick(w.View()->AnnotationBox(), keys.key(), keys.keyboardModifiers());
        });
    };
    struct Row {
        const char* undo;  // the Undo item after the edit
        int line;          // of the move list, clicked before the edit; -1 none
        Edit edit;
        const char* gained;  // in the file saved after it, and not before
        const char* lost;    // in the file before, and not after
    };
    const Row rows[] = {
        {"&Undo Move Bc4\tCtrl+Z", 6, play("f1c4"), "3. Bc4", ""},
        {"&Undo Move d4", 2,
         both([](W& w) { w.prompts.branchAnswers = {UserPrompts::BranchAnswer::Replace}; },
              play("d2d4")),
         "2. d4", "Nc6"},
        {"&Undo Move Bc4", 2, play("f1c4"), "( 2. Bc4", ""},
        {"&Undo Promote Variation", kVariationRow, command(res::kCmdPromoteVariation), "( 2. Nf3",
         "( 2. f4"},
        {"&Undo Delete Variation", kVariationRow, command(res::kCmdDeleteVariation), "", "exf4"},
        // Every key typed into one note is one step.
        {"&Undo Note", 2, [](W& w) { QTest::keyClicks(w.View()->AnnotationBox(), "Sharp"); },
         "{Sharp}", ""},
        {"&Undo Header", -1, command(res::kCmdEditHeader), "[White \"Bea\"]", "[White \"Ann\"]"},
        {"&Undo Flip Board", -1, command(res::kCmdFlipBoard), "", ""},
        {"&Undo Setup Position", -1,
         [](W& w) {
             w.Command(res::kCmdSetupPosition);
             w.prompts.setupAnswers.push_back({-1, -1});  // the a2 pawn taken off
             RightClick(w.View(), w.Centre("a2"));
             w.Command(res::kCmdSetupPosition);
         },
         "/1PPPPPPP/", "1. e4"},
        {"&Undo Paste", 3, command(res::kCmdPaste), "{Pasted}", ""},
        // Symbols and the diagram mark from the keyboard, the focus in the note box.
        {"&Undo Symbol !", 1, keys(Qt::CTRL | Qt::Key_1), "1. e4! {Keep}", "1. e4 {Keep}"},
        {"&Undo Symbol +=", 3, keys(Qt::ALT | Qt::Key_2), "2. Nf3 $14", ""},
        {"&Undo Diagram", 1,
         both(keys(Qt::CTRL | Qt::ALT | Qt::Key_D),
              [](W& w) { QCOMPARE(Box(w.View()), QString("[#] Keep")); }),
         "{[#] Keep}", ""},
        // A move corrected on the board keeps every later move.
        {"&Undo Correct Move", 1, both(command(res::kCmdCorrectMove), play("d2d4")), "1. d4 {Keep}",
         "1. e4"},
        // Typed, where a move of the variation no longer fits.
        {"&Undo Correct Move", 2,
         [](W& w) {
             w.Command(res::kCmdCorrectMove);
             w.prompts.typedMoves = {"d5"};
             w.Command(res::kCmdEnterMove);
             QCOMPARE(w.prompts.told.size(), 1);  // its sentence: GameLinesTest
             QVERIFY(w.prompts.told[0].startsWith("2... exf4 in a variation no longer fits"));
         },
         "( 1... e5", ""},
        // A drawing with the right button, on a note and where there was none.
        {"&Undo Arrow g1f3", 2,
         [](W& w) {
             QTest::mousePress(w.View(), Qt::RightButton, {}, w.Centre("g1"));
             QTest::mouseRelease(w.View(), Qt::RightButton, {}, w.Centre("f3"));
         },
         "e5 {[%cal Gg1f3]}", ""},
        {"&Undo Mark e4", 1,
         [](W& w) {
             QTest::mouseClick(w.View(), Qt::RightButton, Qt::ShiftModifier, w.Centre("e4"));
         },
         "{[%csl Re4] Keep}", "{Keep}"},
        {"&Undo Cut", 1, both(keys(Qt::CTRL | Qt::Key_A), command(res::kCmdCut)), "", "{Keep}"},
    };
    for (const Row& row : rows) {
        GameWindowFixture w;
        QVERIFY(w.Open("undo.pgn", kGame));
        w.Command(res::kCmdNewWindow);
        CVexilView* other = w.View();
        w.frame->Area()->setActiveSubWindow(w.frame->Area()->subWindowList().first());
        w.Command(res::kCmdSave);
        const QByteArray before = ReadBytes(w.path);
        QAction* undo = w.frame->Action(res::kCmdUndo);
        QAction* redo = w.frame->Action(res::kCmdRedo);
        QVERIFY(!undo->isEnabled());

        QVERIFY(QTest::qWaitForWindowActive(w.frame.get()));  // for the shortcuts
        // What the header dialog and Paste give, should the row ask for them.
        w.prompts.editHeader = [](std::array<QString, 7>& tags) { tags[4] = "Bea"; };
        QGuiApplication::clipboard()->setText("Pasted");
        if (row.line >= 0) ClickLine(w.View(), row.line);
        row.edit(w);
        QVERIFY2(undo->text().startsWith(row.undo), qPrintable(undo->text()));
        QVERIFY(w.Document()->IsModified());
        QTest::keyClick(w.frame.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(!w.Document()->IsModified(), row.undo);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(),
                 QString(row.undo).replace("Undo", "Redo").section('\t', 0, 0) + "\tCtrl+Y");
        w.Command(res::kCmdSave);
        QCOMPARE(ReadBytes(w.path), before);
        QCOMPARE(other->MoveList()->count(), 7);  // the other window shows the game undone

        QTest::keyClick(w.frame.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY2(w.Document()->IsModified(), row.undo);
        w.Command(res::kCmdSave);
        const QByteArray after = ReadBytes(w.path);
        for (const auto& [text, inBefore, inAfter] :
             {std::tuple{row.gained, false, true}, std::tuple{row.lost, true, false}})
            if (*text != '\0') {
                QVERIFY2(before.contains(text) == inBefore, text);
                QVERIFY2(after.contains(text) == inAfter, after.constData());
            }
        QCOMPARE(other->MoveList()->count(), w.View()->MoveList()->count());
        // Saved after the redo: the step undone again is a change.
        w.Command(res::kCmdUndo);
        QVERIFY(w.Document()->IsModified());
    }
}

void EditHistoryTest::gamesOfAKilledInstanceAreRecoveredWhole() {
    GameWindowFixture w;
    const QString data = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    w.path = w.folder.filePath("undo.pgn");
    WriteBytes(w.path, kGame);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("RAVELIN_TEST_DATA", data);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--edit-and-wait", w.path});
    QVERIFY(child.waitForReadyRead(60000));
    QCOMPARE(child.readAllStandardOutput(), QByteArray("ready\n"));

    // While it runs, its copy is its own.
    const QString folder = w.frame->Recovery().Folder();
    QCOMPARE(w.frame->Recovery().OfferRecovery(), 0);
    QCOMPARE(QDir(folder).entryList({"*.pgn"}).size(), 1);
    // Killed: nothing reached the user's file, everything is recovered.
    child.kill();
    QVERIFY(child.waitForFinished());
    WriteBytes(folder + "/12-34.1.pgn", "Ravelin recovery 1\npath=%%%\n");
    QCOMPARE(w.frame->Recovery().OfferRecovery(), 1);
    QCOMPARE(w.prompts.recoveryQuestions,
             QStringList("Ravelin can recover 1 game that was not saved when it last stopped. "
                         "Recover it, or discard it?"));
    QCOMPARE(w.prompts.told,
             QStringList("A recovery copy could not be read. It was kept aside as " +
                         QDir::toNativeSeparators(folder) + "/12-34.1.pgn.damaged."));
    QCOMPARE(ReadBytes(w.path), kGame);
    QCOMPARE(w.Document()->Title(), QString("undo.pgn"));
    QVERIFY(w.Document()->IsModified());
    w.Command(res::kCmdSave);
    const QByteArray saved = ReadBytes(w.path);
    for (const char* kept :
         {"[White \"Bea\"]", "1. e4 {Keep}", "( 2. f4", "3. Bc4 {Recovered note}"})
        QVERIFY2(saved.contains(kept), kept);
    // Saved, the game needs no copy, and the one taken over is gone.
    w.frame->Recovery().WriteDue();
    QCOMPARE(QDir(folder).entryList({"*.pgn"}), QStringList());
}

void EditHistoryTest::aCopyThatCannotBeWrittenIsToldOnce() {
    GameWindowFixture w;
    WriteBytes(w.folder.filePath("file"), "not a folder");
    qputenv("XDG_DATA_HOME", QFile::encodeName(w.folder.filePath("file")));
    w.frame = std::make_unique<CMainFrame>();
    w.NewGame();
    for (const char* move : {"e2e4", "e7e5", "g1f3"}) {
        w.Play(move);
        w.frame->Recovery().WriteDue();
    }
    QCOMPARE(w.prompts.warned.size(), 1);
    QVERIFY2(w.prompts.warned[0].startsWith("Ravelin cannot keep recovery copies of your unsaved "
                                            "games in "),
             qPrintable(w.prompts.warned[0]));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--edit-and-wait")
        return EditAndWait(QString::fromLocal8Bit(argv[2]));
    EditHistoryTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "EditHistoryTest.moc"
