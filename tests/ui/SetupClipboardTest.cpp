// Position setup (switch, right clicks, drags, its dialog) and the clipboard buttons and commands.
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "CSetupPieceDlg.h"
#include "GameWindowSupport.h"

namespace {

const char kSetupQuestion[] = "Setup will delete all moves. Are you sure you want to do this?";
constexpr int kSetupCommand = 32775;
constexpr int kEditCut = 57635, kEditCopy = 57634, kEditPaste = 57637;

// A right click through the window system, which makes it the view's context-menu request.
void RightClick(CVexilView* view, const QPoint& point) {
    QWidget* top = view->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, view->mapTo(top, point));
}

QString Today() { return QDate::currentDate().toString("MM/dd/yy"); }
QString ClipboardText() { return QGuiApplication::clipboard()->text(); }
void SetClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

// Types `text` into the note box and selects characters start .. end.
void TypeAndSelect(CVexilView* view, const QString& text, int start, int end) {
    QTest::keyClicks(view->AnnotationBox(), text);
    QTextCursor cursor = view->AnnotationBox()->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    view->AnnotationBox()->setTextCursor(cursor);
}

}  // namespace

class SetupClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void switchingSetupOnAsksOnlyWhenPliesExist();
    void leavingSetupMakesTheShownPositionTheStart();
    void rightClicksPlacePiecesWithTheFlipApplied();
    void setupDialogRemembersOnlyOkChoices();
    void draggingInSetupPlacesPiecesFreely();
    void setupPieceDialogResultCodes();
    void copyAndReportButtonsPutExactTexts();
    void editCommandsWorkOnTheNoteBoxFromTheMoveList();
    void pasteIsStoredAtOnceAndEmptyClipboardChangesNothing();
};

void SetupClipboardTest::switchingSetupOnAsksOnlyWhenPliesExist() {
    for (const char* moves : {"", "e2e4 e7e5"}) {  // with plies the question is declined
        GameWindowFixture window;
        CVexilView* view = window.NewGame();
        QAction* setup = window.frame->Action(kSetupCommand);
        window.Play(moves);
        window.prompts.warningAnswers.push_back(false);
        setup->trigger();
        const bool on = *moves == '\0';
        QCOMPARE(window.prompts.warningsAsked, on ? QStringList() : QStringList{kSetupQuestion});
        QCOMPARE(view->IsSetupActive(), on);
        QCOMPARE(setup->isChecked(), on);
        QCOMPARE(window.Document()->Game().m_setupMode, int(on));
        QCOMPARE(window.Document()->IsModified(), true);
        QCOMPARE(window.Lines().size(), on ? 1 : 3);
    }
}

void SetupClipboardTest::leavingSetupMakesTheShownPositionTheStart() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    QTest::keyClicks(view->AnnotationBox(), "start note");
    window.Play("e2e4 e7e5 g1f3");
    QTest::keyClicks(view->AnnotationBox(), "developing");
    view->MoveList()->setCurrentRow(2);  // after 1... e5, chosen as a user does
    QAction* setup = window.frame->Action(kSetupCommand);
    setup->trigger();  // the question is answered OK
    QCOMPARE(window.prompts.warningsAsked.size(), 1);
    QCOMPARE(window.Lines().size(), 4);  // kept until the mode is left
    setup->trigger();
    QCOMPARE(window.prompts.warningsAsked.size(), 1);  // nothing asked on the way out

    QCOMPARE(window.Lines(), QStringList{"(starting position)"});
    const CGameRecord& game = window.Document()->Game();
    QCOMPARE(game.m_plyCount, 0);
    QCOMPARE(game.m_curPly, 0);
    QCOMPARE(game.m_sideToMove, int(White));
    QCOMPARE(game.m_fromSetup, 1);
    QCOMPARE(QString(game.m_startFen),
             QString("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1"));
    for (int ply = 0; ply < 4; ++ply) QCOMPARE(game.m_ply[ply].hasNote, 0);
    QCOMPARE(game.m_startNote, std::string("start note"));
    QVERIFY(!setup->isChecked());

    // No line is left selected: a note typed now goes to the first move entered.
    QCOMPARE(view->MoveList()->currentRow(), -1);
    QTest::keyClicks(view->AnnotationBox(), "plan");
    window.Play("g1f3");
    QCOMPARE(window.Lines(), (QStringList{"(starting position)", "1. Nf3"}));
    QCOMPARE(game.m_ply[0].note, std::string("plan"));
    QCOMPARE(game.m_startNote, std::string("start note"));
}

void SetupClipboardTest::rightClicksPlacePiecesWithTheFlipApplied() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    const QPoint e4 = window.Centre("e4");

    // Setup mode off: the right button changes nothing and asks nothing.
    RightClick(view, e4);
    QVERIFY(window.prompts.setupPresets.empty());
    QCOMPARE(view->Game().GetPiece(4, 3), int(NoPiece));

    window.frame->Action(kSetupCommand)->trigger();
    window.prompts.setupAnswers.push_back({1, 0});
    RightClick(view, e4);  // White Queen
    QCOMPARE(window.prompts.setupPresets.size(), std::size_t(1));
    QCOMPARE(view->Game().GetPiece(4, 3), int(Queen));
    QCOMPARE(view->Game().GetColor(4, 3), int(White));

    RightClick(view, QPoint(5, 100));  // beside the board and below it: no dialog
    RightClick(view, QPoint(100, 280));
    QCOMPARE(window.prompts.setupPresets.size(), std::size_t(1));

    // On a flipped board the same screen square names the mirrored square.
    window.frame->Action(32771)->trigger();
    window.prompts.setupAnswers.push_back({4, 1});  // Black Knight
    RightClick(view, e4);
    QCOMPARE(view->Game().GetPiece(3, 4), int(Knight));  // d5
    QCOMPARE(view->Game().GetColor(3, 4), int(Black));
    QCOMPARE(view->Game().GetPiece(4, 3), int(Queen));

    // Clear Board empties every square whatever square was clicked.
    window.prompts.setupAnswers.push_back({-3, -3});
    RightClick(view, window.Centre("a1"));
    for (int file = 0; file < 8; ++file)
        for (int rank = 0; rank < 8; ++rank)
            QCOMPARE(view->Game().GetPiece(file, rank), int(NoPiece));

    // A king and rook away from home: still " w KQkq - 0 1" on leaving.
    window.prompts.setupAnswers = {{0, 0}, {2, 0}, {0, 1}};
    RightClick(view, window.Centre("d2"));
    RightClick(view, window.Centre("b3"));
    RightClick(view, window.Centre("g7"));
    window.frame->Action(kSetupCommand)->trigger();
    QCOMPARE(view->MoveList()->currentRow(), 0);  // line 0 stays selected
    QCOMPARE(QString(window.Document()->Game().m_startFen),
             QString("8/6k1/8/8/8/1R6/3K4/8 w KQkq - 0 1"));
    const CGameRecord& game = window.Document()->Game();
    QCOMPARE(game.m_canCastleWK + game.m_canCastleWQ + game.m_canCastleBK + game.m_canCastleBQ, 4);
}

void SetupClipboardTest::setupDialogRemembersOnlyOkChoices() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.frame->Action(kSetupCommand)->trigger();
    // OK with Black Rook, Empty Square, Clear Board, Cancel, OK with White Pawn, Cancel.
    const std::pair<int, int> answers[] = {{2, 1}, {-1, -1}, {-3, -3}, {-2, -2}, {5, 0}, {-2, -2}};
    for (const auto& answer : answers) {
        window.prompts.setupAnswers.push_back(answer);
        RightClick(view, window.Centre("c3"));
    }
    QCOMPARE(window.prompts.setupPresets,
             (std::vector<std::pair<int, int>>{{0, 0}, {2, 1}, {2, 1}, {2, 1}, {2, 1}, {5, 0}}));
    QCOMPARE(view->Game().GetPiece(2, 2), int(Pawn));  // Cancel left it
}

void SetupClipboardTest::draggingInSetupPlacesPiecesFreely() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.Play("e2e4");
    window.frame->Action(kSetupCommand)->trigger();
    window.prompts.Clear();
    QTest::keyClicks(view->AnnotationBox(), "x");

    window.Drag("e4", "e6");  // a pawn two squares forward from e4
    window.Drag("f1", "h8");  // jumping, onto Black's rook
    window.Drag("a2", "a4");  // White again, though Black is to move
    window.Press(window.Centre("d1"));
    window.Release(QPoint(-40, 120));  // off the board: the queen leaves it
    QVERIFY2(window.prompts.told.isEmpty(), qPrintable(window.prompts.Transcript()));
    QVERIFY(window.prompts.warningsAsked.isEmpty());
    QCOMPARE(view->Game().GetPiece(4, 5), int(Pawn));
    QCOMPARE(view->Game().GetPiece(7, 7), int(Bishop));
    QCOMPARE(view->Game().GetColor(7, 7), int(White));
    QCOMPARE(view->Game().GetPiece(0, 3), int(Pawn));
    QCOMPARE(view->Game().GetPiece(3, 0), int(NoPiece));
    QCOMPARE(window.Lines().size(), 2);  // nothing recorded
    QCOMPARE(view->Game().m_plyCount, 1);
    QCOMPARE(Box(view), QString("x"));  // no release recorded a move: the note stays
}

void SetupClipboardTest::setupPieceDialogResultCodes() {
    struct Row { const char* close; int presetPiece, presetColor; int piece, color; };
    const Row rows[] = {
        {"OK", 3, 1, 3, 1},  // the preset radios are checked and taken
        {"Queen Black", 0, 0, 1, 1}, {"Empty Square", 2, 0, -1, -1}, {"Clear Board", 2, 0, -3, -3},
        {"Cancel", 2, 0, -2, -2},    {"Escape", 2, 0, -2, -2},
    };
    for (const Row& row : rows) {
        CSetupPieceDlg dialog;
        dialog.m_pieceChoice = row.presetPiece;
        dialog.m_colorChoice = row.presetColor;
        QTimer::singleShot(0, &dialog, [&dialog, &row] {
            const QString close = row.close;
            if (close == "Escape") {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            } else if (close == "Queen Black") {
                for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
                    if (radio->text() == "Queen" || radio->text() == "Black") radio->click();
                QTest::mouseClick(Button(&dialog, "OK"), Qt::LeftButton);
            } else {
                QTest::mouseClick(Button(&dialog, close), Qt::LeftButton);
            }
        });
        dialog.exec();
        QVERIFY2(dialog.m_pieceChoice == row.piece, row.close);
        QVERIFY2(dialog.m_colorChoice == row.color, row.close);
    }
}

void SetupClipboardTest::copyAndReportButtonsPutExactTexts() {
    GameWindowFixture window;
    const QString path = window.folder.filePath("undated.pgn");
    WriteBytes(path, "[Event \"?\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 *\n");
    QVERIFY(window.Documents().OpenDocument(path) != nullptr);
    CVexilView* view = window.View();
    QPushButton* copy = Button(view, "Copy");
    QPushButton* report = Button(view, "Rpt");

    // At the starting position neither button touches the clipboard.
    SetClipboard("before");
    QTest::mouseClick(copy, Qt::LeftButton);
    QTest::mouseClick(report, Qt::LeftButton);
    QCOMPARE(ClipboardText(), QString("before"));

    // Moves read from a file have no date until a button stamps the one shown.
    view->MoveList()->setCurrentRow(2);
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(ClipboardText(),
             "  1. e2-e4 \t\t           \x0E\r\n  1. ... e7-e5 \t" + Today() + "   \x0E\r\n");
    QCOMPARE(QString(view->Game().m_ply[1].date), Today());
    QCOMPARE(QString(window.Document()->Game().m_ply[1].date), QString());  // view only

    QTest::mouseClick(report, Qt::LeftButton);
    QCOMPARE(ClipboardText(), QString("1. e4 e5\n"));
    QTest::mouseClick(Button(view, "|>"), Qt::LeftButton);
    QTest::mouseClick(report, Qt::LeftButton);
    QCOMPARE(ClipboardText(), QString("1. e4 e5\n2. Nf3 Nc6\n3. Bb5 "));
    QCOMPARE(QString(view->Game().m_ply[4].date), Today());
    QCOMPARE(QString(view->Game().m_ply[3].date), QString());
}

void SetupClipboardTest::editCommandsWorkOnTheNoteBoxFromTheMoveList() {
    struct Row {
        const char* command; int action, start, end;
        const char *clipboardBefore, *box, *clipboardAfter;
    };
    const Row rows[] = {
        {"Copy bcd", kEditCopy, 1, 4, "old", "abcdef", "bcd"},
        {"Copy without a selection", kEditCopy, 3, 3, "old", "abcdef", "old"},
        {"Cut bcd", kEditCut, 1, 4, "old", "aef", "bcd"},
        {"Paste at the caret", kEditPaste, 3, 3, "XY", "abcXYdef", "XY"},
        {"Paste over bcd", kEditPaste, 1, 4, "XY", "aXYef", "XY"},
    };
    for (const Row& row : rows) {
        GameWindowFixture window;
        CVexilView* view = window.NewGame();
        window.Play("e2e4");
        TypeAndSelect(view, "abcdef", row.start, row.end);
        view->MoveList()->setFocus();
        SetClipboard(row.clipboardBefore);
        window.frame->Action(row.action)->trigger();
        QVERIFY2(Box(view) == row.box, row.command);
        QVERIFY2(ClipboardText() == row.clipboardAfter, row.command);
        QVERIFY2(window.Document()->Game().m_ply[0].note == row.box, row.command);
    }

    // The keys themselves, with the focus in the move list or in the box.
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.frame.get()));
    window.Play("e2e4");
    TypeAndSelect(view, "abcdef", 1, 4);
    SetClipboard("old");
    view->MoveList()->setFocus();
    QTest::keyClick(view->MoveList(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(ClipboardText(), QString("bcd"));
    view->AnnotationBox()->setFocus();
    QTest::keyClick(view->AnnotationBox(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(Box(view), QString("aef"));
    QCOMPARE(window.Document()->Game().m_ply[0].note, std::string("aef"));
    QTest::keyClick(view->AnnotationBox(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(Box(view), QString("abcdef"));
}

void SetupClipboardTest::pasteIsStoredAtOnceAndEmptyClipboardChangesNothing() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.Play("e2e4 e7e5");
    QListWidget* list = view->MoveList();

    // Pasted, then another line chosen and this one again: the note is kept.
    list->setCurrentRow(1);
    SetClipboard("pasted\nover two lines");
    window.frame->Action(kEditPaste)->trigger();
    list->setCurrentRow(2);
    QCOMPARE(Box(view), QString());
    list->setCurrentRow(1);
    QCOMPARE(Box(view), QString("pasted\nover two lines"));
    QCOMPARE(window.Document()->Game().m_ply[0].note, std::string("pasted\r\nover two lines"));

    // Text with CR LF line ends, as "Copy" puts it, keeps one break per line.
    list->setCurrentRow(2);
    SetClipboard("one\r\ntwo");
    window.frame->Action(kEditPaste)->trigger();
    QCOMPARE(Box(view), QString("one\ntwo"));
    QCOMPARE(window.Document()->Game().m_ply[1].note, std::string("one\r\ntwo"));

    const QString path = window.folder.filePath("clean.pgn");
    QCOMPARE(window.Document()->Save(path), CVexilDoc::SaveResult::Saved);
    QGuiApplication::clipboard()->clear();
    window.frame->Action(kEditPaste)->trigger();
    QCOMPARE(Box(view), QString("one\ntwo"));
    QVERIFY(!window.Document()->IsModified());
}

QTEST_MAIN(SetupClipboardTest)
#include "SetupClipboardTest.moc"
