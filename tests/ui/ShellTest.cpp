// The shell: menu bars, shortcuts, titles, recent files across runs, Exit, command line, printing.
#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include "CVexilApp.h"
#include "GameWindowSupport.h"
#include "PgnExport.h"

namespace {

const char kGame[] = "[Event \"Shell\"]\n\n1. e4 e5 2. Nf3 *\n";

// The shown menu bar as "title: item | item | - | item", one text per menu.
QStringList MenuLayout(QMainWindow& window) {
    QStringList menus;
    for (QAction* title : window.menuBar()->actions()) {
        QStringList items;
        for (QAction* item : title->menu()->actions()) {
            if (item->isSeparator())
                items.append("-");
            else if (item->isVisible())
                items.append(item->text());
        }
        menus.append(title->text() + ": " + items.join(" | "));
    }
    return menus;
}

QStringList WindowTitles(QMdiArea* area) {
    QStringList titles;
    for (QMdiSubWindow* window : area->subWindowList()) titles.append(window->windowTitle());
    return titles;
}

// The recent-file entries of the File menu, as shown.
QStringList RecentEntries(CMainFrame& frame) {
    QStringList entries;
    for (int i = 0; i < 4; ++i) {
        QAction* action = frame.Action(57616 + i);
        if (action->isVisible() && action->isEnabled()) entries.append(action->text());
    }
    return entries;
}

struct Shell : GameWindowFixture {
    Shell() {
        if (!QTest::qWaitForWindowActive(frame.get())) qWarning("main window not active");
    }
    void Keys(QKeyCombination keys) {
        QTest::keyClick(frame.get(), keys.key(), keys.keyboardModifiers());
    }
    int WindowCount() { return frame->Area()->subWindowList().size(); }
};

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void menuBarsFollowTheGameWindows();
    void undoStaysDisabledAndFlipFollowsTheView();
    void titlesNameTheActiveWindow();
    void gameWindowsShowTheirWholeFormTiledInRows();
    void recentFilesSurviveARestartAndHoldFour();
    void exitAsksForEachModifiedGame();
    void commandLineOpensTheFileOrEndsWithItsMessage();
    void printsTheBoardToPdf();
    void exportWritesStandardPgnNeverOverTheGame();
};

void ShellTest::init() {
    QSettings().remove("Recent File List");
}

void ShellTest::menuBarsFollowTheGameWindows() {
    Shell shell;
    const QStringList withoutGame{
        "&File: &New\tCtrl+N | &Open...\tCtrl+O | - | Recent File | - | E&xit",
        "&View: &Toolbar | &Status Bar | Board Size",
        "&Help: &About Chess Ravelin...",
    };
    const QStringList withGame{
        "&File: &New\tCtrl+N | &Open...\tCtrl+O | &Close | &Save\tCtrl+S | Save &As... | "
        "&Export PGN... | - | Recent File | - | E&xit",
        "&Edit: &Undo\tCtrl+Z | - | Cu&t\tCtrl+X | &Copy\tCtrl+C | &Paste\tCtrl+V | Edit &Hdr Info "
        "| &Enter Move...\tCtrl+M",
        "&View: &Toolbar | &Status Bar | Board Size",
        "&Window: &New Window | &Cascade | &Tile | &Arrange Icons",
        "&Help: &About Chess Ravelin...",
        "Options: Flip Board | Setup Position",
    };
    QCOMPARE(MenuLayout(*shell.frame), withoutGame);
    QVERIFY(!shell.frame->Action(57616)->isEnabled());  // the empty recent list

    shell.Keys(Qt::CTRL | Qt::Key_N);
    QCOMPARE(shell.WindowCount(), 1);
    QCOMPARE(MenuLayout(*shell.frame), withGame);

    // The status bar's prompt while a command is highlighted, "Ready" after.
    QWidget* newButton =
        shell.frame->findChild<QToolBar*>()->widgetForAction(shell.frame->Action(57600));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(newButton, &enter);
    QCOMPARE(shell.frame->statusBar()->currentMessage(), QString("Start a new game"));
    QCOMPARE(newButton->toolTip(), QString("New"));
    shell.frame->statusBar()->clearMessage();
    QCOMPARE(shell.frame->statusBar()->currentMessage(), QString("Ready"));

    shell.frame->Action(57664)->trigger();  // Help, About
    QCOMPARE(shell.prompts.aboutShown, 1);

    shell.frame->Action(57602)->trigger();  // File, Close
    QTRY_COMPARE(shell.WindowCount(), 0);
    QCOMPARE(MenuLayout(*shell.frame), withoutGame);
}

void ShellTest::undoStaysDisabledAndFlipFollowsTheView() {
    Shell shell;
    shell.Keys(Qt::CTRL | Qt::Key_N);
    QAction* undo = shell.frame->Action(57643);
    QVERIFY(!undo->isEnabled());

    // Neither Undo key takes back a move, nor the typing in the note box.
    shell.Play("e2e4");
    QPlainTextEdit* note = shell.View()->AnnotationBox();
    note->setFocus();
    QTest::keyClicks(note, "Open");
    shell.Keys(Qt::CTRL | Qt::Key_Z);
    shell.Keys(Qt::ALT | Qt::Key_Backspace);
    QTest::keyClick(note, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!undo->isEnabled());
    QCOMPARE(shell.Lines().size(), 2);
    QCOMPARE(note->toPlainText(), QString("Open"));

    // Flip Board's check mark shows the active window's board.
    QAction* flip = shell.frame->Action(32771);
    CVexilView* first = shell.View();
    flip->trigger();
    QVERIFY(first->IsFlipped() && flip->isChecked());
    shell.Keys(Qt::CTRL | Qt::Key_N);
    QVERIFY(shell.View() != first && !flip->isChecked());
    shell.frame->Area()->setActiveSubWindow(shell.frame->Area()->subWindowList().first());
    QCOMPARE(shell.View(), first);
    QVERIFY(flip->isChecked());
    flip->trigger();
    QVERIFY(!first->IsFlipped() && !flip->isChecked());
}

void ShellTest::titlesNameTheActiveWindow() {
    Shell shell;
    QCOMPARE(shell.frame->windowTitle(), QString("Ravelin"));
    shell.Keys(Qt::CTRL | Qt::Key_N);
    QCOMPARE(shell.frame->windowTitle(), QString("Ravelin - Untitled1"));

    shell.frame->Action(57648)->trigger();  // Window, New Window
    QMdiArea* area = shell.frame->Area();
    QCOMPARE(WindowTitles(area), (QStringList{"Untitled1:1", "Untitled1:2"}));
    QCOMPARE(shell.frame->windowTitle(), QString("Ravelin - Untitled1:2"));
    area->setActiveSubWindow(area->subWindowList().first());
    QCOMPARE(shell.frame->windowTitle(), QString("Ravelin - Untitled1:1"));

    shell.Keys(Qt::CTRL | Qt::Key_N);
    QCOMPARE(shell.frame->windowTitle(), QString("Ravelin - Untitled2"));

    // Saving renames every window of the document.
    area->setActiveSubWindow(area->subWindowList().at(1));
    shell.prompts.saveNames.push_back(shell.folder.filePath("named.pgn"));
    shell.Keys(Qt::CTRL | Qt::Key_S);
    QCOMPARE(WindowTitles(area), (QStringList{"named.pgn:1", "named.pgn:2", "Untitled2"}));
    QCOMPARE(shell.frame->windowTitle(), QString("Ravelin - named.pgn:2"));

    // With one window left the number goes.
    area->subWindowList().first()->close();
    QTRY_COMPARE(WindowTitles(area), (QStringList{"named.pgn", "Untitled2"}));
    area->setActiveSubWindow(area->subWindowList().first());
    QCOMPARE(shell.frame->windowTitle(), QString("Ravelin - named.pgn"));
    shell.frame->Area()->closeAllSubWindows();
    QTRY_COMPARE(shell.frame->windowTitle(), QString("Ravelin"));
}

void ShellTest::gameWindowsShowTheirWholeFormTiledInRows() {
    Shell shell;
    QMdiArea* area = shell.frame->Area();
    shell.Keys(Qt::CTRL | Qt::Key_N);
    auto* first = static_cast<CChildFrame*>(area->subWindowList().first());
    const QSize whole = first->FormFrameSize();
    QCOMPARE(first->height(), qMax(330, whole.height()));  // 330 where the form fits
    // No scroll bar hides part of the form.
    QTRY_VERIFY(first->View()->visibleRegion().boundingRect().size() == first->View()->size());

    shell.frame->resize(1600, 1000);
    const QSize size = area->viewport()->size();
    shell.frame->Action(57648)->trigger();  // Window, New Window
    shell.frame->Action(57651)->trigger();  // Window, Tile
    const QList<QMdiSubWindow*> two = area->subWindowList();
    QCOMPARE(two[0]->geometry(), QRect(0, 0, size.width(), size.height() / 2));
    QCOMPARE(two[1]->geometry(),
             QRect(0, size.height() / 2, size.width(), size.height() - size.height() / 2));

    // Five windows: two columns, the second taking the third row.
    for (int i = 0; i < 3; ++i) shell.Keys(Qt::CTRL | Qt::Key_N);
    shell.frame->Action(57651)->trigger();
    QList<int> columns;
    for (QMdiSubWindow* window : area->subWindowList()) columns.append(window->x());
    QCOMPARE(columns, (QList<int>{0, 0, size.width() / 2, size.width() / 2, size.width() / 2}));

    shell.frame->resize(900, 600);
    for (int command : {57650, 57651, 57648}) {  // Cascade, Tile, New Window
        shell.frame->Action(command)->trigger();
        for (QMdiSubWindow* window : area->subWindowList())
            QVERIFY2(window->width() >= whole.width() && window->height() >= whole.height(),
                     qPrintable(QString::number(command)));
    }
}

void ShellTest::recentFilesSurviveARestartAndHoldFour() {
    Shell shell;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        const QString path = shell.folder.filePath(QString("%1.pgn").arg(name));
        WriteBytes(path, kGame);
        shell.prompts.openNames.push_back(path);
        shell.Keys(Qt::CTRL | Qt::Key_O);
    }
    QCOMPARE(shell.WindowCount(), 5);
    const QStringList newestFour{"&1 e.pgn", "&2 d.pgn", "&3 c.pgn", "&4 b.pgn"};
    QCOMPARE(RecentEntries(*shell.frame), newestFour);

    // The next run finds the same list and opens its entries.
    shell.frame->close();
    shell.frame = std::make_unique<CMainFrame>();
    shell.frame->show();
    QCOMPARE(RecentEntries(*shell.frame), newestFour);
    shell.frame->Action(57619)->trigger();
    QCOMPARE(shell.frame->windowTitle(), QString("Ravelin - b.pgn"));
    QCOMPARE(RecentEntries(*shell.frame),
             (QStringList{"&1 b.pgn", "&2 e.pgn", "&3 d.pgn", "&4 c.pgn"}));

    // An entry whose file is gone says so and leaves the list, for good.
    QVERIFY(QFile::remove(shell.folder.filePath("d.pgn")));
    shell.frame->Action(57618)->trigger();
    QCOMPARE(shell.prompts.told, QStringList{"Failed to open document."});
    QCOMPARE(shell.WindowCount(), 1);
    const QStringList withoutD{"&1 b.pgn", "&2 e.pgn", "&3 c.pgn"};
    QCOMPARE(RecentEntries(*shell.frame), withoutD);
    shell.frame->close();
    shell.frame = std::make_unique<CMainFrame>();
    QCOMPARE(RecentEntries(*shell.frame), withoutD);
}

void ShellTest::exitAsksForEachModifiedGame() {
    using Answer = UserPrompts::SaveAnswer;
    struct Row {
        const char* rule; std::vector<Answer> answers; QStringList questions;
        bool stillOpen; QStringList saved;
    };
    const QStringList both{"Untitled1", "Untitled2"};
    const Row rows[] = {
        {"Yes saves each game", {Answer::Yes, Answer::Yes}, both, false, {"one.pgn", "two.pgn"}},
        {"No discards each game", {Answer::No, Answer::No}, both, false, {}},
        {"Cancel keeps everything open", {Answer::Cancel}, {"Untitled1"}, true, {}},
        {"Cancel after a Yes keeps the windows", {Answer::Yes, Answer::Cancel}, both, true,
         {"one.pgn"}},
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
        shell.frame->Action(57665)->trigger();  // File, Exit
        QVERIFY2(shell.prompts.saveQuestions == row.questions, row.rule);
        QVERIFY2(shell.frame->isVisible() == row.stillOpen, row.rule);
        QTRY_COMPARE(shell.WindowCount(), row.stillOpen ? 2 : 0);
        QVERIFY2(QDir(shell.folder.path()).entryList(QDir::Files) == row.saved, row.rule);
    }

    // The main window's own close button asks the same.
    Shell shell;
    shell.Keys(Qt::CTRL | Qt::Key_N);
    shell.Play("d2d4");
    shell.prompts.saveAnswers = {Answer::Cancel};
    QVERIFY(!shell.frame->close());
    QCOMPARE(shell.prompts.saveQuestions, QStringList{"Untitled1"});
    QCOMPARE(shell.WindowCount(), 1);
}

void ShellTest::commandLineOpensTheFileOrEndsWithItsMessage() {
    QTemporaryDir folder;
    const QString good = folder.filePath("good.pgn");
    const QString broken = folder.filePath("broken.pgn");
    WriteBytes(good, kGame);
    WriteBytes(broken, "[Event \"Shell\"]\n\n1. e4 e5");
    auto* app = static_cast<CVexilApp*>(qApp);

    struct Row { QStringList arguments; const char* message; };
    const Row failures[] = {
        {{folder.filePath("missing.pgn")}, "Failed to open document."},
        {{broken}, "Unexpected file format."},
    };
    for (const Row& row : failures) {
        ScriptedPrompts prompts;
        QVERIFY(!app->InitInstance(row.arguments));
        QCOMPARE(prompts.told, QStringList{row.message});
        QVERIFY(!app->MainFrame()->isVisible());
    }
    for (const QStringList& arguments : {QStringList(), QStringList{good}}) {
        ScriptedPrompts prompts;
        QVERIFY(app->InitInstance(arguments));
        QVERIFY(app->MainFrame()->isVisible());
        QCOMPARE(app->MainFrame()->windowTitle(),
                 arguments.isEmpty() ? QString("Ravelin - Untitled1") : "Ravelin - good.pgn");
        QCOMPARE(app->MainFrame()->ActiveView()->MoveList()->count(), arguments.isEmpty() ? 1 : 4);
        QVERIFY(prompts.told.isEmpty());
        app->MainFrame()->close();
    }

    // The program itself opens a game given to it (its recent-file list shows it) and runs on.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", folder.filePath("config"));
    program.setProcessEnvironment(environment);
    program.start(RAVELIN_EXE, {good});
    QVERIFY(program.waitForStarted());
    const QString settings = folder.filePath("config/Ravelin/Ravelin.conf");
    QTRY_VERIFY_WITH_TIMEOUT(
        QSettings(settings, QSettings::IniFormat).value("Recent File List/File1").toString() ==
            good,
        20000);
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
}

void ShellTest::printsTheBoardToPdf() {
    Shell shell;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = shell.folder.filePath("board.pdf");
    printer.setOutputFileName(path);
    QVERIFY(!shell.frame->PrintActiveView(printer));  // no game window

    shell.Keys(Qt::CTRL | Qt::Key_N);
    shell.Play("e2e4 e7e5");
    QVERIFY(shell.frame->PrintActiveView(printer));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.size() > 1000);
    QCOMPARE(file.read(5), QByteArray("%PDF-"));
}

// Runs inside the program's own application object, with settings in a folder of their own.
void ShellTest::exportWritesStandardPgnNeverOverTheGame() {
    Shell shell;
    const QString own = shell.folder.filePath("game.pgn");
    WriteBytes(own, kGame);
    CVexilDoc* document = shell.Documents().OpenDocument(own);
    QVERIFY(document != nullptr);
    QAction* exportPgn = shell.frame->Action(32777);
    QVERIFY(exportPgn->isEnabled());

    shell.prompts.exportNames = {own, shell.folder.filePath("out.pgn")};
    exportPgn->trigger();  // the name offered, the game's own file: refused
    QCOMPARE(shell.prompts.exportSuggestions, QStringList{own});
    QCOMPARE(
        shell.prompts.warned,
        QStringList{"The export cannot replace the game's own file. Choose another name for it."});
    QCOMPARE(ReadBytes(own), QByteArray(kGame));
    exportPgn->trigger();
    QCOMPARE(ReadBytes(shell.folder.filePath("out.pgn")),
             QByteArray::fromStdString(ExportPgnToString(document->Game())));
    QVERIFY(!document->IsModified());
}

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
