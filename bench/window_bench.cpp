// Every user action on a game window, measured through real events on the
// heaviest game a record holds: 300 plies with a 4096-character note on every
// ply, opened from a file as the user opens it. For each action: the median
// and the worst time of the handling alone (the events delivered and all the
// program does for them) and of the handling with the window painted
// (QWidget::repaint of the board view and its boxes, then the events the
// action left queued).
//   window_bench [REPS=200] [OPEN_REPS=20]
// Runs offscreen unless QT_QPA_PLATFORM says otherwise. With
// RAVELIN_BENCH_ENGINE set, the analysis pane is open on the game throughout,
// Stockfish searching on two threads, and the time from a new position to the
// engine's first line shown is measured last.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "AnalysisPane.h"
#include "CChildFrame.h"
#include "EngineProcess.h"
#include "GameWindowSupport.h"
#include "LegalMoves.h"
#include "LongGame.h"
#include "RecoveryStore.h"

namespace {

struct Times {
    std::vector<qint64> handling, painted;
};

[[noreturn]] void Fail(const QString& why) {
    std::fprintf(stderr, "window_bench: %s\n", qPrintable(why));
    std::exit(1);
}

// Everything queued by earlier steps, handled outside the timed part.
void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Times one action: its handling, then the paint of the view it leaves.
void Measure(Times& times, CVexilView* view, const std::function<void()>& action) {
    Settle();
    QElapsedTimer timer;
    timer.start();
    action();
    const qint64 handled = timer.nsecsElapsed();
    view->repaint();
    QCoreApplication::processEvents();
    times.painted.push_back(timer.nsecsElapsed());
    times.handling.push_back(handled);
}

double Ms(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

void Report(const char* action, Times times) {
    auto median = [](std::vector<qint64>& v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const qint64 handledMedian = median(times.handling);
    const qint64 paintedMedian = median(times.painted);
    std::printf("%-44s %5zu %10.3f %10.3f %10.3f %10.3f\n", action, times.handling.size(),
                Ms(handledMedian), Ms(times.handling.back()), Ms(paintedMedian),
                Ms(times.painted.back()));
}

QPushButton* Button(CVexilView* view, const QString& text) {
    for (QPushButton* button : view->findChildren<QPushButton*>())
        if (button->text() == text) return button;
    Fail(QStringLiteral("no %1 button").arg(text));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The recent-file list the openings add to goes to a folder of our own.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    app.setOrganizationName(QStringLiteral("Ravelin"));
    app.setApplicationName(QStringLiteral("Ravelin"));
    const int reps = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
    const int openReps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    GameWindowFixture window;
    if (!QTest::qWaitForWindowExposed(window.frame.get())) Fail("the main window never showed");
    // Two copies, opened in turn, so that every opening puts a new file at the
    // head of the recent-file list, as opening another game does.
    const QString paths[2] = {window.folder.filePath(QStringLiteral("long.pgn")),
                              window.folder.filePath(QStringLiteral("long-2.pgn"))};
    for (const QString& file : paths)
        if (!WriteLongGame(file.toStdString())) Fail("cannot write the long game");
    const QString& path = paths[0];

    std::printf("game: 300 plies, a 4096-character note on every ply; platform %s\n",
                qPrintable(QGuiApplication::platformName()));
    std::printf("%-44s %5s %10s %10s %10s %10s\n", "action (ms)", "reps", "median", "worst",
                "+paint med", "+paint wst");

    // Opening: read, replay, list filled, then the first paint; with a new
    // game's window open beside it, as the program starts with one.
    if (window.NewGame() == nullptr) Fail("no new game");
    Times opening;
    for (int i = 0; i < openReps; ++i) {
        Settle();
        QElapsedTimer timer;
        timer.start();
        CVexilDoc* document = window.Documents().OpenDocument(paths[i % 2]);
        const qint64 opened = timer.nsecsElapsed();
        if (document == nullptr)
            Fail("the long game does not open: " + window.prompts.Transcript());
        window.View()->repaint();
        QCoreApplication::processEvents();
        opening.painted.push_back(timer.nsecsElapsed());
        opening.handling.push_back(opened);
        if (window.View()->MoveList()->count() != 301) Fail("the list does not hold 300 plies");
        window.Documents().CloseDocument(document);
    }
    Report("open the file (read, replay, list)", opening);

    // Two parts of opening, timed alone: the document reading and replaying
    // its file, and the recent-file list written to the settings.
    Times reading, recent;
    for (int i = 0; i < openReps; ++i) {
        QElapsedTimer timer;
        timer.start();
        CVexilDoc document;
        if (const LoadResult result = document.Load(paths[i % 2]); !result.Loaded())
            Fail(QString::fromStdString(result.message));
        reading.handling.push_back(timer.nsecsElapsed());
        reading.painted.push_back(reading.handling.back());
        timer.restart();
        window.Documents().Recent().Add(paths[i % 2]);
        recent.handling.push_back(timer.nsecsElapsed());
        recent.painted.push_back(recent.handling.back());
    }
    Report("  part: read and replay (CVexilDoc::Load)", reading);
    Report("  part: store the recent-file list", recent);

    if (window.Documents().OpenDocument(path) == nullptr) Fail("the long game does not open");
    Settle();
    const bool withEngine = qEnvironmentVariableIsSet("RAVELIN_BENCH_ENGINE");
    AnalysisPane* pane = window.frame->Analysis();
    auto awaitLine = [&] {
        QElapsedTimer waited;
        waited.start();
        while (pane->LineTexts().isEmpty() && waited.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (pane->LineTexts().isEmpty()) Fail("no engine line: " + pane->StatusText());
    };
    if (withEngine) {
        UserPrompts::EngineChoice choice;
        choice.threads = 2;
        EngineProcess::StoreChoice(choice);
        window.Command(res::kCmdAnalysis);
        awaitLine();
        std::printf("with %s searching on 2 threads all along\n",
                    qPrintable(pane->StatusText()));
    }
    CVexilView* view = window.View();
    QListWidget* list = view->MoveList();
    QPlainTextEdit* note = view->AnnotationBox();
    const CGameRecord& game = window.Document()->Game();
    const PlyRecord ply299 = game.m_ply[298];
    const PlyRecord ply300 = game.m_ply[299];

    // A move that replaces the last two plies (answered Replace), then a
    // move at the end that makes 300 plies again, then both undone.
    CGameRecord probe = view->Game();
    probe.RestorePly(297);
    probe.m_curPly = 298;
    LegalMove replacing{};
    for (const LegalMove& move : LegalMoves(probe, probe.m_sideToMove))
        if (!move.promotes && !move.castling &&
            (move.move.from != Square(ply299.fromFile, ply299.fromRank) ||
             move.move.to != Square(ply299.toFile, ply299.toRank))) {
            replacing = move;
            break;
        }
    auto dragMove = [&](const LegalMove& move) {
        window.Press(view->SquareCentre(move.move.from.file, move.move.from.rank));
        window.Release(view->SquareCentre(move.move.to.file, move.move.to.rank));
    };
    Times replacings, appending, undoing;
    for (int i = 0; i < reps; ++i) {
        list->setCurrentRow(298);
        window.prompts.branchAnswers.assign(1, UserPrompts::BranchAnswer::Replace);
        window.prompts.branchQuestions.clear();
        Measure(replacings, view, [&] { dragMove(replacing); });
        if (window.prompts.branchQuestions.size() != 1 || game.m_plyCount != 299)
            Fail("the move at line 298 did not replace the last plies");
        CGameRecord after = view->Game();
        const std::vector<LegalMove> next = LegalMoves(after, after.m_sideToMove);
        if (next.empty()) Fail("no move after the replacing one");
        Measure(appending, view, [&] { dragMove(next.front()); });
        if (game.m_plyCount != 300 || list->count() != 301)
            Fail("the last move was not recorded: " + window.prompts.Transcript());
        for (int step = 0; step < 2; ++step)
            Measure(undoing, view, [&] { window.Command(res::kCmdUndo); });
        if (game.m_plyCount != 300 || game.m_ply[298].toFile != ply299.toFile ||
            game.m_ply[299].toFile != ply300.toFile)
            Fail("Undo did not bring the game back");
    }
    Report("move replacing ply 299 (asks; 2 lines off)", replacings);
    Report("move at the end (ply 300)", appending);
    Report("Undo of one of them", undoing);

    // One keystroke in the note box of ply 150: Backspace, then the character
    // back; each stores the note and publishes the whole game.
    list->setCurrentRow(151);
    Settle();
    note->moveCursor(QTextCursor::End);
    const std::string full = game.m_ply[150].note;
    const QChar last = QChar::fromLatin1(full.back());
    Times typing;
    for (int i = 0; i < reps; ++i) {
        const bool erase = i % 2 == 0;
        Measure(typing, view, [&] {
            if (erase)
                QTest::keyClick(note, Qt::Key_Backspace);
            else
                QTest::keyClick(note, last.toLatin1());
        });
        if (game.m_ply[150].note.size() != full.size() - (erase ? 1 : 0))
            Fail("the keystroke did not reach the stored note");
    }
    if (game.m_ply[150].note != full) Fail("the note did not come back whole");
    Report("keystroke in a 4096-character note", typing);

    // The recovery copy a keystroke makes due, written as the timer would:
    // the whole game with its notes, renamed into place.
    Times copying;
    for (int i = 0; i < reps / 4 + 1; ++i) {
        QTest::keyClick(note, Qt::Key_Backspace);
        Measure(copying, view, [&] { window.frame->Recovery().WriteDue(false); });
        window.frame->Recovery().WriteDue();  // the writing thread's part, not the window's
        if (!QFile::exists(window.frame->Recovery().CopyPath(window.Document())))
            Fail("no recovery copy was written");
        // Typed back, the game is as saved and its copy goes.
        QTest::keyClick(note, last.toLatin1());
    }
    if (game.m_ply[150].note != full) Fail("the note did not come back whole");
    Report("  recovery copy, the window's part (every 2 s)", copying);

    // A selection change in the move list, as the user makes it.
    Times selecting;
    for (int i = 0; i < reps; ++i) {
        const int line = i % 2 == 0 ? 150 : 151;
        Measure(selecting, view, [&] { list->setCurrentRow(line); });
        if (view->Game().m_curPly != line) Fail("the selection did not show its position");
    }
    Report("selection change in the move list", selecting);

    // Part of it, timed alone: a plain QPlainTextEdit of the note box's size
    // taking the 4096-character note, which Qt lays out as one paragraph.
    QPlainTextEdit plain(view);
    plain.setGeometry(note->geometry());
    plain.show();
    const QString noteText = QString::fromStdString(game.m_ply[150].note);
    Times layout;
    for (int i = 0; i < reps; ++i) {
        plain.clear();
        Measure(layout, view, [&] { plain.setPlainText(noteText); });
    }
    plain.hide();
    Report("  part: Qt's text box taking the note", layout);

    QPushButton* toStart = Button(view, QStringLiteral("<|"));
    QPushButton* toEnd = Button(view, QStringLiteral("|>"));
    Times starting, ending;
    for (int i = 0; i < reps; ++i) {
        Measure(starting, view, [&] { QTest::mouseClick(toStart, Qt::LeftButton); });
        if (view->Game().m_curPly != 0) Fail("<| did not go to the start");
        Measure(ending, view, [&] { QTest::mouseClick(toEnd, Qt::LeftButton); });
        if (view->Game().m_curPly != 300) Fail("|> did not go to the end");
    }
    Report("\"<|\" (to the start)", starting);
    Report("\"|>\" (to the end)", ending);

    // Part of them, timed alone: the handlers without the click, whose press
    // Qt answers by repainting the pressed button at once.
    Times handlers;
    for (int i = 0; i < reps; ++i)
        Measure(handlers, view, [&] { i % 2 == 0 ? view->OnGoToStart() : view->OnGoToEnd(); });
    Report("  part: OnGoToStart / OnGoToEnd alone", handlers);

    // Resizing with a variation tree in the game: twenty variations of 60
    // plies on the first move, listed as the game window lists them.
    {
        auto tree = std::make_unique<CGameRecord>(window.Document()->Game());
        Variation variation;
        for (int i = 0; i < 60; ++i) variation.plies.push_back(tree->m_ply[i]);
        for (int v = 0; v < 20; ++v) tree->m_ply[0].variations.push_back(variation);
        window.Document()->PublishGame(*tree, "Tree", "");
        view->CatchUp();
    }
    auto* frame = static_cast<CChildFrame*>(window.frame->Area()->activeSubWindow());
    window.frame->resize(1900, 1000);
    Settle();
    const QSize sizes[] = {{900, 600}, {1200, 800}, {1500, 900}, {1000, 950}};
    Times resizing, maximising, splitting;
    for (int i = 0; i < reps; ++i) {
        // Each a board size not drawn before, as a drag on the window's edge gives.
        const QSize size = sizes[i % 4] + QSize(i % 37, i % 29);
        Measure(resizing, view, [&] { frame->resize(size); });
        Measure(maximising, view,
                [&] { i % 2 == 0 ? frame->showMaximized() : frame->showNormal(); });
    }
    frame->showMaximized();
    Settle();
    for (int i = 0; i < reps; ++i)
        Measure(splitting, view, [&] { view->SetBoardShare(0.3 + 0.6 * (i % 50) / 50.0); });
    view->SetBoardShare(1.0);
    Report("resize the game window (new board size)", resizing);
    Report("maximise and restore it", maximising);
    Report("drag the split (new board size)", splitting);

    if (withEngine) {
        // From a position chosen in the list to the engine's first line on it.
        Times first;
        for (int i = 0; i < 40; ++i) {
            Settle();
            QElapsedTimer timer;
            timer.start();
            list->setCurrentRow(100 + i * 3);
            if (!pane->LineTexts().isEmpty()) Fail("a line of the position before was shown");
            awaitLine();
            first.handling.push_back(timer.nsecsElapsed());
            first.painted.push_back(first.handling.back());
        }
        Report("engine: first line for a new position", first);
    }

    window.prompts.saveAnswers.assign(8, UserPrompts::SaveAnswer::No);
    return 0;
}
