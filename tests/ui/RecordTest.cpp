// The move list, note box, header and its dialog, and a game's own encoding, by real events.
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "ByteLimitedLineEdit.h"
#include "CHeaderInfoDlg.h"
#include "GameWindowSupport.h"

namespace {

const char kTooLongNote[] = "Please enter no more than 4096 characters.";
const char kTooLongTag[] = "Please enter no more than 245 characters.";

// Selects a line of the move list with the mouse.
void ClickLine(CVexilView* view, int line) {
    QListWidget* list = view->MoveList();
    list->scrollToItem(list->item(line));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(line)).center());
}

// One key carrying a character beyond ASCII.
void TypeChar(QWidget* widget, const QString& character) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, character, Qt::NoModifier);
}

void Type(CVexilView* view, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(view->AnnotationBox(), char(c.unicode()));
        else
            TypeChar(view->AnnotationBox(), QString(c));
    }
}

// The seven tag lines of a file, Black always "Bo".
QByteArray Header(const QByteArray& event, const QByteArray& site, const QByteArray& white) {
    return "[Event \"" + event + "\"]\r\n[Site \"" + site + "\"]\r\n[Date \"?\"]\r\n" +
           "[Round \"?\"]\r\n[White \"" + white + "\"]\r\n[Black \"Bo\"]\r\n[Result \"*\"]\r\n";
}

std::string NoteOfPly(const CGameRecord& game, int ply) {
    return game.m_ply[ply].hasNote ? game.m_ply[ply].note : std::string("<none>");
}

}  // namespace

class RecordTest : public QObject {
    Q_OBJECT
private slots:
    void linesChosenByMouseAndArrowKeysShowTheirPositionAndNote();
    void goToButtonsShowTheirPositionsNote();
    void gameOf300PliesLists301Lines();
    void noteTypedAfterAMoveBelongsToItAndIsSaved();
    void noteBoxKeysAndEmptiedNote();
    void noteLimitCountsBytesAndPasteBeyondItWarns();
    void headerDialogPublishesAndRefreshesEvenOnCancel();
    void headerDialogTabOrderAndTypingLimit();
    void tooLongTagFromFileStopsOkAtItsField();
    void filesShowTheirTextAndSaveUnchanged();
    void typingInAnEightBitGameStoresWindows1252();
};

void RecordTest::linesChosenByMouseAndArrowKeysShowTheirPositionAndNote() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.Play("e2e4");
    Type(view, "first");
    window.Play("e7e5");
    Type(view, "second");
    window.Play("g1f3");
    QCOMPARE(window.Lines().size(), 4);

    // key 0 is a click on the line; e4Piece what stands on e4 after the step.
    struct Step { const char* gesture; int key, line; const char* note; int e4Piece; };
    const Step steps[] = {
        {"click line 1", 0, 1, "first", Pawn},
        {"Down to line 2", Qt::Key_Down, 2, "second", Pawn},
        {"Down to line 3", Qt::Key_Down, 3, "", Pawn},
        {"click line 0", 0, 0, "", NoPiece},
        {"Down to line 1", Qt::Key_Down, 1, "first", Pawn},
        {"Up to line 0", Qt::Key_Up, 0, "", NoPiece},
        {"click line 2", 0, 2, "second", Pawn},
    };
    for (const Step& step : steps) {
        if (step.key == 0)
            ClickLine(view, step.line);
        else
            QTest::keyClick(view->MoveList(), Qt::Key(step.key));
        QVERIFY2(view->MoveList()->currentRow() == step.line, step.gesture);
        QVERIFY2(view->Game().m_curPly == step.line, step.gesture);
        QVERIFY2(Box(view) == step.note, step.gesture);
        QVERIFY2(view->Game().GetPiece(4, 3) == step.e4Piece, step.gesture);
    }
    QCOMPARE(view->Game().m_sideToMove, int(White));  // after 1... e5
    // Navigation never publishes: the document still holds the whole game.
    QCOMPARE(window.Document()->Game().m_plyCount, 3);
    QCOMPARE(window.Document()->Game().m_curPly, 3);
}

void RecordTest::goToButtonsShowTheirPositionsNote() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    QPushButton* toStart = Button(view, "<|");
    QPushButton* toEnd = Button(view, "|>");
    QVERIFY(toStart && toEnd);

    // A game without plies: "|>" stays on the starting position.
    QTest::mouseClick(toEnd, Qt::LeftButton);
    QCOMPARE(view->MoveList()->currentRow(), 0);
    QCOMPARE(view->Game().m_curPly, 0);
    QCOMPARE(view->Game().GetPiece(4, 1), int(Pawn));

    window.Play("e2e4 e7e5 g1f3");
    Type(view, "third");
    ClickLine(view, 2);
    Type(view, "kept");
    QTest::mouseClick(toStart, Qt::LeftButton);
    QCOMPARE(view->MoveList()->currentRow(), 0);
    QCOMPARE(view->Game().m_curPly, 0);
    QCOMPARE(view->Game().GetPiece(4, 1), int(Pawn));
    QCOMPARE(Box(view), QString());

    Type(view, "start");
    QCOMPARE(window.Document()->Game().m_startNote, std::string("start"));
    QCOMPARE(NoteOfPly(window.Document()->Game(), 1), std::string("kept"));

    QTest::mouseClick(toEnd, Qt::LeftButton);
    QCOMPARE(view->MoveList()->currentRow(), 3);
    QCOMPARE(view->Game().m_curPly, 3);
    QCOMPARE(view->Game().GetPiece(5, 2), int(Knight));
    QCOMPARE(Box(view), QString("third"));
}

void RecordTest::gameOf300PliesLists301Lines() {
    GameWindowFixture window;
    window.NewGame();
    CGameRecord& game = window.Document()->Game();
    static const char* const kShuffle[4] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    for (int ply = 0; ply < CGameRecord::kMaxPlies; ++ply) {
        const std::string number = std::to_string((ply + 2) / 2);
        game.m_curPly = ply;
        game.StorePly(-1, -1, -1, -1,
                      number + (ply % 2 == 0 ? ". " : ". ...\t") + kShuffle[ply % 4]);
    }
    game.m_curPly = game.m_plyCount = CGameRecord::kMaxPlies;
    window.Documents().NewWindow(window.Document());
    CVexilView* view = window.View();

    const QStringList lines = window.Lines();
    QCOMPARE(lines.size(), 301);
    QCOMPARE(lines.last(), QString("150. ...\tNg8"));
    QTest::mouseClick(Button(view, "|>"), Qt::LeftButton);
    QCOMPARE(view->MoveList()->currentRow(), 300);
    QCOMPARE(view->Game().m_curPly, 300);
    Type(view, "last");
    QCOMPARE(NoteOfPly(window.Document()->Game(), 299), std::string("last"));
    QTest::keyClick(view->MoveList(), Qt::Key_Up);
    QCOMPARE(view->Game().m_curPly, 299);
    QCOMPARE(Box(view), QString());
}

void RecordTest::noteTypedAfterAMoveBelongsToItAndIsSaved() {
    QTemporaryDir folder;
    const QString path = folder.filePath("notes.pgn");
    {
        GameWindowFixture window;
        QVERIFY(QTest::qWaitForWindowActive(window.frame.get()));
        CVexilView* view = window.NewGame();
        auto typeAtFocus = [](const char* text) {
            QTest::keyClicks(QApplication::focusWidget(), text);
        };
        QTest::mouseClick(view->AnnotationBox()->viewport(), Qt::LeftButton);
        typeAtFocus("Before play");  // line 0 is selected: the start note
        window.Play("e2e4");
        QCOMPARE(Box(view), QString());  // a move empties the box
        typeAtFocus("King pawn");
        ClickLine(view, 1);  // the list takes the focus; the next move gives it to the note
        window.Play("e7e5");
        typeAtFocus("Open");
        window.Drag("g1", "g1");  // refused: the note stays in the box and typing goes on
        QCOMPARE(window.prompts.told.size(), 1);
        typeAtFocus(" game");
        QCOMPARE(NoteOfPly(view->Game(), 0), std::string("King pawn"));
        QCOMPARE(window.Document()->Game().m_startNote, std::string("Before play"));
        QCOMPARE(window.Document()->Save(path), CVexilDoc::SaveResult::Saved);
    }
    QVERIFY(ReadBytes(path).contains("{Before play}\r\n1. e4 {King pawn}\r\n\r\ne5 {Open game}"));

    GameWindowFixture window;
    QVERIFY(window.Documents().OpenDocument(path) != nullptr);
    CVexilView* view = window.View();
    QCOMPARE(Box(view), QString());  // a game opens on an empty box
    ClickLine(view, 1);
    QCOMPARE(Box(view), QString("King pawn"));
    ClickLine(view, 0);
    QCOMPARE(Box(view), QString("Before play"));
}

void RecordTest::noteBoxKeysAndEmptiedNote() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.Play("d2d4");
    Type(view, "a");
    QTest::keyClick(view->AnnotationBox(), Qt::Key_Return);
    QTest::keyClick(view->AnnotationBox(), Qt::Key_Enter);
    Type(view, "b");
    QCOMPARE(Box(view), QString("ab"));
    QTest::keyClick(view->AnnotationBox(), Qt::Key_Return, Qt::ControlModifier);
    Type(view, "c");
    QCOMPARE(Box(view), QString("ab\nc"));
    QCOMPARE(NoteOfPly(window.Document()->Game(), 0), std::string("ab\r\nc"));
    QCOMPARE(window.Lines().size(), 2);  // Enter made no move and no dialog
    QVERIFY(window.prompts.told.isEmpty());

    for (int i = 0; i < 4; ++i) QTest::keyClick(view->AnnotationBox(), Qt::Key_Backspace);
    QCOMPARE(Box(view), QString());
    QCOMPARE(window.Document()->Game().m_ply[0].hasNote, 1);
    QCOMPARE(window.Document()->Game().m_ply[0].note, std::string());
}

void RecordTest::noteLimitCountsBytesAndPasteBeyondItWarns() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    {
        GameWindowFixture window;
        CVexilView* view = window.NewGame();
        QPlainTextEdit* box = view->AnnotationBox();
        QAction* paste = window.frame->Action(57637);
        window.Play("e2e4");
        auto noteSize = [&] { return window.Document()->Game().m_ply[0].note.size(); };

        clipboard->setText(QString(4095, 'x'));
        paste->trigger();
        QCOMPARE(noteSize(), std::size_t(4095));
        Type(view, "yz");  // only the y fits
        QCOMPARE(noteSize(), std::size_t(4096));
        QVERIFY(box->toPlainText().endsWith("xy"));
        QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(noteSize(), std::size_t(4096));

        // A line break takes two bytes, as CR LF.
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(noteSize(), std::size_t(4096));
        QVERIFY(window.Document()->Game().m_ply[0].note.substr(4094) == "\r\n");
        Type(view, "a");
        QCOMPARE(noteSize(), std::size_t(4096));

        // A two-byte character does not squeeze into one byte of room.
        QTest::keyClick(box, Qt::Key_Backspace);
        Type(view, "a");
        TypeChar(box, QString::fromUtf8("\xC3\xA9"));
        QCOMPARE(noteSize(), std::size_t(4095));
        QVERIFY(window.prompts.warned.isEmpty());
    }

    // Paste beyond the limit warns and never splits a character (more in BadInputTest).
    GameWindowFixture fresh;
    CVexilView* game = fresh.NewGame();
    clipboard->setText(QString(4095, 'y') + QString::fromUtf8("\xC3\xA9"));
    fresh.frame->Action(57637)->trigger();
    QCOMPARE(fresh.prompts.warned, QStringList{kTooLongNote});
    QCOMPARE(fresh.Document()->Game().m_startNote, std::string(4095, 'y'));
    QCOMPARE(Box(game), QString(4095, 'y'));
    QCOMPARE(game->AnnotationBox()->textCursor().selectedText(), QString(4095, 'y'));
}

void RecordTest::headerDialogPublishesAndRefreshesEvenOnCancel() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    QAction* editHeader = window.frame->Action(32773);
    QCOMPARE(view->HeaderBox()->toPlainText(),
             QString("EVENT: ?  SITE: ?  DATE: ?  ROUND: ?  WHITE: ?  BLACK: ?  RESULT:*"));

    // Cancel: the fields come back as they went in.
    QVERIFY(!window.Document()->IsModified());
    editHeader->trigger();
    QCOMPARE(window.prompts.headerDialogs, 1);
    QVERIFY(window.Document()->IsModified());
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        QCOMPARE(std::string(window.Document()->Game().m_tag[tag]), tag == 6 ? "*" : "?");

    window.prompts.editHeader = [](std::array<QString, 7>& tags) {
        tags[0] = "Club";
        tags[1] = "";
        tags[4] = QString::fromUtf8("Ren\xC3\xA9");
        tags[6] = "1-0";
    };
    editHeader->trigger();
    QCOMPARE(view->HeaderBox()->toPlainText(),
             QString::fromUtf8("EVENT: Club  SITE:   DATE: ?  ROUND: ?  WHITE: Ren\xC3\xA9"
                               "  BLACK: ?  RESULT:1-0"));
    const CGameRecord& published = window.Document()->Game();
    QCOMPARE(std::string(published.m_tag[CGameRecord::Event]), std::string("Club"));
    QCOMPARE(std::string(published.m_tag[CGameRecord::Site]), std::string());
    QCOMPARE(std::string(published.m_tag[CGameRecord::WhiteName]), std::string("Ren\xC3\xA9"));
}

void RecordTest::headerDialogTabOrderAndTypingLimit() {
    GameWindowFixture window;
    CHeaderInfoDlg dialog(window.frame.get());
    dialog.SetFields({"?", "?", "?", "?", "?", "?", "*"});
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    QWidget* expected[9] = {Button(&dialog, "OK"), Button(&dialog, "Cancel")};
    for (int i = 0; i < 7; ++i) expected[i + 2] = dialog.Field(i);
    expected[0]->setFocus();
    for (int step = 1; step <= 9; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected[step % 9]);
    }

    ByteLimitedLineEdit* event = dialog.Field(0);
    event->clear();
    QTest::keyClicks(event, QString(250, 'a'));
    QCOMPARE(event->text(), QString(245, 'a'));

    ByteLimitedLineEdit* site = dialog.Field(1);
    site->clear();
    QTest::keyClicks(site, QString(244, 'b'));
    TypeChar(site, QString::fromUtf8("\xC3\xA9"));  // two bytes: one too many
    QCOMPARE(site->text(), QString(244, 'b'));
    QTest::keyClicks(site, "c");
    QCOMPARE(site->text().size(), 245);
    dialog.reject();
}

void RecordTest::tooLongTagFromFileStopsOkAtItsField() {
    GameWindowFixture window;
    const QString path = window.folder.filePath("long-tag.pgn");
    const QByteArray longName(250, 'W');
    WriteBytes(path, Header("Open", "?", longName) + "1. e4 \r\n*\r\n");
    QVERIFY(window.Documents().OpenDocument(path) != nullptr);
    QCOMPARE(QByteArray(window.View()->Game().m_tag[CGameRecord::WhiteName]), longName);

    bool stayedOpen = false;
    bool focusOnLongField = false;
    QString selected;
    window.prompts.editHeader = [&](std::array<QString, 7>& tags) {
        CHeaderInfoDlg dialog(window.frame.get());
        dialog.SetFields(tags);
        QTimer::singleShot(0, &dialog, [&] {
            dialog.Field(0)->setText("Changed above");
            dialog.Field(5)->setText("Changed below");
            QTest::mouseClick(Button(&dialog, "OK"), Qt::LeftButton);
            stayedOpen = dialog.isVisible();
            focusOnLongField = dialog.focusWidget() == dialog.Field(4);
            selected = dialog.Field(4)->selectedText();
            QTest::mouseClick(Button(&dialog, "Cancel"), Qt::LeftButton);
        });
        dialog.exec();
        tags = dialog.Fields();
    };
    window.frame->Action(32773)->trigger();

    QCOMPARE(window.prompts.warned, QStringList{kTooLongTag});
    QVERIFY(stayedOpen);
    QVERIFY(focusOnLongField);
    QCOMPARE(selected, QString(longName));
    // Cancel still brings in what OK took: the fields down to the long one.
    const CGameRecord& game = window.Document()->Game();
    QCOMPARE(std::string(game.m_tag[CGameRecord::Event]), std::string("Changed above"));
    QCOMPARE(QByteArray(game.m_tag[CGameRecord::WhiteName]), longName);
    QCOMPARE(std::string(game.m_tag[CGameRecord::BlackName]), std::string("Bo"));
    QVERIFY(window.Document()->IsModified());

    // In an 8-bit game an accented letter is one byte: 245 of them fit.
    window.prompts.warned.clear();
    CHeaderInfoDlg eightBit(window.frame.get());
    eightBit.SetEightBit(true);
    eightBit.SetFields({QString(245, QChar(0xE9)), "?", "?", "?", "?", "?", "*"});
    eightBit.accept();
    QVERIFY(window.prompts.warned.isEmpty());
    QCOMPARE(eightBit.result(), int(QDialog::Accepted));
}

void RecordTest::filesShowTheirTextAndSaveUnchanged() {
    struct Row { const char* encoding; QByteArray white; QByteArray note; };
    const Row rows[] = {
        {"Windows-1252", "Ren\xE9", "D\xE9j\xE0 \x93vu\x94"},
        {"UTF-8", "Ren\xC3\xA9", "D\xC3\xA9j\xC3\xA0 \xE2\x80\x9Cvu\xE2\x80\x9D"},
    };
    for (const Row& row : rows) {
        GameWindowFixture window;
        const QString path = window.folder.filePath("game.pgn");
        const QByteArray file =
            Header("?", "?", row.white) + "1. e4 {" + row.note + "}\r\n\r\n*\r\n";
        WriteBytes(path, file);
        QVERIFY(window.Documents().OpenDocument(path) != nullptr);
        CVexilView* view = window.View();
        const QString header = view->HeaderBox()->toPlainText();
        QVERIFY2(header.contains(QString::fromUtf8("WHITE: Ren\xC3\xA9  BLACK")), row.encoding);
        ClickLine(view, 1);
        const QString note = QString::fromUtf8("D\xC3\xA9j\xC3\xA0 \xE2\x80\x9Cvu\xE2\x80\x9D");
        QVERIFY2(Box(view) == note, row.encoding);

        const QString copy = window.folder.filePath("copy.pgn");
        QCOMPARE(window.Document()->Save(copy), CVexilDoc::SaveResult::Saved);
        QVERIFY2(ReadBytes(copy) == file, row.encoding);
    }
}

void RecordTest::typingInAnEightBitGameStoresWindows1252() {
    GameWindowFixture window;
    const QString path = window.folder.filePath("latin.pgn");
    WriteBytes(path, Header("?", "Saint-\xC9tienne", "Ren\xE9") + "1. e4 \r\n*\r\n");
    QVERIFY(window.Documents().OpenDocument(path) != nullptr);
    CVexilView* view = window.View();
    ClickLine(view, 1);
    Type(view, QString::fromUtf8("d\xC3\xA9j\xC3\xA0"));
    const CGameRecord& game = window.Document()->Game();
    QCOMPARE(game.m_ply[0].note, std::string("d\xE9j\xE0"));

    // Only the changed field is stored anew, in the game's encoding.
    window.prompts.editHeader = [](std::array<QString, 7>& tags) {
        tags[5] = QString::fromUtf8("B\xC3\xB6");
    };
    window.frame->Action(32773)->trigger();
    QCOMPARE(std::string(game.m_tag[CGameRecord::BlackName]), std::string("B\xF6"));
    QCOMPARE(std::string(game.m_tag[CGameRecord::WhiteName]), std::string("Ren\xE9"));
    QCOMPARE(window.Document()->Save(path), CVexilDoc::SaveResult::Saved);
    const QByteArray saved = ReadBytes(path);
    QVERIFY(saved.contains("[White \"Ren\xE9\"]\r\n[Black \"B\xF6\"]\r\n"));
    QVERIFY(saved.contains("1. e4 {d\xE9j\xE0}\r\n"));

    // A character Windows-1252 lacks turns the whole game to UTF-8.
    TypeChar(view->AnnotationBox(), QString::fromUtf8("\xC5\x81"));
    QCOMPARE(game.m_ply[0].note, std::string("d\xC3\xA9j\xC3\xA0\xC5\x81"));
    QCOMPARE(std::string(game.m_tag[CGameRecord::WhiteName]), std::string("Ren\xC3\xA9"));
    QCOMPARE(std::string(game.m_tag[CGameRecord::Site]), std::string("Saint-\xC3\x89tienne"));
    QVERIFY(view->HeaderBox()->toPlainText().contains(QString::fromUtf8("WHITE: Ren\xC3\xA9")));
}

QTEST_MAIN(RecordTest)
#include "RecordTest.moc"
