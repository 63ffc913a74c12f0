// Position setup (switch, right clicks, drags, its dialog) and the clipboard buttons.
#include <QAbstractButton>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QScopeGuard>
#include <QtTest>

#include "CSetupPieceDlg.h"
#include "GameClipboardText.h"
#include "GameWindowSupport.h"
#include "SetupPalette.h"

class SetupClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void setupAsksFirstAndLeavesTheShownPositionAsTheStart();
    void rightClicksAndDragsPlacePiecesFreely();
    void setupPieceDialogResultCodes();
    void paletteBuildsAPositionAndItsFen();
    void copyAndReportButtonsPutExactTexts();
    void gamesInAndOutAsTextAndDroppedFiles();
};

void SetupClipboardTest::setupAsksFirstAndLeavesTheShownPositionAsTheStart() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    QTest::keyClicks(view->AnnotationBox(), "start note");
    window.Play("e2e4 e7e5 g1f3");
    QTest::keyClicks(view->AnnotationBox(), "developing");
    ClickLine(view, 2);  // after 1... e5
    window.prompts.warningAnswers = {false};
    window.Command(res::kCmdSetupPosition);  // declined: nothing changes
    window.Command(res::kCmdSetupPosition);
    QCOMPARE(window.prompts.warningsAsked,
             QStringList(2, "Setup will delete all moves. Are you sure you want to do this?"));
    QVERIFY(view->IsSetupActive() && window.frame->Action(res::kCmdSetupPosition)->isChecked());
    QCOMPARE(window.Lines().size(), 4);  // kept until the mode is left
    window.Command(res::kCmdSetupPosition);
    QCOMPARE(window.prompts.warningsAsked.size(), 2);  // nothing asked on the way out
    QCOMPARE(window.Lines(), QStringList{"(starting position)"});

    // No line is left selected: a note typed now goes to the first move entered.
    QTest::keyClicks(view->AnnotationBox(), "plan");
    window.Play("g1f3");
    const QString path = window.folder.filePath("setup.pgn");
    QCOMPARE(window.Document()->Save(path), CVexilDoc::SaveResult::Saved);
    QVERIFY(ReadBytes(path).endsWith(
        "[FEN \"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1\"]\r\n"
        "{start note}\r\n1. Nf3 {plan}\r\n\r\n*\r\n"));

    // Leaving asks what the board cannot say: Cancel stays in setup; Black to move,
    // the rights kept, a target and a move number reach the file.
    window.Command(res::kCmdSetupPosition);
    window.prompts.startAnswers = {nullptr, [](StartChoices& choices) {
                                       QCOMPARE(choices.enPassantFor[Black],
                                                std::vector<std::string>{"e3"});
                                       choices.side = Black;
                                       choices.castling[StartChoices::BlackLong] = false;
                                       choices.enPassant = "e3";
                                       choices.moveNumber = 12;
                                   }};
    window.Command(res::kCmdSetupPosition);
    QVERIFY(view->IsSetupActive());
    window.Command(res::kCmdSetupPosition);
    QCOMPARE(window.prompts.startPositionsAsked, 3);
    window.Play("b8c6");
    QCOMPARE(window.Document()->Save(path), CVexilDoc::SaveResult::Saved);
    QVERIFY(ReadBytes(path).endsWith(
        "[FEN \"rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQk e3 0 12\"]\r\n"
        "{start note}\r\n12... Nc6 \r\n*\r\n"));
}

void SetupClipboardTest::rightClicksAndDragsPlacePiecesFreely() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    RightClick(view, window.Centre("e4"));  // setup mode off: nothing asked
    QVERIFY(window.prompts.setupPresets.empty());
    window.Play("e2e4");
    window.Command(res::kCmdSetupPosition);
    window.prompts.told.clear();
    QTest::keyClicks(view->AnnotationBox(), "x");
    window.Drag("e4", "e6");  // two squares forward from e4
    window.Drag("f1", "h8");  // jumping, onto Black's rook
    window.Press(window.Centre("d1"));
    window.Release(QPoint(-40, 120));  // off the board: the queen leaves it
    QVERIFY2(window.prompts.told.isEmpty(), qPrintable(window.prompts.Transcript()));
    QCOMPARE(window.PieceOn("e6") * 10 + window.PieceOn("h8"), Pawn * 10 + Bishop);
    QCOMPARE(window.PieceOn("d1"), int(NoPiece));
    QCOMPARE(Box(view), QString("x"));  // no release recorded a move: the note stays

    // The dialog is preset with the last choice taken with OK; beside the board none opens.
    window.prompts.setupAnswers = {{2, 1}, {-2, -2}, {-1, -1}};
    RightClick(view, window.Centre("c3"));
    RightClick(view, window.Centre("c3"));
    RightClick(view, QPoint(5, 100));
    RightClick(view, QPoint(100, 280));
    RightClick(view, window.Centre("c2"));
    QCOMPARE(window.prompts.setupPresets,
             (std::vector<std::pair<int, int>>{{0, 0}, {2, 1}, {2, 1}}));
    QCOMPARE(window.PieceOn("c3"), int(Rook));
    QCOMPARE(window.PieceOn("c2"), int(NoPiece));

    // Clear Board, then on a flipped board the same screen square names the mirrored one.
    window.prompts.setupAnswers = {{-3, -3}, {0, 0}, {2, 0}, {0, 1}};
    RightClick(view, window.Centre("a1"));
    const QPoint d2 = window.Centre("e7"), b3 = window.Centre("g6"), g7 = window.Centre("b2");
    window.Command(res::kCmdFlipBoard);
    for (const QPoint& point : {d2, b3, g7}) RightClick(view, point);
    window.Command(res::kCmdSetupPosition);
    QCOMPARE(QString(window.Game().m_startFen), QString("8/6k1/8/8/8/1R6/3K4/8 w KQkq - 0 1"));

    // At the Huge size a right click finds the square of 64-pixel squares.
    const auto restore = qScopeGuard([&] { window.Command(res::kCmdBoardNormal); });
    window.Command(res::kCmdBoardHuge);
    window.Command(res::kCmdFlipBoard);
    window.Command(res::kCmdSetupPosition);
    window.prompts.setupAnswers = {{1, 1}};
    RightClick(view, QPoint(392, 160));  // inside f6, drawn from (360, 128)
    window.Command(res::kCmdSetupPosition);
    QCOMPARE(QString(window.Game().m_startFen), QString("8/6k1/5q2/8/8/1R6/3K4/8 w KQkq - 0 1"));
}

void SetupClipboardTest::setupPieceDialogResultCodes() {
    const std::tuple<QString, QString, int, int> rows[] = {
        // radios clicked, close, answer; preset: White Rook
        {"Queen Black", "OK", 1, 1},
        {"", "Empty Square", -1, -1},
        {"", "Clear Board", -3, -3},
        {"Queen", "Escape", -2, -2},
    };
    for (const auto& [radios, close, piece, color] : rows) {
        CSetupPieceDlg dialog;
        dialog.m_pieceChoice = 2;
        dialog.m_colorChoice = 0;
        QTimer::singleShot(0, &dialog, [&, radios = radios, close = close] {
            for (QRadioButton* radio : dialog.findChildren<QRadioButton*>())
                if (radios.contains(radio->text())) radio->click();
            if (close == "Escape") QTest::keyClick(&dialog, Qt::Key_Escape);
            if (close != "Escape") QTest::mouseClick(Button(&dialog, close), Qt::LeftButton);
        });
        dialog.exec();
        QVERIFY2(dialog.m_pieceChoice == piece && dialog.m_colorChoice == color, qPrintable(close));
    }
}

void SetupClipboardTest::paletteBuildsAPositionAndItsFen() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    SetupPalette* palette = view->Palette();
    QVERIFY(!palette->isVisible());
    const int boardSquare = view->SquareSize();
    window.Command(res::kCmdSetupPosition);
    QVERIFY(palette->isVisible());
    QCOMPARE(view->SquareSize(), boardSquare);  // the window grew for the palette
    auto fen = [&] { return palette->FenField()->text(); };
    auto enter = [&](const QString& text) {
        palette->FenField()->setText(text);
        QTest::keyClick(palette->FenField(), Qt::Key_Return);
    };

    // A piece picked once goes on square after square; the eraser empties them.
    QTest::mouseClick(palette->PieceButton(Black, Queen), Qt::LeftButton);
    window.Press(window.Centre("e4"));
    window.Release(window.Centre("e4"));
    window.Press(window.Centre("a3"));
    QTest::mouseClick(palette->EraserButton(), Qt::LeftButton);
    QVERIFY(!palette->PieceButton(Black, Queen)->isChecked());
    window.Press(window.Centre("e1"));
    window.Press(window.Centre("d8"));
    QCOMPARE(fen(), QString("rnb1kbnr/pppppppp/8/8/4q3/q7/PPPPPPPP/RNBQ1BNR w kq - 0 1"));
    // Picked again, the eraser lets go: the left button drags once more.
    QTest::mouseClick(palette->EraserButton(), Qt::LeftButton);
    window.Drag("e4", "e5");
    QCOMPARE(window.PieceOn("e5"), int(Queen));

    QTest::mouseClick(Button(palette, "Clear Board"), Qt::LeftButton);
    QCOMPARE(fen(), QString("8/8/8/8/8/8/8/8 w - - 0 1"));
    QTest::mouseClick(Button(palette, "Start Position"), Qt::LeftButton);
    QCOMPARE(fen(), QString("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));

    // A FEN typed is refused with the reason reading gives; a sound one sets the board,
    // and its answers are those offered on leaving.
    enter("rnbqkbnr/pppppppp/8/8 w KQkq - 0 1");
    enter("8/8/8/8/8/8/8/8 w - - 0 1000000");
    QCOMPARE(window.prompts.told,
             (QStringList{"The FEN text does not describe a chess position.",
                          "The FEN's move number 1000000 is larger than 999849, the largest "
                          "from which Ravelin can number a game's moves."}));
    QCOMPARE(window.PieceOn("e1"), int(King));
    enter("4k3/8/8/3pP3/8/8/8/R3K3 w KQ d6 4 30");
    QCOMPARE(window.PieceOn("d5") * 10 + window.PieceOn("a1"), Pawn * 10 + Rook);
    QCOMPARE(fen(), QString("4k3/8/8/3pP3/8/8/8/R3K3 w Q d6 4 30"));
    StartChoices offered;
    window.prompts.startAnswers = {[&](StartChoices& choices) { offered = choices; }};
    window.Command(res::kCmdSetupPosition);
    QVERIFY(!palette->isVisible() && offered.side == White && offered.enPassant == "d6" &&
            offered.moveNumber == 30 && offered.castling[StartChoices::WhiteLong]);
    QCOMPARE(QString(window.Game().m_startFen), QString("4k3/8/8/3pP3/8/8/8/R3K3 w Q d6 4 30"));
    QCOMPARE(view->SquareSize(), boardSquare);
}

void SetupClipboardTest::copyAndReportButtonsPutExactTexts() {
    GameWindowFixture window;
    CVexilView* view =
        window.Open("undated.pgn", "[Event \"?\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 *\n");
    ClickLine(view, 2);  // moves read from a file have no date until a button stamps the one shown
    QTest::mouseClick(Button(view, "Copy"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             "  1. e2-e4 \t\t           \x0E\r\n  1. ... e7-e5 \t" +
                 QDate::currentDate().toString("MM/dd/yy") + "   \x0E\r\n");
    QTest::mouseClick(Button(view, "Rpt"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("1. e4 e5\n"));
}

void SetupClipboardTest::gamesInAndOutAsTextAndDroppedFiles() {
    GameWindowFixture window;
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto paste = [&](const QString& text) {
        clipboard->setText(text);
        window.Command(res::kCmdPasteGame);
    };
    const auto count = [&] { return int(window.Documents().Documents().size()); };

    // Neither game nor position: one sentence, no window.
    paste("Dear club,\nthe next meeting is on Tuesday.");
    QCOMPARE(window.prompts.told,
             QStringList{"The clipboard holds no PGN game or FEN position: it begins \"Dear "
                         "club, the next meeting is on Tuesda...\"."});
    QVERIFY(window.View() == nullptr);

    // A game: a new untitled window, modified, with its variation, note and tags.
    const QString game = "[White \"Coach\"]\n[WhiteElo \"2210\"]\n\n1. e4 {best} (1. d4 d5) e5 $1 *";
    paste(game);
    CVexilView* pasted = window.View();
    QVERIFY(pasted != nullptr && window.Document()->PathName().isEmpty());
    QVERIFY(window.Document()->IsModified());
    QCOMPARE(window.Lines(), (QStringList{"(starting position)", "1. e4", "1. d4", "1. ...\td5", "1. ...\te5!"}));
    // Copy Game gives what Export writes, so the game comes back whole.
    window.Command(res::kCmdCopyGame);
    QCOMPARE(clipboard->text().toStdString(), CopiedGameText(pasted->WholeGame()));
    QVERIFY(clipboard->text().contains("[WhiteElo \"2210\"]") &&
            clipboard->text().contains("1. e4 {best} (1. d4 d5) 1... e5 $1 *"));
    // Copy Position gives the FEN of the position shown.
    ClickLine(pasted, 1);
    window.Command(res::kCmdCopyPosition);
    QCOMPARE(clipboard->text(),
             QString("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));

    // A FEN without its counters starts a game from it; a wrong one is refused.
    paste("4k3/8/8/8/8/8/8/4K2R w K");
    QCOMPARE(count(), 2);
    QCOMPARE(window.Game().MakeFullFen(), std::string("4k3/8/8/8/8/8/8/4K2R w K - 0 1"));
    window.prompts.told.clear();
    paste("4k3/8/8/8/8/8/8/4K2KR w - - 0 1");
    QCOMPARE(window.prompts.told.size(), 1);
    QCOMPARE(count(), 2);

    // Several games ask which one; a move that cannot be played is refused as a file's is.
    window.prompts.gameChoices = {1, 0};
    paste("1. d4 d5 *\n\n1. c4 e5 2. Nf3 *");
    QCOMPARE(window.Lines(), (QStringList{"(starting position)", "1. c4", "1. ...\te5", "2. Nf3"}));
    window.prompts.told.clear();
    paste("1. e4 e5 *\n\n1. e5 *");
    QCOMPARE(window.prompts.told.size(), 0);  // the first game opened
    paste("1. e4 e5 2. Kd8 *");
    QCOMPARE(window.prompts.told.size(), 1);
    QVERIFY2(window.prompts.told[0].contains("2. Kd8"), qPrintable(window.prompts.told[0]));

    // Dropped files open as File > Open would, several at once; dropped text as pasted.
    const QString a = window.folder.filePath("a.pgn"), b = window.folder.filePath("b.pgn");
    WriteBytes(a, "1. f4 *\n");
    WriteBytes(b, "1. g3 *\n");
    const int before = count();
    // Straight to the window: the application passes a drop only to the target of a real drag.
    QObject* main = window.frame.get();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    main->event(&drop);
    QTRY_COMPARE(count(), before + 2);
    QCOMPARE(window.Document()->PathName(), b);
    QMimeData text;
    text.setText("8/8/8/8/8/8/k7/K7 b - - 3 40");
    QDropEvent dropText(QPointF(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    main->event(&dropText);
    QTRY_COMPARE(window.Game().MakeFullFen(), std::string("8/8/8/8/8/8/k7/K7 b - - 3 40"));
}

QTEST_MAIN(SetupClipboardTest)
#include "SetupClipboardTest.moc"