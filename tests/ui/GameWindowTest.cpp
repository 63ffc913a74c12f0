// The game window end to end: moves by mouse, questions, announcements, flip, save and open.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QtTest>

#include "BoardSplitHandle.h"
#include "CEnterMoveDlg.h"
#include "CPromotionDlg.h"
#include "CSelectGameDlg.h"
#include "GameIndex.h"
#include "GameWindowSupport.h"
#include "PgnReader.h"
#include "QtUserPrompts.h"
#include "TextField.h"

namespace {

// The mean grey, 0 black to 255 white, of the middle half of a square as the view draws it.
int Grey(CVexilView* view, const char* name) {
    const QImage image = view->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const int quarter = view->SquareSize() / 4;
    const QPoint centre = view->SquareCentre(name[0] - 'a', name[1] - '1');
    long sum = 0, count = 0;
    for (int x = centre.x() - quarter; x < centre.x() + quarter; ++x)
        for (int y = centre.y() - quarter; y < centre.y() + quarter; ++y, ++count)
            sum += qGray(image.pixel(QPoint(x, y) * scale));
    return int(sum / count);
}

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private slots:
    void moveSavedOnCloseAndReopened();
    void refusedAndInterruptedCarriesPutThePieceBack();
    void questionsBeforeReplacingAndPromoting();
    void flipAndGameEnd();
    void saveThatWouldLoseSomethingKeepsTheOldFile();
    void gameOfSeveralIsChosenAndSavedInItsPlace();
    void largeFileIsListedWithProgressAndMayBeCancelled();
    void boardSizesAndTurnField();
    void pointsMapToSquaresAtEverySize();
    void theBoardFillsItsWindow();
    void typedMovesTakeTheRoadOfADrop();
    void windowsOnOneGameLoseNoEdit();
    void variationsArePlayedFollowedPromotedAndDeleted();
    void replacingAsksWheneverMoreThanTheMoveGoes();
    void variationsStopAtTheirBound();
};

void GameWindowTest::moveSavedOnCloseAndReopened() {
    GameWindowFixture window;
    window.NewGame();
    window.Press(window.Centre("e2"));
    QCOMPARE(window.PieceOn("e2"), int(NoPiece));  // lifted while carried
    window.Release(window.Centre("e4"));
    // The window and its document hold one copy of the plies, after a move
    // and after opening.
    QVERIFY(window.View()->Game().m_ply.Shares(window.Game().m_ply));
    const QString path = window.folder.filePath("one-move.pgn");
    window.prompts.saveAnswers.push_back(UserPrompts::SaveAnswer::Yes);
    window.prompts.saveNames.push_back(path);
    window.Command(res::kCmdClose);
    QCOMPARE(window.prompts.saveQuestions, QStringList{"Untitled1"});
    QCOMPARE(ReadBytes(path),
             "[Event \"?\"]\r\n[Site \"?\"]\r\n[Date \"?\"]\r\n[Round \"?\"]\r\n[White \"?\"]\r\n"
             "[Black \"?\"]\r\n[Result \"*\"]\r\n[SETUP \"1\"]\r\n"
             "[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\"]\r\n"
             "1. e4 \r\n*\r\n");
    QTRY_VERIFY(window.frame->Area()->subWindowList().isEmpty());
    QVERIFY(window.Documents().OpenDocument(path) != nullptr);
    QCOMPARE(window.Lines(), (QStringList{"(starting position)", "1. e4"}));
    QCOMPARE(window.View()->MoveList()->currentRow(), 0);  // shown from its start
    QVERIFY(window.View()->Game().m_ply.Shares(window.Game().m_ply));
}

void GameWindowTest::refusedAndInterruptedCarriesPutThePieceBack() {
    const std::tuple<const char*, const char*, QString> rows[] = {
        // to nullptr: outside
        {"f1", "c4", "The Bishop cannot jump over pieces."},
        {"d2", nullptr, "You cannot move pieces off the board!"},
        {"e4", "e5", ""},        // an empty square carries nothing
        {"e2", "e4", "Escape"},  // interrupted by the key
        {"e2", "e4", "dialog"},  // by the header dialog, opened by its keys
    };
    for (const auto& [from, to, how] : rows) {
        GameWindowFixture window;
        QVERIFY(QTest::qWaitForWindowActive(window.frame.get()));
        CVexilView* view = window.NewGame();
        const int piece = window.PieceOn(from);
        window.Press(window.Centre(from));
        if (how == "Escape") QTest::keyClick(view, Qt::Key_Escape);
        if (how == "dialog") {  // the button released while it is up
            window.prompts.editHeader = [&window](auto&) { window.Release(window.Centre("e4")); };
            QTest::keyClick(window.frame.get(), Qt::Key_E, Qt::AltModifier);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_H);
            QCOMPARE(window.prompts.headerDialogs, 1);
        }
        window.Release(to ? window.Centre(to) : QPoint(-40, 120));
        if (how.contains(' ') || how.contains('!') || how.isEmpty())
            QCOMPARE(window.prompts.told, how.isEmpty() ? QStringList() : QStringList{how});
        QVERIFY2(window.PieceOn(from) == piece && window.PieceOn("e4") == NoPiece, qPrintable(how));
        QVERIFY(view->cursor().shape() == Qt::ArrowCursor && window.Lines().size() == 1);
    }
}

void GameWindowTest::questionsBeforeReplacingAndPromoting() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.Play("a2a4 h7h6 a4a5 h6h5 a5a6 h5h4 a6b7 h4h3");
    QCOMPARE(window.Document()->Save(window.folder.filePath("b7.pgn")),
             CVexilDoc::SaveResult::Saved);
    // The real "Promotion!": Escape and the close box take the move back, OK takes the piece
    // chosen; each OK row, played again over the last ply, replaces it.
    struct RealPromotion : QtUserPrompts {
        BranchAnswer AskBranch(const QString&) override { return BranchAnswer::Replace; }
    } real;
    UserPrompts* const scripted = SetPrompts(&real);
    auto restore = qScopeGuard([scripted] { SetPrompts(scripted); });
    const std::tuple<QString, QString, int, QString> rows[] = {
        {"Escape", "Knight", Rook, "4. ...\th3"}, {"close box", "Knight", Rook, "4. ...\th3"},
        {"OK", "Queen", Queen, "5. bxa8=Q"},      {"OK", "Rook", Rook, "5. bxa8=R"},
        {"OK", "Bishop", Bishop, "5. bxa8=B"},    {"OK", "Knight", Knight, "5. bxa8=N"},
    };
    for (const auto& [close, piece, onA8, line] : rows) {
        QTimer::singleShot(0, [close, piece] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<CPromotionDlg*>(top);
                if (dialog == nullptr || !dialog->isVisible()) continue;
                for (QRadioButton* radio : dialog->findChildren<QRadioButton*>())
                    if (radio->text() == piece) radio->click();
                if (close == "Escape") QTest::keyClick(dialog, Qt::Key_Escape);
                if (close == "close box") dialog->close();
                if (close == "OK") QTest::mouseClick(Button(dialog, "OK"), Qt::LeftButton);
            }
        });
        if (window.Lines().size() == 10) ClickLine(view, 8);
        window.Drag("b7", "a8");
        const bool taken = close == "OK";
        QVERIFY2(window.PieceOn("b7") == (taken ? NoPiece : Pawn) && window.PieceOn("a8") == onA8 &&
                     window.Document()->IsModified() == taken,
                 qPrintable(close + " " + piece));
        QCOMPARE(window.Lines().last(), line);
    }
    restore.dismiss();
    SetPrompts(scripted);
    ClickLine(view, 6);  // after 3... h4: replacing asks, declined then accepted
    window.prompts.branchAnswers = {UserPrompts::BranchAnswer::Replace,
                                    UserPrompts::BranchAnswer::Replace};
    window.prompts.warningAnswers = {false, true};
    window.Drag("a1", "a2");
    QCOMPARE(window.Lines().size(), 10);
    window.Drag("a1", "a2");
    QCOMPARE(window.Lines().mid(7), QStringList{"4. Ra2"});
    QCOMPARE(window.prompts.branchQuestions,
             QStringList(2,
                         "The game goes on here with 4. axb7. Add 4. Ra2 as a new variation, or "
                         "replace the moves that follow with it?"));
}

void GameWindowTest::flipAndGameEnd() {
    GameWindowFixture window;
    QVERIFY(window.NewGame() &&
            window.Document()->Game().SetFromFen("k7/8/1Q6/8/8/8/8/K7 w - - 0 1"));
    window.Documents().NewWindow(window.Document());  // a fresh window shows the position
    CVexilView* view = window.View();
    window.Command(res::kCmdFlipBoard);
    QVERIFY(view->IsFlipped() && window.frame->Action(res::kCmdFlipBoard)->isChecked());
    window.Press(QPoint(260, 16));  // the upper right square is a1
    QCOMPARE(window.PieceOn("a1"), int(NoPiece));
    QTest::keyClick(view, Qt::Key_Escape);
    window.Drag("b6", "c7");
    window.Press(window.Centre("a1"));  // after the end no piece moves
    QCOMPARE(
        window.prompts.told,
        (QStringList{"StaleMate!", "The game is over. Please select New from the File menu."}));
    const QString path = window.folder.filePath("flipped.pgn");
    QCOMPARE(window.Document()->Save(path), CVexilDoc::SaveResult::Saved);
    QVERIFY(ReadBytes(path).endsWith("1. Qc7= \r\n\r\n%F\r\n*\r\n"));
}

void GameWindowTest::saveThatWouldLoseSomethingKeepsTheOldFile() {
    GameWindowFixture window;
    window.NewGame();
    const QString path = window.folder.filePath("game.pgn");
    QCOMPARE(window.Document()->Save(path), CVexilDoc::SaveResult::Saved);
    const QByteArray before = ReadBytes(path);
    window.Play("e2e4");  // a two-move ply text would not read back the same
    CopyToField(window.Document()->Game().m_ply[0].text, PlyRecord::kTextSize, "1. e4 e5");
    window.Command(res::kCmdSave);
    QVERIFY(window.prompts.told.value(0).contains("without losing"));
    QCOMPARE(ReadBytes(path), before);
    QVERIFY(window.Document()->IsModified());
    QCOMPARE(QDir(window.folder.path(), "*", QDir::Name, QDir::Files | QDir::Hidden).entryList(),
             QStringList{"game.pgn"});
}

void GameWindowTest::largeFileIsListedWithProgressAndMayBeCancelled() {
    GameWindowFixture window;
    // Every file taken as a large one, its progress shown at once.
    window.Documents().SetListingThresholds(0, 0);
    const QByteArray games =
        "[Event \"One\"]\n\n1. e4 e5 1-0\n\n[Event \"Two\"]\n\n1. d4 *\n\n"
        "[Event \"Three\"]\n\n1. c4 c5 2. Nc3 0-1\n";
    const int before = window.Documents().Documents().size();
    window.prompts.cancelAt = 0;
    window.prompts.gameChoices = {2};
    QVERIFY(!window.Open("big.pgn", games));  // cancelled while listing: nothing opens
    QVERIFY(window.Documents().OpenCancelled());
    QCOMPARE(window.Documents().Documents().size(), before);
    QCOMPARE(window.prompts.progressTexts, QStringList{"Listing the games of big.pgn..."});
    QVERIFY(window.prompts.listedProblems.isEmpty() && window.prompts.told.isEmpty());

    window.prompts.progressValues.clear();
    QVERIFY(window.Open("big.pgn", games));  // listed, and only the chosen game read
    QCOMPARE(window.prompts.progressValues.back(), 1000);
    QCOMPARE(window.prompts.listedProblems, QStringList({"", "", ""}));
    QCOMPARE(window.Document()->Title(), QString("big.pgn [3]"));
    QCOMPARE(window.Document()->Game().m_plyCount, 3);
}

void GameWindowTest::gameOfSeveralIsChosenAndSavedInItsPlace() {
    GameWindowFixture window;
    const QByteArray one = "[Event \"One\"]\n[White \"Fischer\"]\n\n1. e4 e5 {open} 1-0\n\n";
    const QByteArray three = "[Event \"Three\"]\n[Black \"Fischer\"]\n\n1. c4 {English}\n0-1\n";
    window.prompts.gameChoices = {1};
    QVERIFY(window.Open("three.pgn", one + "[Event \"Two\"]\n\n1. d4 d5 *\n\n" + three));
    QCOMPARE(window.Document()->Title(), QString("three.pgn [2]"));
    CVexilDoc* second = window.Document();
    QTest::mouseClick(Button(window.View(), "|>"), Qt::LeftButton);
    window.Play("g1f3");
    QVERIFY(window.Documents().Save(second));
    const QByteArray saved = ReadBytes(window.path);  // in its place, with the file's line ends
    QVERIFY(saved.startsWith(one + "[Event \"Two\"]\n") && saved.endsWith("\n\n" + three));
    QVERIFY(saved.contains("2. Nf3 \n") && !saved.contains('\r'));

    // Changed on disk since: not written over; Save As is offered (and declined).
    window.Play("g8f6");
    WriteBytes(window.path, one);
    window.prompts.warningAnswers.push_back(false);
    QVERIFY(!window.Documents().Save(second));
    QVERIFY(window.prompts.warningsAsked.value(0).startsWith("three.pgn has changed on disk"));
    QCOMPARE(ReadBytes(window.path), one);

    // The list: filtered by a name in any case; a broken game refused with its problem.
    window.prompts.gameChoices = {1};
    const QByteArray broken = one + "[Event \"Two\"]\n1. d4 d5\n\n" + three;
    QVERIFY(!window.Open("broken.pgn", broken));
    QCOMPARE(window.prompts.told, QStringList{pgnmsg::kNextGameFirst});
    const GameIndex listed(std::string_view(broken.constData(), broken.size()));
    CSelectGameDlg dialog("broken.pgn", listed.Games());
    dialog.show();
    QTest::keyClicks(dialog.FilterBox(), "fISCH");
    QTest::keyClick(dialog.FilterBox(), Qt::Key_Down);  // moves the table's row
    QTest::keyClick(dialog.FilterBox(), Qt::Key_Return);
    QCOMPARE(dialog.ChosenGame(), 2);
}

void GameWindowTest::boardSizesAndTurnField() {
    GameWindowFixture window;
    auto* turn = window.frame->findChild<QLabel*>("turn");
    CVexilView* view = window.NewGame();
    const auto restore = qScopeGuard([&] { window.Command(res::kCmdBoardNormal); });
    const int commands[] = {res::kCmdBoardNormal, res::kCmdBoardLarge, res::kCmdBoardHuge};
    const char* const moves[] = {"e2e4", "f7f5", "d1h5"};
    const char* const turns[] = {"Black to move", "White to move", "Black to move, check"};
    for (int size = 0; size < 3; ++size) {
        window.Command(commands[size]);
        QCOMPARE(view->SquareSize(), 32 + 16 * size);
        // A white pawn is drawn lighter than a black one, on either shade of square.
        QVERIFY(Grey(view, "a2") > Grey(view, "b7") + 32 &&
                Grey(view, "b2") > Grey(view, "a7") + 32);
        window.Play(moves[size]);  // pressed and released at the centres of this size
        QCOMPARE(turn->text(), QString(turns[size]));
    }
    // At Huge new windows stay inside the area, at its corner when larger; back at
    // Normal every window shrinks to its form again and still lies inside.
    for (int i = 0; i < 3; ++i) window.NewGame();
    const QRect area = window.frame->Area()->viewport()->rect();
    for (int command : {res::kCmdBoardHuge, res::kCmdBoardNormal}) {
        window.Command(command);
        for (QMdiSubWindow* sub : window.frame->Area()->subWindowList()) {
            auto* child = static_cast<CChildFrame*>(sub);
            QVERIFY(area.contains(sub->geometry()) || sub->pos() == QPoint(0, 0));
            if (command == res::kCmdBoardNormal) QCOMPARE(sub->size(), child->FormFrameSize());
        }
    }
    window.Command(res::kCmdSetupPosition);
    QCOMPARE(turn->text(), QString("Setup"));
    QVERIFY(!window.frame->Action(res::kCmdEnterMove)->isEnabled());  // no typed moves in setup
}

void GameWindowTest::pointsMapToSquaresAtEverySize() {
    // Every square's centre and the points a third of a square around it map
    // back to it, at the smallest board, the normal one and sizes between
    // and beyond, from either side; a point past the last square is off it.
    for (const int square : {16, 17, 32, 33, 48, 61, 64, 103, 150}) {
        for (const bool flipped : {false, true}) {
            for (int file = 0; file < 8; ++file) {
                for (int rank = 0; rank < 8; ++rank) {
                    const Square at(file, rank);
                    const QPoint centre = board::CentreOf(at, square, flipped);
                    const int third = square / 3;
                    for (const QPoint point :
                         {centre, centre + QPoint(-third, -third), centre + QPoint(third, third)})
                        QVERIFY2(board::SquareAt(point, square, flipped) == at,
                                 qPrintable(QString("%1 %2 %3%4")
                                                .arg(square)
                                                .arg(flipped)
                                                .arg(QChar('a' + file))
                                                .arg(rank + 1)));
                }
            }
            const QPoint pastH1 =
                board::CentreOf(Square(flipped ? 0 : 7, flipped ? 7 : 0), square, flipped) +
                QPoint(square, 0);
            QVERIFY(!board::SquareAt(pastH1, square, flipped).IsOnBoard());
        }
    }
    // The room shared: the board the largest that leaves the text its base
    // size, within the user's share, never below 16; above the text when
    // the window is much taller than wide.
    const QSize text(280, 315);  // the text side alone, the form 600 wide with it
    const struct {
        QSize room;
        double share;
        int square;
        bool above;
    } rows[] = {
        {{600, 315}, 1.0, 32, false},   {{744, 432}, 1.0, 48, false},
        {{1900, 900}, 1.0, 100, false}, {{1900, 900}, 0.25, 52, false},
        {{1900, 900}, 0.0, 16, false},  {{400, 200}, 1.0, 16, false},
        {{620, 1400}, 1.0, 68, true},   {{620, 1400}, 0.25, 38, true},
    };
    for (const auto& row : rows) {
        const board::Fit fit = board::FitBoard(row.room, text, 600, row.share);
        QVERIFY2(fit.square == row.square && fit.above == row.above,
                 qPrintable(QString("%1x%2 %3: %4 %5")
                                .arg(row.room.width())
                                .arg(row.room.height())
                                .arg(row.share)
                                .arg(fit.square)
                                .arg(fit.above)));
    }
}

void GameWindowTest::theBoardFillsItsWindow() {
    QSettings().remove("Settings/BoardSquare");
    QSettings().remove("Settings/BoardShare");
    GameWindowFixture window;
    const auto restore = qScopeGuard([&] {
        window.Command(res::kCmdBoardNormal);
        QSettings().remove("Settings/BoardSquare");
        QSettings().remove("Settings/BoardShare");
    });
    window.frame->resize(1600, 1000);
    CVexilView* view = window.NewGame();
    auto* frame = static_cast<CChildFrame*>(window.frame->Area()->activeSubWindow());
    // Maximised, the board takes the room beside the text, and a drag on it plays.
    window.Command(res::kCmdBoardFit);
    QVERIFY(frame->isMaximized());
    QTRY_VERIFY(view->SquareSize() > 64);
    QVERIFY(window.frame->Action(res::kCmdBoardFit)->isChecked());
    QCOMPARE(view->MoveList()->geometry().right() < view->width(), true);
    QVERIFY(view->MoveList()->geometry().left() > 8 * view->SquareSize());
    window.Play("e2e4");
    QCOMPARE(window.Lines().last(), QString("1. e4"));
    // The split: dragged, the board keeps the share given; double-clicked, all it can.
    const int largest = view->SquareSize();
    auto* handle = view->findChild<BoardSplitHandle*>();
    QVERIFY(handle != nullptr && handle->isVisible());
    emit handle->Dragged(QPoint(view->width() / 4, 10));
    QVERIFY(view->SquareSize() < largest && view->SquareSize() >= 16);
    QCOMPARE(QSettings().value("Settings/BoardShare").toDouble(), view->BoardShare());
    window.Play("e7e5");  // still where the board is drawn
    QCOMPARE(window.Lines().last(), QString("1. ...\te5"));
    emit handle->Maximize();
    QCOMPARE(view->SquareSize(), largest);
    // Each size snaps the window, and is remembered: Normal and Huge size it,
    // Fit to Window maximises the windows opened later too.
    for (const int command : {res::kCmdBoardHuge, res::kCmdBoardNormal}) {
        window.Command(command);
        QVERIFY(!frame->isMaximized());
        QTRY_COMPARE(view->SquareSize(), command == res::kCmdBoardHuge ? 64 : 32);
        QVERIFY(window.frame->Action(command)->isChecked());
    }
    QCOMPARE(QSettings().value("Settings/BoardSquare").toInt(), 32);
    window.Command(res::kCmdBoardFit);
    QCOMPARE(QSettings().value("Settings/BoardSquare").toInt(), 0);
    window.NewGame();
    QVERIFY(window.frame->Area()->activeSubWindow()->isMaximized());
    // Too small for the smallest board, the window scrolls.
    window.Command(res::kCmdBoardNormal);
    auto* small = static_cast<CChildFrame*>(window.frame->Area()->activeSubWindow());
    small->resize(300, 200);
    QTRY_COMPARE(small->View()->SquareSize(), 16);
    QVERIFY(small->View()->width() >= small->View()->minimumWidth());
}

void GameWindowTest::typedMovesTakeTheRoadOfADrop() {
    GameWindowFixture window;
    window.NewGame();
    window.prompts.typedMoves = {"Nf9", "Bc4", "Nf3"};  // refused: the box stays open
    window.Command(res::kCmdEnterMove);
    QCOMPARE(window.prompts.told, (QStringList{"Ravelin cannot read \"Nf9\" as a move.",
                                               "The Bishop cannot jump over pieces."}));
    QCOMPARE(window.Lines().last(), QString("1. Nf3"));

    CEnterMoveDlg dialog([](const QString&) { return true; });  // its hint shows whole
    dialog.show();
    QLineEdit* field = dialog.Field();
    QStyleOptionFrame frame;
    frame.initFrom(field);
    frame.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, field);
    const QRect text = field->style()->subElementRect(QStyle::SE_LineEditContents, &frame, field);
    const QString hint = "Nf3, exd6, O-O, e8=N or g1f3";  // not cut short as the box paints it
    QCOMPARE(field->fontMetrics().elidedText(hint, Qt::ElideRight, text.width() - 4), hint);
}

void GameWindowTest::windowsOnOneGameLoseNoEdit() {
    GameWindowFixture window;
    QVERIFY(window.Open("e4.pgn", "[Event \"Two windows\"]\n\n1. e4 *\n"));
    window.Command(res::kCmdNewWindow);
    QMdiArea* area = window.frame->Area();
    const QList<QMdiSubWindow*> frames = area->subWindowList();
    CVexilView* first = static_cast<CChildFrame*>(frames[0])->View();
    CVexilView* second = static_cast<CChildFrame*>(frames[1])->View();
    area->setActiveSubWindow(frames[0]);
    ClickLine(first, 1);
    window.Play("e7e5");
    QCOMPARE(second->MoveList()->count(), 3);
    QCOMPARE(second->MoveList()->currentRow(), 0);  // its shown line stays
    ClickLine(second, 1);
    QTest::keyClicks(second->AnnotationBox(), "Best by test");
    // A carry in one window while the other publishes: the move is played on the newer game.
    QTest::mousePress(first, Qt::LeftButton, {}, first->SquareCentre(6, 0));
    QTest::keyClicks(second->AnnotationBox(), "!");
    QTest::mouseRelease(first, Qt::LeftButton, {}, first->SquareCentre(5, 2));
    window.Command(res::kCmdSave);
    QVERIFY(ReadBytes(window.path).contains("1. e4 {Best by test!}\r\n\r\ne5 \r\n2. Nf3 \r\n"));
}

void GameWindowTest::variationsArePlayedFollowedPromotedAndDeleted() {
    GameWindowFixture window;
    QVERIFY(window.Open("v.pgn", "[Event \"V\"]\n\n1. e4 e5 2. Nf3 Nc6 *\n"));
    window.Command(res::kCmdNewWindow);
    const QList<QMdiSubWindow*> frames = window.frame->Area()->subWindowList();
    CVexilView* view = static_cast<CChildFrame*>(frames[0])->View();
    CVexilView* other = static_cast<CChildFrame*>(frames[1])->View();
    window.frame->Area()->setActiveSubWindow(frames[0]);
    auto lines = [&window](CVexilView* shown) { return window.Lines(shown).join(" | "); };
    const QString head = "(starting position) | 1. e4 | 1. ...\te5 | ";
    const QString branched = head + "2. Nf3 | 2. d4 | 2. ...\texd4 | 2. ...\tNc6";
    // A different move where the line goes on: a new variation by default,
    // then its moves go on in it and its notes are its own.
    ClickLine(view, 2);
    window.Drag("d2", "d4");
    QCOMPARE(window.prompts.branchQuestions,
             QStringList{"The game goes on here with 2. Nf3. Add 2. d4 as a new variation, or "
                         "replace the moves that follow with it?"});
    window.Drag("e5", "d4");
    QTest::keyClicks(view->AnnotationBox(), "Open");
    QCOMPARE(lines(view), branched);
    QCOMPARE(lines(other), lines(view));
    QVERIFY(view->ShowsVariation() && window.frame->Action(res::kCmdPromoteVariation)->isEnabled());
    QCOMPARE(view->Game().m_plyCount, 4);  // the line shown, from the start
    // The moves a line already holds are followed without a question.
    ClickLine(view, 2);
    window.Drag("g1", "f3");
    QVERIFY(!view->ShowsVariation() && view->MoveList()->currentRow() == 3);
    ClickLine(view, 2);
    window.Drag("d2", "d4");
    QVERIFY(view->ShowsVariation() && view->MoveList()->currentRow() == 4);
    QCOMPARE(window.prompts.branchQuestions.size(), 1);
    // Cancel puts the piece back and changes nothing.
    ClickLine(view, 2);
    window.prompts.branchAnswers = {UserPrompts::BranchAnswer::Cancel};
    window.Drag("c2", "c4");
    QVERIFY(window.PieceOn("c2") == Pawn && window.PieceOn("c4") == NoPiece);
    QCOMPARE(lines(view), branched);
    // Keys walk the line shown, into and out of the variation; with Alt, from the note box.
    ClickLine(view, 1);
    for (int key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down})
        QTest::keyClick(view->MoveList(), Qt::Key(key));
    QVERIFY(view->ShowsVariation() && Box(view) == "Open");
    QTest::keyClick(view->MoveList(), Qt::Key_Left);
    QVERIFY(!view->ShowsVariation() && view->MoveList()->currentRow() == 2);
    QVERIFY(QTest::qWaitForWindowActive(window.frame.get()));
    for (int key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Right, Qt::Key_Down})
        QTest::keyClick(view->AnnotationBox(), Qt::Key(key), Qt::AltModifier);
    QVERIFY(view->ShowsVariation() && Box(view) == "Open");
    QTest::keyClick(view->AnnotationBox(), Qt::Key_Left, Qt::AltModifier);
    QVERIFY(!view->ShowsVariation() && view->MoveList()->currentRow() == 2);
    // Promoted, the old continuation becomes its variation, in both windows.
    ClickLine(view, 4);
    window.Command(res::kCmdPromoteVariation);
    QCOMPARE(lines(view), head + "2. d4 | 2. Nf3 | 2. ...\tNc6 | 2. ...\texd4");
    QCOMPARE(lines(other), lines(view));
    QVERIFY(!view->ShowsVariation() && Box(view) == "");
    // Deleting asks first; a variation of the moves after it goes with it.
    ClickLine(view, 5);
    window.prompts.warningAnswers = {false, true};
    window.Command(res::kCmdDeleteVariation);
    QCOMPARE(lines(view), head + "2. d4 | 2. Nf3 | 2. ...\tNc6 | 2. ...\texd4");
    window.Command(res::kCmdDeleteVariation);
    QCOMPARE(window.prompts.warningsAsked.last(),
             "Delete the variation 2. Nf3 with all its moves and the variations in it?");
    QCOMPARE(lines(view), head + "2. d4 | 2. ...\texd4");
    QVERIFY(!window.frame->Action(res::kCmdDeleteVariation)->isEnabled());
    window.Command(res::kCmdSave);
    QVERIFY(
        ReadBytes(window.path).endsWith("\r\n1. e4 \r\ne5 \r\n2. d4 \r\nexd4 {Open}\r\n\r\n*\r\n"));
}

void GameWindowTest::replacingAsksWheneverMoreThanTheMoveGoes() {
    // Rows: the game, the move-list row shown, the move played and answered
    // with Replace, whether the warning is asked, and the lines after OK.
    struct Row {
        const char* why;
        const char* game;
        int row;
        const char* move;
        bool asked;
        const char* after;
    };
    const QString start = "(starting position) | 1. e4 | 1. ...\te5 | ";
    const Row rows[] = {
        {"the main line's last move alone", "1. e4 e5 2. Nf3 *", 2, "d2d4", false, "2. d4"},
        {"the main line's last move with a variation", "1. e4 e5 2. Nf3 (2. Bc4) *", 2, "d2d4",
         true, "2. d4"},
        {"a variation's move with more after it", "1. e4 e5 2. Nf3 (2. Bc4 Nc6 3. d3) *", 4, "g8f6",
         true, "2. Nf3 | 2. Bc4 | 2. ...\tNf6"},
        {"a variation's last move alone", "1. e4 e5 2. Nf3 (2. Bc4 Nc6) *", 4, "d7d6", false,
         "2. Nf3 | 2. Bc4 | 2. ...\td6"},
        {"a variation's last move with a variation of its own",
         "1. e4 e5 2. Nf3 (2. Bc4 Nc6 (2... Nf6)) *", 4, "d7d6", true,
         "2. Nf3 | 2. Bc4 | 2. ...\td6"},
    };
    for (const Row& row : rows) {
        GameWindowFixture window;
        CVexilView* view = window.Open("r.pgn", QByteArray("[Event \"R\"]\n\n") + row.game + "\n");
        QVERIFY(view != nullptr);
        ClickLine(view, row.row);
        window.prompts.branchAnswers = {UserPrompts::BranchAnswer::Replace};
        window.prompts.warningAnswers = {true};
        window.Play(QString::fromLatin1(row.move));
        QVERIFY2(window.prompts.warningsAsked.size() == (row.asked ? 1 : 0), row.why);
        QVERIFY2(window.Lines().join(" | ") == start + row.after,
                 qPrintable(QString(row.why) + ": " + window.Lines().join(" | ")));
    }

    // While the question is open, the piece carried stands on its square.
    {
        GameWindowFixture window;
        CVexilView* view = window.Open("q.pgn", "[Event \"Q\"]\n\n1. e4 e5 *\n");
        QVERIFY(view != nullptr);
        struct LookAtBoard : ScriptedPrompts {
            GameWindowFixture* window = nullptr;
            QString seen;
            BranchAnswer AskBranch(const QString& text) override {
                seen = QString("%1 on d2, %2 on d4")
                           .arg(window->PieceOn("d2"))
                           .arg(window->PieceOn("d4"));
                return ScriptedPrompts::AskBranch(text);
            }
        } look;
        look.window = &window;
        ClickLine(view, 0);
        window.Drag("d2", "d4");
        QCOMPARE(look.seen, QString("%1 on d2, %2 on d4").arg(int(Pawn)).arg(int(NoPiece)));
    }

    // A line with a null move stays a variation, and says why.
    GameWindowFixture window;
    CVexilView* view = window.Open("n.pgn", "[Event \"N\"]\n\n1. e4 e5 (1... -- 2. d4) *\n");
    QVERIFY(view != nullptr);
    ClickLine(view, 3);
    window.Command(res::kCmdPromoteVariation);
    QCOMPARE(window.prompts.told,
             QStringList{VariationRefusalSentence(VariationRefusal::NullMoveNotMain)});
    QVERIFY(view->ShowsVariation());
}

void GameWindowTest::variationsStopAtTheirBound() {
    // Knights out and back: 2 + 98 + 199 * 100 half-moves in variations, as many as a game keeps.
    auto knights = [](int plies) {
        QByteArray text = "(1... Nf6";
        for (int ply = 2, move = 2; ply <= plies; ++move) {
            text += " " + QByteArray::number(move) + (move % 2 ? ". Ng1" : ". Nf3");
            if (++ply <= plies) text += move % 2 ? " Nf6" : " Ng8";
            ++ply;
        }
        return text + ") ";
    };
    GameWindowFixture window;
    QVERIFY(window.Open("full.pgn",
                        "1. e4 e5 " + knights(2) + knights(98) + knights(100).repeated(199) + "*"));
    const QString full =
        "This game's variations already hold 20000 half-moves, the most a game keeps. No further "
        "move can be added to a variation.";
    ClickLine(window.View(), 4);  // 2. Nf3, the end of the first variation
    window.Drag("f6", "g8");
    ClickLine(window.View(), 3);  // a new variation of 2. Nf3
    window.Drag("g1", "h3");
    QCOMPARE(window.prompts.told, QStringList(2, full));
    QVERIFY(window.PieceOn("g1") == Knight && !window.Document()->IsModified());
    ClickLine(window.View(), 2);  // the main line still takes moves
    window.Drag("g1", "f3");
    QCOMPARE(window.Lines().last(), QString("2. Nf3"));
    QCOMPARE(window.prompts.told.size(), 2);
}

QTEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
