// The game window end to end: moves by mouse, questions, announcements, flip, save and open.
#include <unistd.h>

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QLabel>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableView>
#include <QtTest>

#include "CPromotionDlg.h"
#include "CSelectGameDlg.h"
#include "GameListModel.h"
#include "PgnReader.h"
#include "GameWindowSupport.h"
#include "TextField.h"

namespace {

const char kExpectedAfterE4[] =
    "[Event \"?\"]\r\n[Site \"?\"]\r\n[Date \"?\"]\r\n[Round \"?\"]\r\n[White \"?\"]\r\n"
    "[Black \"?\"]\r\n[Result \"*\"]\r\n[SETUP \"1\"]\r\n"
    "[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\"]\r\n"
    "1. e4 \r\n*\r\n";

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private slots:
    void oneMoveFromPressToSavedFile();
    void refusedMovesExplainAndPutThePieceBack();
    void interruptedCarryPutsThePieceBack();
    void replacingAnEarlierMoveAsksFirst();
    void promotionByChoiceAndByEscape();
    void gameEndsAreAnnouncedAndWritten();
    void flippedBoardDrawsAndPicksMirrored();
    void savedGameReopensWithTheSameList();
    void failedSaveKeepsOldFileAndModifiedFlag();
    void gameOfSeveralIsSavedInItsPlace();
    void selectGameFiltersSortsAndOpens();
    void boardSizesScaleTheBoardAndItsWindow();
    void turnFieldFollowsMovesNavigationAndWindows();
    void typedMovesTakeTheRoadOfADrop();
    void windowsOnOneGameLoseNoEdit();
};

void GameWindowTest::oneMoveFromPressToSavedFile() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    QVERIFY(view != nullptr);
    QCOMPARE(window.Lines(), QStringList{"(starting position)"});
    QVERIFY(!window.Document()->IsModified());

    window.Press(window.Centre("e2"));
    QCOMPARE(view->Game().GetPiece(4, 1), int(NoPiece));  // lifted while carried
    window.Release(window.Centre("e4"));
    QVERIFY2(window.prompts.told.isEmpty(), qPrintable(window.prompts.Transcript()));
    QCOMPARE(window.Lines(), (QStringList{"(starting position)", "1. e4"}));
    QCOMPARE(view->MoveList()->currentRow(), 1);
    QCOMPARE(view->Game().m_curPly, 1);
    QCOMPARE(view->Game().m_sideToMove, int(Black));
    QCOMPARE(QString(view->Game().m_ply[0].date), QDate::currentDate().toString("MM/dd/yy"));
    QVERIFY(window.Document()->IsModified());
    QCOMPARE(window.Document()->Game().m_plyCount, 1);

    const QString path = window.folder.filePath("one-move.pgn");
    window.prompts.saveNames.push_back(path);
    window.frame->Action(57603)->trigger();  // Save
    QCOMPARE(ReadBytes(path), QByteArray(kExpectedAfterE4));
    QVERIFY(!window.Document()->IsModified());
    QCOMPARE(window.Document()->Title(), QString("one-move.pgn"));
}

void GameWindowTest::refusedMovesExplainAndPutThePieceBack() {
    struct Row { const char* rule; const char* from; const char* to; const char* sentence; };
    const Row rows[] = {
        {"black piece while White is to move", "e7", "e5",
         "It is not Black's turn. Please move a White piece."},
        {"knight moving straight", "g1", "g3",
         "The Knight moves one square in a straight line and then one square diagonally."},
        {"piece put back on its square", "e2", "e2",
         "You should really move a piece once you've 'touched' it (if it has any legal move)."},
        {"bishop jumping", "f1", "c4", "The Bishop cannot jump over pieces."},
    };
    for (const Row& row : rows) {
        GameWindowFixture window;
        CVexilView* view = window.NewGame();
        const auto from = GameWindowFixture::Square(row.from);
        const int piece = view->Game().GetPiece(from.first, from.second);
        window.Drag(row.from, row.to);
        QCOMPARE(window.prompts.told, QStringList{row.sentence});
        QCOMPARE(view->Game().GetPiece(from.first, from.second), piece);
        QCOMPARE(window.Lines().size(), 1);
        QVERIFY2(!window.Document()->IsModified(), row.rule);
    }

    GameWindowFixture window;  // a drop off the board, released outside the view
    CVexilView* view = window.NewGame();
    window.Press(window.Centre("d2"));
    window.Release(QPoint(-40, 120));
    QCOMPARE(window.prompts.told, QStringList{"You cannot move pieces off the board!"});
    QCOMPARE(view->Game().GetPiece(3, 1), int(Pawn));

    // A press on an empty square carries nothing and its release does nothing.
    window.prompts.Clear();
    view->AnnotationBox()->setPlainText("kept");
    window.Drag("e4", "e5");
    QVERIFY(window.prompts.told.isEmpty());
    QCOMPARE(view->AnnotationBox()->toPlainText(), QString("kept"));
}

void GameWindowTest::interruptedCarryPutsThePieceBack() {
    for (const char* interruption :
         {"header dialog", "Escape", "right click in setup", "double click"}) {
        GameWindowFixture window;
        QVERIFY(QTest::qWaitForWindowActive(window.frame.get()));
        CVexilView* view = window.NewGame();
        const QByteArray row(interruption);
        if (row.contains("setup")) window.frame->Action(32775)->trigger();  // Setup Position
        window.Press(window.Centre("e2"));
        if (row.contains("header")) {  // opened by its keys, the button released while it is up
            window.prompts.editHeader = [&window](auto&) { window.Release(window.Centre("e4")); };
            QTest::keyClick(window.frame.get(), Qt::Key_E, Qt::AltModifier);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_H);
            QCOMPARE(window.prompts.headerDialogs, 1);
        } else if (row.contains("Escape")) {
            QTest::keyClick(view, Qt::Key_Escape);
        } else if (row.contains("right")) {
            QTest::mousePress(view, Qt::RightButton, {}, window.Centre("e2"));
        } else {
            QTest::mouseDClick(view, Qt::LeftButton, {}, window.Centre("e2"));
        }
        window.Release(window.Centre("e4"));
        QVERIFY2(view->Game().GetPiece(4, 1) == Pawn && view->Game().GetPiece(4, 3) == NoPiece,
                 interruption);
        QVERIFY2(view->cursor().shape() == Qt::ArrowCursor && window.Lines().size() == 1,
                 interruption);
        window.prompts.Clear();
        window.Drag("d1", "h5");  // the pawn is really back: the queen cannot pass
        if (!row.contains("setup"))
            QCOMPARE(window.prompts.told, QStringList{"The Queen cannot jump over pieces."});
    }
}

void GameWindowTest::replacingAnEarlierMoveAsksFirst() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.Play("e2e4 e7e5 g1f3 b8c6 f1b5 a7a6");
    QCOMPARE(window.Lines().size(), 7);
    view->MoveList()->setCurrentRow(3);  // after 2. Nf3, as the user selects it
    QCOMPARE(view->Game().m_curPly, 3);

    window.prompts.warningAnswers.push_back(false);
    window.Drag("d7", "d6");
    QCOMPARE(window.prompts.warningsAsked.size(), 1);
    QCOMPARE(window.Lines().size(), 7);
    QCOMPARE(view->Game().GetPiece(3, 6), int(Pawn));  // back on d7

    window.prompts.warningAnswers.push_back(true);
    window.Drag("d7", "d6");
    QCOMPARE(window.Lines(),
             (QStringList{"(starting position)", "1. e4", "1. ...\te5", "2. Nf3", "2. ...\td6"}));
    QCOMPARE(view->Game().m_plyCount, 4);

    // Replacing the last ply asks nothing.
    view->MoveList()->setCurrentRow(3);
    window.prompts.warningsAsked.clear();
    window.Drag("g8", "f6");
    QVERIFY(window.prompts.warningsAsked.isEmpty());
    QCOMPARE(window.Lines().last(), QString("2. ...\tNf6"));
}

void GameWindowTest::promotionByChoiceAndByEscape() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.Play("a2a4 h7h6 a4a5 h6h5 a5a6 h5h4 a6b7 h4h3");
    window.prompts.promotions.push_back(Knight);
    window.Drag("b7", "a8");
    QCOMPARE(window.prompts.promotionsAsked, 1);
    QCOMPARE(view->Game().GetPiece(0, 7), int(Knight));
    QCOMPARE(window.Lines().last(), QString("5. bxa8=N"));

    // The dialog itself: OK takes the chosen button, Escape gives a queen.
    for (const bool escape : {true, false}) {
        CPromotionDlg dialog;
        QTimer::singleShot(0, &dialog, [&dialog, escape] {
            dialog.findChildren<QRadioButton*>().at(1)->setChecked(true);
            escape ? QTest::keyClick(&dialog, Qt::Key_Escape) : dialog.accept();
        });
        dialog.exec();
        QCOMPARE(dialog.ChosenPiece(), int(escape ? Queen : Knight));
        const QLabel* text = dialog.findChild<QLabel*>();  // shown whole, in any font
        QVERIFY(text->width() >= text->sizeHint().width() &&
                dialog.rect().contains(text->geometry()));
    }
}

void GameWindowTest::gameEndsAreAnnouncedAndWritten() {
    struct Row { const char *fen, *moves, *told, *lastLine; };  // fen nullptr: the start
    const Row rows[] = {
        {nullptr, "f2f3 e7e5 g2g4 d8h4", "CheckMate!", "2. ...\tQh4#"},
        {nullptr, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3",
         "Draw by repetition (position has repeated 3 times).", "5. Nf3="},
        {"k7/8/1Q6/8/8/8/8/7K w - - 0 1", "b6c7", "StaleMate!", "1. Qc7="},
        {"8/8/8/8/8/8/k7/6NK w - - 99 80", "g1f3",
         "Draw by 50-move rule (each side has made 50 moves without a capture or Pawn move).",
         "80. Nf3="},
    };
    for (const Row& row : rows) {
        GameWindowFixture window;
        CVexilView* view = row.fen ? window.NewGameFrom(row.fen) : window.NewGame();
        window.Play(row.moves);
        QCOMPARE(window.prompts.told, QStringList{row.told});
        QCOMPARE(window.Lines().last(), QString(row.lastLine));
        window.prompts.Clear();
        window.Press(window.Centre("a2"));  // after the end no piece moves
        QCOMPARE(window.prompts.told,
                 QStringList{"The game is over. Please select New from the File menu."});
        QCOMPARE(view->Game().m_plyCount, QString(row.moves).count(' ') + 1);
    }
}

void GameWindowTest::flippedBoardDrawsAndPicksMirrored() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    QAction* flip = window.frame->Action(32771);
    QVERIFY(!flip->isChecked());
    flip->trigger();
    QVERIFY(view->IsFlipped());
    QVERIFY(flip->isChecked());
    QVERIFY(window.Document()->IsModified());
    QCOMPARE(CVexilView::SquareOrigin(0, 0, true), QPoint(244, 0));

    // The upper right square of a flipped board is a1, its rook drawn there.
    const QImage drawn = view->grab(QRect(0, 0, 288, 288)).toImage();
    const QImage rook = view->grab(QRect(244, 0, 32, 32)).toImage();
    QVERIFY(!drawn.isNull() && !rook.isNull());
    window.Press(QPoint(260, 16));
    QCOMPARE(view->Game().GetPiece(0, 0), int(NoPiece));  // a1's rook is carried
    window.Release(QPoint(260, 16));
    QCOMPARE(view->Game().GetPiece(0, 0), int(Rook));

    // A move on the flipped board: the press at the mirrored square of e2.
    window.prompts.Clear();
    window.Drag("e2", "e4");
    QCOMPARE(window.Lines().last(), QString("1. e4"));

    const QString path = window.folder.filePath("flipped.pgn");
    QCOMPARE(window.Document()->Save(path), CVexilDoc::SaveResult::Saved);
    QVERIFY(ReadBytes(path).endsWith("1. e4 \r\n\r\n%F\r\n*\r\n"));
}

void GameWindowTest::savedGameReopensWithTheSameList() {
    const QStringList expected{"(starting position)", "1. d4",      "1. ...\td5", "2. c4",
                               "2. ...\tdxc4",         "3. e4"};
    QString path;
    {
        GameWindowFixture window;
        window.NewGame();
        window.Play("d2d4 d7d5 c2c4 d5c4 e2e4");
        QCOMPARE(window.Lines(), expected);
        path = window.folder.filePath("reopen.pgn");
        window.prompts.saveAnswers.push_back(UserPrompts::SaveAnswer::Yes);
        window.prompts.saveNames.push_back(path);
        window.frame->Action(57602)->trigger();  // Close asks to save
        QCOMPARE(window.prompts.saveQuestions, QStringList{"Untitled1"});
        QTRY_VERIFY(window.frame->Area()->subWindowList().isEmpty());
        QVERIFY(QFile::exists(path));

        QVERIFY(window.Documents().OpenDocument(path) != nullptr);
        QVERIFY2(window.View() != nullptr, qPrintable(window.prompts.Transcript()));
        QCOMPARE(window.Lines(), expected);
        QCOMPARE(window.View()->MoveList()->currentRow(), 0);
        QCOMPARE(window.View()->Game().m_curPly, 0);
        QVERIFY(!window.Document()->IsModified());
        window.folder.setAutoRemove(false);
    }
    QFile::remove(path);
}

namespace {

// Makes a folder unwritable, for root through the immutable attribute; false when impossible.
bool LockFolder(const QString& folder, bool locked) {
    if (::geteuid() != 0) {
        return QFile::setPermissions(folder, locked ? QFile::ReadOwner | QFile::ExeOwner
                                                    : QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ExeOwner);
    }
    return QProcess::execute("chattr", {locked ? "+i" : "-i", folder}) == 0;
}

}  // namespace

void GameWindowTest::failedSaveKeepsOldFileAndModifiedFlag() {
    GameWindowFixture window;
    window.NewGame();
    const QString folder = window.folder.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/game.pgn";
    QCOMPARE(window.Document()->Save(path), CVexilDoc::SaveResult::Saved);
    const QByteArray before = ReadBytes(path);

    window.Play("e2e4");
    if (!LockFolder(folder, true)) QSKIP("this file system cannot lock a folder");
    window.frame->Action(57603)->trigger();  // Save
    LockFolder(folder, false);
    QCOMPARE(window.prompts.told, QStringList{"Failed to save document."});
    QCOMPARE(ReadBytes(path), before);
    QVERIFY(window.Document()->IsModified());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"game.pgn"});

    // A file that would not read back the same is not written: a two-move ply text forces it.
    window.prompts.Clear();
    CopyToField(window.Document()->Game().m_ply[0].text, PlyRecord::kTextSize, "1. e4 e5");
    window.frame->Action(57603)->trigger();
    QCOMPARE(window.prompts.told.size(), 1);
    QVERIFY(window.prompts.told.first().contains("without losing"));
    QCOMPARE(ReadBytes(path), before);
    QVERIFY(window.Document()->IsModified());
    QCOMPARE(QDir(folder, "*", QDir::Name, QDir::Files | QDir::Hidden).entryList(),
             QStringList{"game.pgn"});
}

void GameWindowTest::gameOfSeveralIsSavedInItsPlace() {
    GameWindowFixture window;
    const QString path = window.folder.filePath("three.pgn");
    const QByteArray one = "[Event \"One\"]\n[White \"Ames\"]\n\n1. e4 e5 {open} 1-0\n\n";
    const QByteArray two = "[Event \"Two\"]\n\n1. d4 d5 *\n\n";
    const QByteArray three = "[Event \"Three\"]\n\n1. c4 {English}\n0-1\n";
    WriteBytes(path, one + two + three);
    window.prompts.gameChoices = {1, 2, 1};
    CVexilDoc* second = window.Documents().OpenDocument(path);
    QVERIFY(second != nullptr);
    QCOMPARE(window.prompts.gameLists, QStringList{"three.pgn"});
    QCOMPARE(second->Title(), QString("three.pgn [2]"));
    QTest::mouseClick(Button(window.View(), "|>"), Qt::LeftButton);
    window.Play("g1f3");
    QTest::keyClicks(window.View()->AnnotationBox(), "Knight out");
    CVexilDoc* third = window.Documents().OpenDocument(path);
    QCOMPARE(window.Documents().OpenDocument(path), second);  // offered again, shown again
    QCOMPARE(window.Documents().Documents().size(), 2);
    QVERIFY(window.Documents().Save(second));
    const QByteArray saved = ReadBytes(path);
    QVERIFY(saved.startsWith(one + "[Event \"Two\"]\n"));
    QVERIFY(saved.endsWith("\n\n" + three));
    QVERIFY(!saved.contains('\r'));  // the file's own line ends
    auto reread = std::make_unique<CGameRecord>();
    const GameIndex index(saved.toStdString());
    const IndexedGame& listed = index.Games().at(1);
    QVERIFY(ReadPgnFromString(saved.toStdString().substr(listed.begin, listed.end - listed.begin),
                              *reread)
                .ok);
    QCOMPARE(reread->m_plyCount, 3);
    QCOMPARE(QString(reread->m_ply[2].text), QString("2. Nf3"));
    QCOMPARE(QString::fromStdString(reread->m_ply[2].note), QString("Knight out"));
    QVERIFY(window.Documents().Save(third));  // its bytes moved with the save before them
    QVERIFY(ReadBytes(path).startsWith(saved.left(saved.size() - three.size())));
    const QByteArray savedTwice = ReadBytes(path);

    // Changed on disk since: not written over; Save As is offered (and cancelled).
    window.Play("g8f6");
    WriteBytes(path, savedTwice + "\n1. e4 *\n");
    window.prompts.warningAnswers.push_back(false);
    QVERIFY(!window.Documents().Save(second));
    QVERIFY(window.prompts.warningsAsked.value(0).startsWith("three.pgn has changed on disk"));
    QCOMPARE(ReadBytes(path), savedTwice + "\n1. e4 *\n");
    QVERIFY(second->IsModified());

    // A broken middle game is listed with its problem and refused.
    const QString broken = window.folder.filePath("broken.pgn");
    WriteBytes(broken, one + "[Event \"Two\"]\n1. d4 d5\n\n" + three);
    window.prompts.gameChoices = {1};
    QVERIFY(window.Documents().OpenDocument(broken) == nullptr);
    QCOMPARE(window.prompts.listedGames.size(), std::size_t(3));
    const std::string problem = window.prompts.listedGames[1].problem;
    QVERIFY(!problem.empty());
    QCOMPARE(window.prompts.told, QStringList{QString::fromStdString(problem)});
}

void GameWindowTest::selectGameFiltersSortsAndOpens() {
    std::vector<IndexedGame> games(4);
    const char* const players[][2] = {{"Fischer", "Spassky"},
                                      {"Tal", "Petrosian"},
                                      {"Petrosian", "Fischer"},
                                      {"Karpov", "Kasparov"}};
    for (std::size_t i = 0; i < games.size(); ++i) {
        games[i].tags[CGameRecord::WhiteName] = players[i][0];
        games[i].tags[CGameRecord::BlackName] = players[i][1];
        games[i].plies = int(10 - i);
    }
    games[3].problem = "The file ends before this game's result.";
    CSelectGameDlg dialog("games.pgn", games);
    dialog.show();
    QTest::keyClicks(dialog.FilterBox(), "fISCH");
    QCOMPARE(dialog.Table()->model()->rowCount(), 2);
    dialog.Table()->horizontalHeader()->setSortIndicator(GameListModel::Moves, Qt::AscendingOrder);
    QCOMPARE(dialog.Table()->model()->index(0, GameListModel::Number).data().toString(), "3");
    QTest::keyClick(dialog.Table(), Qt::Key_Up);  // the current game followed the sort to row 1
    QTest::keyClick(dialog.FilterBox(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.ChosenGame(), 2);

    CSelectGameDlg refusing("games.pgn", games);
    refusing.show();
    QTest::keyClicks(refusing.FilterBox(), "kasp");
    QTest::keyClick(refusing.Table(), Qt::Key_Return);
    QCOMPARE(refusing.ChosenGame(), -1);
    QVERIFY(refusing.isVisible());
}

void GameWindowTest::boardSizesScaleTheBoardAndItsWindow() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    // The size is remembered: the next run starts at Normal again.
    const auto restore = qScopeGuard([&] { window.frame->Action(32791)->trigger(); });
    QImage normal;
    const char* const moves[] = {"e2e4", "e7e5", "g1f3"};
    for (int size = 0; size < 3; ++size) {
        window.frame->Action(32791 + size)->trigger();  // Normal, Large, Huge
        const int square = view->SquareSize();
        QCOMPARE(square, 32 + 16 * size);
        QCOMPARE(CVexilView::PreferredSquare(), square);
        for (int file = 0; file < 8; ++file) {
            for (int rank = 0; rank < 8; ++rank) {
                for (bool flipped : {false, true}) {
                    const QPoint centre = CVexilView::SquareCentre(file, rank, flipped, square);
                    int f, r;
                    CVexilView::SquareFromPoint(centre.x(), centre.y(), flipped, f, r, square);
                    QVERIFY(f == file && r == rank);
                }
            }
        }
        // The start position drawn at each size is the normal drawing scaled.
        const int extent = CVexilView::BoardExtent(square);
        const QImage board = view->grab(QRect(0, 0, extent, extent))
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32)
                                 .scaled(72, 72, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (size == 0) normal = board;
        int differing = 0;
        for (int y = 0; y < 72; ++y)
            for (int x = 0; x < 72; ++x)
                differing += qAbs(qGray(board.pixel(x, y)) - qGray(normal.pixel(x, y))) > 40;
        QVERIFY2(differing < 72 * 72 / 50, qPrintable(QString::number(differing)));
        auto* frame = window.Documents().ActiveFrame();
        QVERIFY(frame->size().width() >= frame->FormFrameSize().width() &&
                frame->size().height() >= frame->FormFrameSize().height());
        window.Play(moves[size]);  // pressed and released at the centres of this size
    }
    QCOMPARE(window.Lines().last(), QString("2. Nf3"));
    QVERIFY2(window.prompts.told.isEmpty(), qPrintable(window.prompts.Transcript()));
}

void GameWindowTest::turnFieldFollowsMovesNavigationAndWindows() {
    GameWindowFixture window;
    auto* field = window.frame->findChild<QLabel*>("turn");
    QCOMPARE(field->text(), QString());
    CVexilView* checked = window.NewGame();
    QCOMPARE(field->text(), QString("White to move"));
    window.Play("e2e4 f7f5 d1h5");
    QCOMPARE(field->text(), QString("Black to move, check"));
    checked->MoveList()->setCurrentRow(1);
    QCOMPARE(field->text(), QString("Black to move"));

    window.NewGame();
    window.Play("f2f3 e7e5 g2g4 d8h4");
    QCOMPARE(field->text(), QString("Checkmate"));
    window.frame->Area()->setActiveSubWindow(window.Documents().Frames(checked->GetDocument())[0]);
    QCOMPARE(field->text(), QString("Black to move"));
    window.prompts.warningAnswers.push_back(true);
    window.frame->Action(32775)->trigger();  // Setup Position
    QCOMPARE(field->text(), QString("Setup"));
    QVERIFY(!window.frame->Action(32790)->isEnabled());  // no typed moves in setup
}

void GameWindowTest::typedMovesTakeTheRoadOfADrop() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    QAction* enterMove = window.frame->Action(32790);
    window.prompts.typedMoves = {"Nf9", "Nf3"};
    enterMove->trigger();
    QCOMPARE(window.prompts.told, QStringList{"Ravelin cannot read \"Nf9\" as a move."});
    window.prompts.Clear();
    window.prompts.typedMoves = {"Bb4", "e7e5"};  // refused, the box stays open
    enterMove->trigger();
    window.prompts.typedMoves = {"d2d4"};
    enterMove->trigger();
    QCOMPARE(window.prompts.told, QStringList{"The Bishop cannot jump over pieces."});
    QCOMPARE(window.Lines(), (QStringList{"(starting position)", "1. Nf3", "1. ...\te5", "2. d4"}));
    QVERIFY(window.Document()->IsModified());

    view->MoveList()->setCurrentRow(1);  // an earlier ply: asked first
    window.prompts.typedMoves = {"d5"};
    enterMove->trigger();
    QCOMPARE(window.prompts.warningsAsked.size(), 1);
    QCOMPARE(window.Lines(), (QStringList{"(starting position)", "1. Nf3", "1. ...\td5"}));

    window.NewGameFrom("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    window.prompts.typedMoves = {"a7a8n"};
    enterMove->trigger();
    QCOMPARE(window.Lines().last(), QString("1. a8=N"));
    QCOMPARE(window.prompts.promotionsAsked, 0);
}

void GameWindowTest::windowsOnOneGameLoseNoEdit() {
    GameWindowFixture window;
    const QString path = window.folder.filePath("e4.pgn");
    WriteBytes(path, "[Event \"Two windows\"]\n\n1. e4 *\n");
    QVERIFY(window.Documents().OpenDocument(path) != nullptr);
    window.frame->Action(57648)->trigger();  // Window, New Window
    window.frame->Action(57651)->trigger();  // Tile
    QMdiArea* area = window.frame->Area();
    const QList<QMdiSubWindow*> frames = area->subWindowList();
    CVexilView* first = static_cast<CChildFrame*>(frames[0])->View();
    CVexilView* second = static_cast<CChildFrame*>(frames[1])->View();

    area->setActiveSubWindow(frames[0]);
    first->MoveList()->setCurrentRow(1);  // after 1. e4, as the user selects it
    window.Play("e7e5");
    QCOMPARE(second->MoveList()->count(), 3);
    QCOMPARE(second->MoveList()->currentRow(), 0);  // its shown line stays
    area->setActiveSubWindow(frames[1]);
    second->MoveList()->setCurrentRow(1);
    QTest::keyClicks(second->AnnotationBox(), "Best by test");
    window.frame->Action(57603)->trigger();  // Save
    QVERIFY(ReadBytes(path).contains("1. e4 {Best by test}\r\n\r\ne5 \r\n"));

    // A carry in one window while the other publishes: the move is played on the newer game.
    QTest::mousePress(first, Qt::LeftButton, {}, CVexilView::SquareCentre(6, 0, false));
    QTest::keyClicks(second->AnnotationBox(), "!");
    QTest::mouseRelease(first, Qt::LeftButton, {}, CVexilView::SquareCentre(5, 2, false));
    QCOMPARE(first->MoveList()->item(3)->text(), QString("2. Nf3"));
    QCOMPARE(window.Document()->Game().m_ply[0].note, std::string("Best by test!"));

    // A shown ply that is gone: the last is shown.
    second->MoveList()->setCurrentRow(0);
    window.prompts.warningAnswers.push_back(true);
    window.Drag("d2", "d4");
    QCOMPARE(first->MoveList()->currentRow(), 1);
    QCOMPARE(first->Game().GetPiece(3, 3), int(Pawn));
}

QTEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
