// The shell: menu bars, titles, windows, recent files across runs, Exit, command line, printing.
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>
#include <algorithm>
#include <thread>

#include "CHelpDlg.h"
#include "CShortcutsDlg.h"
#include "CVexilApp.h"
#include "GameWindowSupport.h"
#include "QtUserPrompts.h"

namespace {

const char kGame[] = "[Event \"Shell\"]\n\n1. e4 e5 2. Nf3 *\n";

// What the shell shows: window titles, or the recent-file entries of the File menu.
QStringList Shown(CMainFrame& frame, bool recentFiles = false) {
    QStringList shown;
    for (QMdiSubWindow* window : frame.Area()->subWindowList())
        if (!recentFiles) shown.append(TitleShown(window));
    for (int i = 0; i < 4 && recentFiles; ++i) {
        QAction* action = frame.Action(res::kCmdRecentFile1 + i);
        if (action->isVisible() && action->isEnabled()) shown.append(action->text());
    }
    return shown;
}

// Answers the next of Qt's own message boxes with `button`, Escape if it has none, noting its
// caption, text and number of buttons; `owner` ends the wait.
void AnswerBox(QObject* owner, QMessageBox::StandardButton button, QStringList& seen) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [timer, button, &seen] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(top);
            if (box == nullptr || !box->isVisible()) continue;
            timer->deleteLater();
            seen << box->windowTitle() << box->text() << QString::number(box->buttons().size());
            if (QAbstractButton* answer = box->button(button))
                answer->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
    });
    timer->start(10);
}

// The entry of the Help menu the menu bar shows whose text, without marks and keys, is `text`.
QAction* HelpEntry(CMainFrame& frame, const QString& text) {
    for (QAction* menu : frame.menuBar()->actions())
        for (QAction* entry : menu->text() == "&Help" ? menu->menu()->actions() : QList<QAction*>())
            if (entry->text().remove('&').section('\t', 0, 0) == text) return entry;
    return nullptr;
}

struct Shell : GameWindowFixture {
    Shell() {
        if (!QTest::qWaitForWindowActive(frame.get())) qWarning("main window not active");
    }
    void Keys(QKeyCombination keys) {
        QTest::keyClick(frame.get(), keys.key(), keys.keyboardModifiers());
    }
};

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QSettings().remove("Recent File List");
        QSettings().remove("Settings/MainWindow");
    }
    void menusUndoAndFlipFollowTheGameWindows();
    void titlesAndTilingOfTheGameWindows();
    void everyTitleMarksUnsavedChanges();
    void mainWindowComesBackWhereItWas();
    void recentFilesSurviveARestartAndHoldFour();
    void exitAsksForEachModifiedGame();
    void commandLineOpensTheFileOrTellsWhyInAnEmptyWindow();
    void printsAndExports();
    void publishesTheScoreAndTheBoard();
    void savesThroughLinksAndAsksBeforeReplacingGames();
    void qtsOwnBoxesAskAndTell();
    void helpListsEveryShortcutAndShowsTheGuide();
    void picturesDrawnAheadAreTheOnesDrawnWhenAsked();
};

void ShellTest::menusUndoAndFlipFollowTheGameWindows() {
    Shell shell;
    QCOMPARE(shell.frame->menuBar()->actions().size(), 3);  // File, View, Help
    shell.Keys(Qt::CTRL | Qt::Key_N);
    QCOMPARE(shell.frame->menuBar()->actions().size(), 6);  // and Edit, Window, Options
    const std::pair<Qt::Key, QString> letters[] = {
        {Qt::Key_F, "File"},   {Qt::Key_E, "Edit"}, {Qt::Key_V, "View"},
        {Qt::Key_W, "Window"}, {Qt::Key_H, "Help"}, {Qt::Key_O, "Options"},
    };
    for (const auto& [key, title] : letters) {  // each menu opens with Alt and its own letter
        shell.Keys(Qt::ALT | key);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY2(menu != nullptr && menu->title().remove('&') == title, qPrintable(title));
        menu->close();
    }

    // Every Undo and Redo key works in the note box too: the note typed is
    // one step, the move another.
    shell.Play("e2e4");
    QPlainTextEdit* box = shell.View()->AnnotationBox();
    QTest::keyClicks(box, "Open");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Box(shell.View()), QString());
    QTest::keyClick(box, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(shell.Lines().size(), 1);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(shell.Lines().size(), 2);
    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
    ClickLine(shell.View(), 1);  // each window keeps the position it showed
    QCOMPARE(Box(shell.View()), QString("Open"));
    QVERIFY(!shell.frame->Action(res::kCmdRedo)->isEnabled());

    // Flip Board's check mark shows the active window's board.
    shell.Command(res::kCmdFlipBoard);
    shell.Keys(Qt::CTRL | Qt::Key_N);
    QVERIFY(!shell.frame->Action(res::kCmdFlipBoard)->isChecked());
    shell.frame->Area()->setActiveSubWindow(shell.frame->Area()->subWindowList().first());
    QVERIFY(shell.frame->Action(res::kCmdFlipBoard)->isChecked());
}

void ShellTest::titlesAndTilingOfTheGameWindows() {
    Shell shell;
    QCOMPARE(TitleShown(shell.frame.get()), QString("Ravelin"));
    shell.Keys(Qt::CTRL | Qt::Key_N);
    auto* first = static_cast<CChildFrame*>(shell.frame->Area()->subWindowList().first());
    const QSize whole = first->FormFrameSize();
    QCOMPARE(first->height(), qMax(330, whole.height()));  // 330 where the form fits
    shell.Command(res::kCmdNewWindow);
    shell.Keys(Qt::CTRL | Qt::Key_N);
    QCOMPARE(Shown(*shell.frame), (QStringList{"Untitled1:1", "Untitled1:2", "Untitled2"}));
    QCOMPARE(TitleShown(shell.frame.get()), QString("Ravelin - Untitled2"));
    // Saving renames every window of the document; with one left the number goes.
    shell.frame->Area()->setActiveSubWindow(first);
    shell.prompts.saveNames.push_back(shell.folder.filePath("named.pgn"));
    shell.Keys(Qt::CTRL | Qt::Key_S);
    first->close();
    QTRY_COMPARE(Shown(*shell.frame), (QStringList{"named.pgn", "Untitled2"}));

    // Five windows tiled: two columns, the second taking the third row.
    shell.frame->resize(1600, 1000);
    const int half = shell.frame->Area()->viewport()->width() / 2;
    for (int i = 0; i < 3; ++i) shell.Keys(Qt::CTRL | Qt::Key_N);
    shell.Command(res::kCmdTile);
    QList<int> columns;
    for (QMdiSubWindow* window : shell.frame->Area()->subWindowList()) columns.append(window->x());
    QCOMPARE(columns, (QList<int>{0, 0, half, half, half}));
    // Cascaded, every window shows its whole form, not cut and not padded.
    shell.Command(res::kCmdCascade);
    for (QMdiSubWindow* window : shell.frame->Area()->subWindowList())
        QCOMPARE(window->widget()->size(), static_cast<CChildFrame*>(window)->View()->FormSizeFor(
                                               CVexilView::PreferredSquare()));
}

void ShellTest::everyTitleMarksUnsavedChanges() {
    Shell shell;
    CVexilView* view = shell.Open("a&b [*].pgn", kGame);
    QVERIFY(view != nullptr);
    shell.Command(res::kCmdNewWindow);
    QMenu* windows = nullptr;
    for (QAction* menu : shell.frame->menuBar()->actions())
        if (menu->text() == "&Window") windows = menu->menu();
    QVERIFY(windows != nullptr);
    // The main window's title, each game window's and the Window menu's entries.
    const auto titles = [&] {
        emit windows->aboutToShow();
        QStringList seen{TitleShown(shell.frame.get())};
        for (QMdiSubWindow* window : shell.frame->Area()->subWindowList())
            seen << TitleShown(window);
        for (QAction* entry : windows->actions().mid(5)) seen << entry->text();
        return seen.join(" | ");
    };
    const QString clean =
        "Ravelin - a&b [*].pgn:2 | a&b [*].pgn:1 | a&b [*].pgn:2 | "
        "&1 a&&b [*].pgn:1 | &2 a&&b [*].pgn:2";
    QCOMPARE(titles(), clean);
    shell.Play("b1c3");  // every title marked
    QCOMPARE(titles(), QString(clean).replace(QRegularExpression("(:\\d)"), "\\1*"));
    shell.Command(res::kCmdUndo);  // back to the game as saved
    QCOMPARE(titles(), clean);
    QTest::keyClicks(shell.View()->AnnotationBox(), "x");
    QVERIFY(titles().endsWith(":2*"));
    shell.Keys(Qt::CTRL | Qt::Key_S);
    QCOMPARE(titles(), clean);
}

void ShellTest::mainWindowComesBackWhereItWas() {
    Shell shell;
    shell.frame->setGeometry(30, 40, 700, 500);
    shell.frame->close();
    shell.frame = std::make_unique<CMainFrame>();
    QCOMPARE(shell.frame->geometry(), QRect(30, 40, 700, 500));
    // Left on a screen that is gone, it comes back onto the one there is.
    shell.frame->move(5000, 4000);
    shell.frame->close();
    shell.frame = std::make_unique<CMainFrame>();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(shell.frame->frameGeometry().topLeft()),
             qPrintable(QString("%1,%2").arg(shell.frame->x()).arg(shell.frame->y())));
}

void ShellTest::recentFilesSurviveARestartAndHoldFour() {
    Shell shell;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        const QString path = shell.folder.filePath(QString("%1.pgn").arg(name));
        WriteBytes(path, kGame);
        shell.prompts.openNames.push_back(path);
        shell.Keys(Qt::CTRL | Qt::Key_O);
    }
    // The next run finds the same list and opens its entries.
    shell.frame->close();
    shell.frame = std::make_unique<CMainFrame>();
    shell.frame->show();
    QCOMPARE(Shown(*shell.frame, true),
             (QStringList{"&1 e.pgn", "&2 d.pgn", "&3 c.pgn", "&4 b.pgn"}));
    shell.Command(res::kCmdRecentFile1 + 3);
    QCOMPARE(TitleShown(shell.frame.get()), QString("Ravelin - b.pgn"));
    // An entry whose file is gone says so and leaves the list, for good.
    QVERIFY(QFile::remove(shell.folder.filePath("d.pgn")));
    shell.Command(res::kCmdRecentFile1 + 2);
    QCOMPARE(shell.prompts.told, QStringList{"Failed to open document."});
    shell.frame->close();
    shell.frame = std::make_unique<CMainFrame>();
    QCOMPARE(Shown(*shell.frame, true), (QStringList{"&1 b.pgn", "&2 e.pgn", "&3 c.pgn"}));
}

void ShellTest::exitAsksForEachModifiedGame() {
    using Answer = UserPrompts::SaveAnswer;
    struct Row {
        std::vector<Answer> answers;
        int asked;
        QStringList saved;
    };
    const Row rows[] = {
        {{Answer::Yes, Answer::Yes}, 2, {"one.pgn", "two.pgn"}},
        {{Answer::Cancel}, 1, {}},
        {{Answer::Yes, Answer::Cancel}, 2, {"one.pgn"}},
    };
    for (const Row& row : rows) {
        Shell shell;
        for (int game = 0; game < 2; ++game) {
            shell.Keys(Qt::CTRL | Qt::Key_N);
            shell.Play("e2e4");
        }
        shell.prompts.saveAnswers.assign(row.answers.begin(), row.answers.end());
        shell.prompts.saveNames = {shell.folder.filePath("one.pgn"),
                                   shell.folder.filePath("two.pgn")};
        shell.Command(res::kCmdExit);
        const bool cancelled = row.answers.back() == Answer::Cancel;
        QCOMPARE(shell.prompts.saveQuestions,
                 QStringList({"Untitled1", "Untitled2"}).mid(0, row.asked));
        QCOMPARE(shell.frame->isVisible(), cancelled);
        QTRY_COMPARE(shell.frame->Area()->subWindowList().size(), cancelled ? 2 : 0);
        QCOMPARE(QDir(shell.folder.path()).entryList(QDir::Files), row.saved);
    }
}

void ShellTest::commandLineOpensTheFileOrTellsWhyInAnEmptyWindow() {
    QTemporaryDir folder;
    WriteBytes(folder.filePath("good.pgn"), kGame);
    auto* app = static_cast<CVexilApp*>(qApp);
    for (const char* name : {"missing.pgn", "good.pgn"}) {
        ScriptedPrompts prompts;
        const bool good = name[0] == 'g';
        QVERIFY(app->InitInstance({folder.filePath(name)}));
        QVERIFY(app->MainFrame()->isVisible());
        QCOMPARE(prompts.told, good ? QStringList() : QStringList{"Failed to open document."});
        QCOMPARE(app->MainFrame()->Area()->subWindowList().size(), good ? 1 : 0);
        QCOMPARE(TitleShown(app->MainFrame()), good ? "Ravelin - good.pgn" : "Ravelin");
        app->MainFrame()->close();
    }
}

void ShellTest::printsAndExports() {
    Shell shell;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(shell.folder.filePath("board.pdf"));
    QVERIFY(!shell.frame->PrintActiveView(printer));  // no game window
    QVERIFY(shell.Open("game.pgn", kGame) && shell.frame->PrintActiveView(printer));
    QVERIFY(ReadBytes(shell.folder.filePath("board.pdf")).startsWith("%PDF-"));

    // The export is offered a name beside the game's file; its own it refuses.
    shell.prompts.exportNames = {shell.path, shell.folder.filePath("out.pgn")};
    shell.Command(res::kCmdExportPgn);
    QCOMPARE(shell.prompts.exportSuggestions,
             QStringList{shell.folder.filePath("game-export.pgn")});
    QCOMPARE(shell.prompts.warned, QStringList{"The export cannot replace the game's own file. "
                                               "Choose another name for it."});
    shell.Command(res::kCmdExportPgn);
    QCOMPARE(ReadBytes(shell.folder.filePath("out.pgn")),
             "[Event \"Shell\"]\r\n[Site \"?\"]\r\n[Date \"????.??.??\"]\r\n[Round \"?\"]\r\n"
             "[White \"?\"]\r\n[Black \"?\"]\r\n[Result \"*\"]\r\n[ECO \"C40\"]\r\n"
             "[Opening \"King's Knight Opening\"]\r\n\r\n1. e4 e5 2. Nf3 *\r\n");
    QCOMPARE(ReadBytes(shell.path), QByteArray(kGame));
}

void ShellTest::publishesTheScoreAndTheBoard() {
    Shell shell;
    QSettings().remove("Settings/ScoreFigurines");
    // The board shown at the start: the picture's size, and a light and a dark
    // empty square's colour at their centres (e4 and d4, squares of 25 pixels).
    shell.Keys(Qt::CTRL | Qt::Key_N);
    shell.prompts.boardImageAnswers = {{200, false}, {300, true}};
    shell.prompts.imageNames = {shell.folder.filePath("board.png"),
                                shell.folder.filePath("board.svg")};
    shell.Command(res::kCmdExportBoardImage);
    const QImage png(shell.folder.filePath("board.png"));
    QCOMPARE(png.size(), QSize(200, 200));
    QCOMPARE(png.pixel(112, 112), qRgb(0xEE, 0xD8, 0xB0));
    QCOMPARE(png.pixel(87, 112), qRgb(0xB5, 0x88, 0x63));
    shell.Command(res::kCmdExportBoardImage);  // the last answers are offered again
    QCOMPARE(shell.prompts.boardImagePresets,
             (std::vector<std::pair<int, bool>>{{480, true}, {200, false}}));
    QVERIFY(QSvgRenderer(shell.folder.filePath("board.svg")).isValid());
    shell.Command(res::kCmdCopyBoardImage);
    QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(300, 300));

    // The score of a real annotated game, read back from the PDF: every move
    // and note in order, a Black move numbered again after a note or a line.
    const QByteArray game =
        ReadBytes(RAVELIN_SHARED_DIR "/pgn/good/pgn-extract/barnes-horton.001.pgn");
    if (game.isEmpty()) QSKIP("the shared games are absent");
    QVERIFY(shell.Open("barnes-horton.pgn", game));
    shell.prompts.pdfNames = {shell.folder.filePath("none/score.pdf"),
                              shell.folder.filePath("score.pdf")};
    shell.prompts.exportSuggestions.clear();
    shell.Command(res::kCmdExportScorePdf);
    QCOMPARE(shell.prompts.told, QStringList{"The game score could not be written to this file:\n" +
                                             shell.folder.filePath("none/score.pdf")});
    shell.Command(res::kCmdExportScorePdf);
    // Never over a game's own file.
    shell.prompts.pdfNames = {shell.path};
    shell.Command(res::kCmdExportScorePdf);
    QCOMPARE(ReadBytes(shell.path), game);
    QCOMPARE(shell.prompts.warned.last(),
             "A score or a picture cannot replace an open game's file. Choose another name.");
    QCOMPARE(shell.prompts.exportSuggestions,
             QStringList(3, shell.folder.filePath("barnes-horton.pdf")));
    QVERIFY(ReadBytes(shell.folder.filePath("score.pdf")).startsWith("%PDF-"));
    shell.Command(res::kCmdFigurines);
    QVERIFY(QSettings().value("Settings/ScoreFigurines").toBool());
    shell.Command(res::kCmdFigurines);
    const QString reader = QStandardPaths::findExecutable("pdftotext");
    if (reader.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess process;
    process.start(reader, {shell.folder.filePath("score.pdf"), "-"});
    QVERIFY(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput()).simplified();
    // The moves and tags are the game's facts; its notes are read from the file.
    QStringList notes;
    const QRegularExpression braces("\\{([^}]*)\\}");
    for (auto it = braces.globalMatch(QString::fromUtf8(game)); it.hasNext();)
        notes << it.next().captured(1).simplified();
    QCOMPARE(notes.size(), 4);
    const QString expected =
        QString(
            "Barnes, David J. \u2013 Horton, Mark Dover vs Herne Bay, Minor League, "
            "1994.10.10, \u00BD-\u00BD %1 "
            "1. b3 e5 2. Bb2 d6 3. d4 exd4 4. Qxd4 Nc6 5. Qd2 Nf6 6. Nc3 Be6 7. e4 d5 8. exd5 "
            "Bxd5 9. Qe3+ Be7 10. Nf3 O-O 11. Be2 Re8 12. O-O-O Bb4 13. Qd3 Bxc3 14. Bxc3 Qe7 "
            "15. Rhe1 Ne4 16. Bb2 Rad8 17. Qe3 b6 18. Bb5 Qe6 19. Nd4 Nxd4 20. Rxd4 c5 "
            "21. Rxe4 Bxe4 22. Bxe8 %2 22... Rxe8 23. f3 Bd5 24. Qxe6 Rxe6 25. Rxe6 Bxe6 "
            "26. Kd2 Kf8 27. Be5 b5 28. Bb8? 28. Bd6+ %3 28... a6 29. Ba7 c4 30. Kc3 Ke7 "
            "31. Kd4 Kd6 32. Bc5+ Kd7 33. Ba7 Kd6 34. Bc5+ Kd7 35. Kc3 g6 36. Bd4 f5 %4 "
            "\u00BD-\u00BD")
            .arg(notes[0], notes[1], notes[2], notes[3]);
    int at = 0;
    for (const QString& word : expected.split(' ')) {
        const int found = text.indexOf(word, at);
        QVERIFY2(found >= 0, qPrintable(word + " after: " + text.mid(at, 80)));
        at = found + word.size();
    }
}

void ShellTest::savesThroughLinksAndAsksBeforeReplacingGames() {
    Shell shell;
    // Opened through a link and directly: one document, and Save writes the
    // file the link names, leaving the link a link.
    QVERIFY(shell.Open("real.pgn", kGame));
    const QString link = shell.folder.filePath("link.pgn");
    QVERIFY(QFile::link(shell.path, link));
    shell.Documents().OpenDocument(link);
    QCOMPARE(shell.frame->Area()->subWindowList().size(), 1);
    QTest::mouseClick(Button(shell.View(), "|>"), Qt::LeftButton);
    shell.Play("b8c6");
    shell.Keys(Qt::CTRL | Qt::Key_S);
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(ReadBytes(shell.path).contains("Nc6"));

    // Save As onto a file of several games says how many it would replace.
    const QByteArray three =
        "[Event \"A\"]\n1. e4 *\n\n[Event \"B\"]\n1. d4 *\n\n"
        "[Event \"C\"]\n1. c4 *\n";
    const QString games = shell.folder.filePath("games.pgn");
    WriteBytes(games, three);
    shell.prompts.saveNames = {games};
    shell.prompts.warningAnswers = {false};
    shell.Command(res::kCmdSaveAs);
    QCOMPARE(shell.prompts.warningsAsked,
             QStringList{"games.pgn already exists and holds 3 games.\nDo you want to replace the "
                         "whole file, all 3 games, with this one game?"});
    QCOMPARE(ReadBytes(games), three);

    // Its second game is offered an export name that can be written.
    shell.prompts.gameChoices = {1};
    shell.Documents().OpenDocument(games);
    shell.Command(res::kCmdExportPgn);
    QCOMPARE(shell.prompts.exportSuggestions.last(), shell.folder.filePath("games-2.pgn"));

    // A save that fails says where and why, and the game stays open and changed.
    shell.Keys(Qt::CTRL | Qt::Key_N);
    shell.Play("e2e4");
    const QString nowhere = shell.folder.filePath("gone/game.pgn");
    shell.prompts.saveAnswers = {UserPrompts::SaveAnswer::Yes, UserPrompts::SaveAnswer::Yes};
    shell.prompts.saveNames = {nowhere, "/dev/full"};
    shell.Command(res::kCmdClose);
    shell.Command(res::kCmdClose);
    QCOMPARE(shell.prompts.told,
             (QStringList{"Failed to save document.\n" + nowhere + ": No such file or directory",
                          "Failed to save document.\n/dev/full: Not a plain file"}));
    QCOMPARE(shell.frame->Area()->subWindowList().size(), 3);
    QVERIFY(shell.Document()->IsModified());
}

void ShellTest::qtsOwnBoxesAskAndTell() {
    // "Save changes?" answered: the button clicked (NoButton: Escape), windows left, move saved.
    const std::tuple<QMessageBox::StandardButton, int, bool> rows[] = {
        {QMessageBox::Yes, 0, true},
        {QMessageBox::No, 0, false},
        {QMessageBox::Cancel, 1, false},
        {QMessageBox::NoButton, 1, false}};
    for (const auto& [button, left, saved] : rows) {
        Shell shell;
        QVERIFY(shell.Open("game.pgn", kGame));
        QTest::mouseClick(Button(shell.View(), "|>"), Qt::LeftButton);
        shell.Play("b8c6");
        QtUserPrompts real;
        const auto restore = qScopeGuard([previous = SetPrompts(&real)] { SetPrompts(previous); });
        QStringList seen;
        AnswerBox(shell.frame.get(), button, seen);
        shell.Command(res::kCmdClose);
        QTRY_COMPARE(shell.frame->Area()->subWindowList().size(), left);
        QCOMPARE(ReadBytes(shell.path).contains("Nc6"), saved);
        // A message: the program's title as caption and an OK button.
        AnswerBox(shell.frame.get(), QMessageBox::Ok, seen);
        shell.Documents().OpenDocument(shell.folder.filePath("missing.pgn"));
        QCOMPARE(seen, (QStringList{"Ravelin", "Save changes to game.pgn?", "3", "Ravelin",
                                    "Failed to open document.", "1"}));
    }

    // A dialog of its own keeps its whole caption beside the title bar's buttons.
    Shell shell;
    QtUserPrompts real;
    const auto restore = qScopeGuard([previous = SetPrompts(&real)] { SetPrompts(previous); });
    int width = 0, caption = 0;
    QTimer::singleShot(0, [&width, &caption] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        width = dialog->width();
        caption = dialog->fontMetrics().horizontalAdvance(dialog->windowTitle());
        dialog->reject();
    });
    int pixels = 256;
    bool coordinates = true;
    QVERIFY(!real.AskBoardImage(pixels, coordinates));
    QVERIFY2(width >= caption + 100, qPrintable(QString("%1 for %2").arg(width).arg(caption)));
}

void ShellTest::helpListsEveryShortcutAndShowsTheGuide() {
    Shell shell;
    for (bool withGame : {false, true}) {  // both menu bars offer both entries
        if (withGame) shell.Keys(Qt::CTRL | Qt::Key_N);
        QVERIFY(HelpEntry(*shell.frame, "Keyboard Shortcuts") != nullptr);
        HelpEntry(*shell.frame, "Ravelin Help")->trigger();
        QCOMPARE(shell.prompts.helpShown, withGame ? 2 : 1);
    }
    shell.Keys(Qt::Key_F1);
    QCOMPARE(shell.prompts.helpShown, 3);

    // A step to undo: the list names the command, not the step it would take.
    shell.Play("e2e4");
    shell.View()->OnMoveSymbol(5);  // !?
    QCOMPARE(shell.frame->Action(res::kCmdUndo)->text().section('\t', 0, 0), "&Undo Symbol !?");
    HelpEntry(*shell.frame, "Keyboard Shortcuts")->trigger();
    const UserPrompts::ShortcutList& rows = shell.prompts.shortcuts;
    auto listed = [&rows](const QString& command, const QString& keys) {
        return std::find(rows.begin(), rows.end(), std::make_pair(command, keys)) != rows.end();
    };
    QVERIFY(listed("Undo", "Ctrl+Z or Alt+Backspace"));
    QVERIFY(listed("Note box: break the line", "Ctrl+Enter"));
    QVERIFY(listed("Move list: out of the variation, to where it branches", "Left"));
    // Every key of every command is on its command's row, and only commands with keys are.
    int withKeys = 0;
    for (const QAction* action : shell.frame->actions()) {
        withKeys += action->shortcuts().isEmpty() ? 0 : 1;
        QString name = action->text().remove('&').section('\t', 0, 0).remove("...");
        if (name.startsWith("Undo ") || name.startsWith("Redo ")) name.truncate(4);
        for (const QKeySequence& key : action->shortcuts()) {
            const auto row = std::find_if(rows.begin(), rows.end(),
                                          [&name](const auto& row) { return row.first == name; });
            QVERIFY2(row != rows.end() && row->second.split(" or ").contains(key.toString()),
                     qPrintable(name + " " + key.toString()));
        }
    }
    QCOMPARE(rows.size(), std::size_t(withKeys) + std::size(CVexilView::kFormKeys));
    for (const auto& [command, keys] : rows) QVERIFY2(!keys.isEmpty(), qPrintable(command));

    // The real windows: the list captioned with its name, the guide with
    // its pictures and every link leading to one of its own sections.
    QtUserPrompts real;
    const auto restore = qScopeGuard([previous = SetPrompts(&real)] { SetPrompts(previous); });
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto* dialog = qobject_cast<CShortcutsDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        seen << dialog->windowTitle() << dialog->Table()->item(0, 0)->text()
             << dialog->Table()->item(0, 1)->text();
        dialog->reject();
    });
    shell.Command(res::kCmdShortcuts);
    QCOMPARE(seen, (QStringList{"Keyboard Shortcuts", "New", "Ctrl+N"}));
    shell.Command(res::kCmdHelp);
    auto* guide = shell.frame->findChild<CHelpDlg*>();
    QVERIFY(guide != nullptr && guide->isVisible());
    QCOMPARE(guide->windowTitle(), QString("Ravelin"));
    QTextBrowser* browser = guide->Browser();
    QVERIFY(browser->toPlainText().startsWith("Ravelin Help"));
    QStringList anchors, links;
    int pictures = 0;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            anchors << format.anchorNames();
            if (!format.anchorHref().isEmpty()) links << format.anchorHref();
            if (format.isImageFormat()) {
                const QUrl name(format.toImageFormat().name());
                const QVariant bytes = browser->loadResource(QTextDocument::ImageResource, name);
                pictures += QImage::fromData(bytes.toByteArray()).isNull() ? 0 : 1;
            }
        }
    QCOMPARE(pictures, 2);
    QCOMPARE(links.size(), 15);
    for (const QString& link : links)
        QVERIFY2(link.startsWith('#') && anchors.contains(link.mid(1)), qPrintable(link));
    shell.Command(res::kCmdHelp);  // asked again, the same guide
    QCOMPARE(shell.frame->findChildren<CHelpDlg*>().size(), 1);
}

void ShellTest::picturesDrawnAheadAreTheOnesDrawnWhenAsked() {
    const QIcon drawnWhenAsked = PictureIcon("app-icon", {16, 48});
    // Drawn ahead on another thread, as the start does, at one size of two.
    std::thread ahead([] { PreparePicture("app-icon", {16}); });
    ahead.join();
    const QIcon partlyAhead = PictureIcon("app-icon", {16, 48});
    QCOMPARE(partlyAhead.availableSizes(), drawnWhenAsked.availableSizes());
    for (const int size : {16, 48})
        QCOMPARE(partlyAhead.pixmap(size).toImage(), drawnWhenAsked.pixmap(size).toImage());
}

// Runs inside the program's own application object, with settings in a folder of their own.
int main(int argc, char** argv) {
    QTemporaryDir settings;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    CVexilApp app(argc, argv);
    ShellTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "ShellTest.moc"
