// Arrows and marks drawn with the right button, other programs' commands
// shown, clocks in the move list and the opening's name.
#include <QClipboard>
#include <QLabel>
#include <QtTest>

#include "GameWindowSupport.h"
#include "MoveListDelegate.h"

namespace {

// The note of the position `view` shows.
std::string ShownNote(CVexilView* view) {
    const CGameRecord& game = view->Game();
    const int line = game.m_curPly;
    return line == 0 ? game.m_startNote : game.m_ply[line - 1].note;
}

void RightDrag(CVexilView* view, const QPoint& from, const QPoint& to,
               Qt::KeyboardModifiers keys = {}) {
    QTest::mousePress(view, Qt::RightButton, keys, from);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::RightButton, keys, to);
}

// A game from another program: its arrows, marks and clocks, and commands
// no board can draw sound (a square off the board, a colour of none, a clock
// that is no time).
const QByteArray kOtherProgram =
    "[Event \"Blitz\"]\n\n"
    "1. e4 {[%clk 0:04:58] [%csl Rd5,Ge4][%cal Gg1f3,Rd1h5] Good move.} "
    "1... e5 {[%clk 0:04:51][%emt 0:00:07]} "
    "2. Nf3 {[%cal Gz9f3,Xe2e4,Bb1c3] [%csl Q] [%clk soon] Odd.} *\n";

}  // namespace

class DrawingTest : public QObject {
    Q_OBJECT
private slots:
    void rightButtonDrawsAndTakesAway();
    void coloursFollowTheKeysHeld();
    void anotherProgramsCommandsAreShownAndKept();
    void theOpeningIsNamedByPosition();
};

void DrawingTest::rightButtonDrawsAndTakesAway() {
    GameWindowFixture w;
    CVexilView* view = w.NewGame();
    w.Play("e2e4");
    QTest::keyClicks(view->AnnotationBox(), "Good move.");
    const QImage plain = view->grab().toImage();
    QGuiApplication::clipboard()->clear();
    w.Command(res::kCmdCopyBoardImage);
    const QImage plainPicture = QGuiApplication::clipboard()->image();

    RightDrag(view, w.Centre("g1"), w.Centre("f3"));
    QTest::mouseClick(view, Qt::RightButton, {}, w.Centre("d5"));
    QCOMPARE(ShownNote(view), "[%csl Gd5][%cal Gg1f3] Good move.");
    QCOMPARE(Box(view), QString("Good move."));
    const NoteParts shown = view->ShownDrawings();
    QCOMPARE(shown.arrows.size(), 1u);
    QCOMPARE(shown.marks.size(), 1u);
    // Drawn on the board and in the board's picture.
    const QPoint onArrow = (w.Centre("g1") + w.Centre("f3")) / 2;
    QVERIFY(view->grab().toImage().pixel(onArrow) != plain.pixel(onArrow));
    QVERIFY(view->grab().toImage().pixel(w.Centre("d5")) != plain.pixel(w.Centre("d5")));
    w.Command(res::kCmdCopyBoardImage);
    QVERIFY(QGuiApplication::clipboard()->image() != plainPicture);

    // Words edited keep the drawings.
    QTest::keyClicks(view->AnnotationBox(), " Best.");
    QCOMPARE(ShownNote(view), "[%csl Gd5][%cal Gg1f3] Good move. Best.");
    // Drawn again, each goes, and the note is as it was typed.
    RightDrag(view, w.Centre("g1"), w.Centre("f3"));
    QTest::mouseClick(view, Qt::RightButton, {}, w.Centre("d5"));
    QCOMPARE(ShownNote(view), "Good move. Best.");
    QCOMPARE(view->grab().toImage().pixel(onArrow), plain.pixel(onArrow));

    // Where there was no note, none is left; setup mode keeps the right
    // button for its dialog.
    w.Play("e7e5");
    QTest::mouseClick(view, Qt::RightButton, {}, w.Centre("e5"));
    QTest::mouseClick(view, Qt::RightButton, {}, w.Centre("e5"));
    QVERIFY(!view->Game().m_ply[1].hasNote);
    // A drag off the board draws nothing.
    RightDrag(view, w.Centre("e5"), QPoint(view->width() - 2, view->height() - 2));
    QVERIFY(!view->Game().m_ply[1].hasNote);
}

void DrawingTest::coloursFollowTheKeysHeld() {
    const struct {
        Qt::KeyboardModifiers keys;
        char colour;
    } rows[] = {
        {Qt::NoModifier, 'G'},      {Qt::ShiftModifier, 'R'},
        {Qt::AltModifier, 'B'},     {Qt::ShiftModifier | Qt::AltModifier, 'Y'},
        {Qt::ControlModifier, 'R'},  // as on the online boards
    };
    for (const auto& row : rows) {
        GameWindowFixture w;
        CVexilView* view = w.NewGame();
        RightDrag(view, w.Centre("g1"), w.Centre("f3"), row.keys);
        QTest::mouseClick(view, Qt::RightButton, row.keys, w.Centre("e4"));
        const std::string colour(1, row.colour);
        QCOMPARE(ShownNote(view), "[%csl " + colour + "e4][%cal " + colour + "g1f3]");
        // Drawn in another colour, an arrow takes that colour where it stands.
        RightDrag(view, w.Centre("g1"), w.Centre("f3"),
                  row.colour == 'G' ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(view->ShownDrawings().arrows.size(), 1u);
        QVERIFY(view->ShownDrawings().arrows[0].colour != row.colour);
    }
}

void DrawingTest::anotherProgramsCommandsAreShownAndKept() {
    GameWindowFixture w;
    CVexilView* view = w.Open("blitz.pgn", kOtherProgram);
    QVERIFY(view);
    w.Command(res::kCmdSave);
    const QByteArray saved = ReadBytes(w.path);
    for (const char* kept : {"[%csl Rd5,Ge4][%cal Gg1f3,Rd1h5] Good move.",
                             "[%clk 0:04:51][%emt 0:00:07]", "[%cal Gz9f3,Xe2e4,Bb1c3]"})
        QVERIFY2(saved.contains(kept), saved.constData());

    ClickLine(view, 1);
    QCOMPARE(Box(view), QString("Good move."));
    const NoteParts first = view->ShownDrawings();
    QCOMPARE(first.arrows.size(), 2u);
    QVERIFY((first.arrows[1] == NoteArrow{'R', Square(3, 0), Square(7, 4)}));
    QCOMPARE(first.marks.size(), 2u);
    QListWidget* list = view->MoveList();
    const auto clock = [&](int row) {
        return list->item(row)->data(MoveListDelegate::kClockRole).toString();
    };
    QCOMPARE(clock(1), QString("4:58"));
    QCOMPARE(clock(2), QString("4:51 +0:07"));
    QCOMPARE(clock(3), QString());
    QVERIFY(list->visualItemRect(list->item(2)).width() > 0);

    // What is sound of a bad command is shown, the rest kept as text.
    ClickLine(view, 3);
    QCOMPARE(Box(view), QString("Odd."));
    QCOMPARE(view->ShownDrawings().arrows.size(), 1u);
    QVERIFY(view->ShownDrawings().marks.empty());

    // Drawn and taken away, the file is saved as it was but for the start.
    RightDrag(view, w.Centre("a2"), w.Centre("a4"));
    QTest::mouseClick(view, Qt::RightButton, {}, w.Centre("a2"));
    RightDrag(view, w.Centre("a2"), w.Centre("a4"));
    QTest::mouseClick(view, Qt::RightButton, {}, w.Centre("a2"));
    w.Command(res::kCmdSave);
    // The start as FEN, which a game edited in a board view always writes.
    const QByteArray start =
        "[SETUP \"1\"]\r\n[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\"]\r\n";
    QCOMPARE(ReadBytes(w.path), QByteArray(saved).insert(saved.indexOf("1. e4"), start));

    // A note full of arrows draws them all; one more has no room, and the
    // note stays as it was.
    QByteArray many = "1. e4 {[%cal ";
    for (int i = 0; i < 680; ++i) many += "Ga1h8,";
    many += "Gb1c3]} *\n";
    view = w.Open("many.pgn", many);
    QVERIFY(view);
    ClickLine(view, 1);
    QCOMPARE(view->ShownDrawings().arrows.size(), 681u);
    view->grab();
    const std::string full = ShownNote(view);
    RightDrag(view, w.Centre("g1"), w.Centre("f3"));
    QCOMPARE(ShownNote(view), full);
    // Words typed stop where the note is full, its commands kept whole.
    QTest::keyClicks(view->AnnotationBox(), QString(20, 'w'));
    QCOMPARE(ShownNote(view), full + " www");
    QCOMPARE(ShownNote(view).size(), CGameRecord::kMaxNoteLength);
}

void DrawingTest::theOpeningIsNamedByPosition() {
    for (const char* moves : {"e2e4 e7e5 g1f3 b8c6 f1b5", "g1f3 b8c6 e2e4 e7e5 f1b5"}) {
        GameWindowFixture w;
        CVexilView* view = w.NewGame();
        QCOMPARE(view->OpeningText(), QString());
        w.Play(moves);
        QCOMPARE(view->OpeningText(), QString("C60 Ruy Lopez"));
        bool shown = false;
        for (QLabel* each : view->findChildren<QLabel*>())
            shown = shown || (each->isVisible() && each->text().startsWith("C60 Ruy"));
        QVERIFY(shown);
        ClickLine(view, 0);
        QCOMPARE(view->OpeningText(), QString());
    }
}

QTEST_MAIN(DrawingTest)
#include "DrawingTest.moc"
