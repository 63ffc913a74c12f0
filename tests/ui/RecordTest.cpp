// The move list, note box, header and its dialog, and a game's own encoding, by real events.
#include <QClipboard>
#include <QComboBox>
#include <QtTest>
#include <functional>

#include "ByteLimitedLineEdit.h"
#include "CHeaderInfoDlg.h"
#include "GameWindowSupport.h"

class RecordTest : public QObject {
    Q_OBJECT
private slots:
    void linesChosenByMouseKeysAndButtonsShowTheirPositionAndNote();
    void notesBelongToTheShownPlyAndAreSaved();
    void noteLimitCountsBytes();
    void headerDialogLimits();
    void typingInAnEightBitGameStoresWindows1252();
    void otherTagsAreEditedAddedAndRemoved();
};

void RecordTest::linesChosenByMouseKeysAndButtonsShowTheirPositionAndNote() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    QTest::mouseClick(Button(view, "|>"), Qt::LeftButton);  // no plies: stays on line 0
    QCOMPARE(view->MoveList()->currentRow(), 0);
    window.Play("e2e4");
    Type(view->AnnotationBox(), "first");
    window.Play("e7e5");
    Type(view->AnnotationBox(), "second");
    window.Play("g1f3");
    const std::tuple<QString, int, const char*> steps[] = {
        // gesture, line shown, its note
        {"1", 1, "first"}, {"Down", 2, "second"}, {"0", 0, ""},       {"Down", 1, "first"},
        {"Up", 0, ""},     {"|>", 3, ""},         {"2", 2, "second"}, {"<|", 0, ""},
    };
    for (const auto& [gesture, line, note] : steps) {
        if (gesture.size() == 1)
            ClickLine(view, gesture.toInt());
        else if (gesture.contains('|'))
            QTest::mouseClick(Button(view, gesture), Qt::LeftButton);
        else
            QTest::keyClick(view->MoveList(), gesture == "Up" ? Qt::Key_Up : Qt::Key_Down);
        QVERIFY2(view->MoveList()->currentRow() == line && Box(view) == note, qPrintable(gesture));
        QVERIFY2(window.PieceOn("e4") == (line ? Pawn : NoPiece), qPrintable(gesture));
    }
}

void RecordTest::notesBelongToTheShownPlyAndAreSaved() {
    QTemporaryDir folder;
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
        typeAtFocus(" game");
        // Enter neither moves nor breaks the line; Ctrl+Enter does, stored as CR LF.
        QTest::keyClick(view->AnnotationBox(), Qt::Key_Return);
        QTest::keyClick(view->AnnotationBox(), Qt::Key_Return, Qt::ControlModifier);
        typeAtFocus("x");
        QCOMPARE(window.Document()->Save(folder.filePath("notes.pgn")),
                 CVexilDoc::SaveResult::Saved);
    }
    QVERIFY(ReadBytes(folder.filePath("notes.pgn"))
                .endsWith(
                    "{Before play}\r\n1. e4 {King pawn}\r\n\r\ne5 {Open game\r\nx}\r\n\r\n*\r\n"));
}

void RecordTest::noteLimitCountsBytes() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    QPlainTextEdit* box = view->AnnotationBox();
    window.Play("e2e4");
    QGuiApplication::clipboard()->setText(QString(4095, 'x'));
    window.Command(res::kCmdPaste);
    Type(box, QString::fromUtf8("y\xC3\xA9z"));  // only the y fits, no half character
    QCOMPARE(window.Game().m_ply[0].note.substr(4094), std::string("xy"));
    QVERIFY(window.prompts.warned.isEmpty());
    // A paste beyond the limit warns and keeps whole characters, a break counted as CR LF.
    QString lines;
    while (lines.size() < (1 << 20)) lines += QString::number(lines.size()).repeated(9) + "\n";
    const std::tuple<const char*, QString, QByteArray> rows[] = {
        // on a fresh ply each
        {"e7e5", lines, lines.toLatin1().replace("\n", "\r\n").left(4096)},
        {"d2d4", QString(4095, 'y') + QString::fromUtf8("\xC3\xA9"), QByteArray(4095, 'y')},
        {"d7d5", QString(1 << 20, 'z'), QByteArray(4096, 'z')},
    };
    for (const auto& [move, pasted, kept] : rows) {
        window.Play(move);
        QGuiApplication::clipboard()->setText(pasted);
        window.Command(res::kCmdPaste);
        QCOMPARE(window.prompts.warned.value(0),
                 QString("Please enter no more than 4096 characters."));
        window.prompts.warned.clear();
        const int ply = view->MoveList()->currentRow() - 1;
        QCOMPARE(QByteArray::fromStdString(window.Game().m_ply[ply].note), kept);
        ClickLine(view, 0);  // away and back: the box shows the note as kept
        ClickLine(view, ply + 1);
        QCOMPARE(Box(view).toUtf8(), QByteArray(kept).replace("\r\n", "\n"));
    }
    // Copy and Cut reach the box too, even with the list holding the focus.
    box->selectAll();
    window.Command(res::kCmdCopy);
    QCOMPARE(QGuiApplication::clipboard()->text().size(), 4096);
    window.Command(res::kCmdCut);
    ClickLine(view, 0);
    ClickLine(view, 4);
    QVERIFY(Box(view).isEmpty() && window.Game().m_ply[3].note.empty());
}

namespace {

// Edit Header answered by the real dialog, `act` working in it once it shows.
void AnswerHeaderInDialog(GameWindowFixture& window,
                          const std::function<void(CHeaderInfoDlg&)>& act) {
    window.prompts.editHeader = [&window, act](std::array<QString, 7>& tags) {
        CHeaderInfoDlg editor(window.frame.get());
        editor.SetFields(tags);
        QTimer::singleShot(0, &editor, [&] { act(editor); });
        editor.exec();
        tags = editor.Fields();
    };
}

}  // namespace

void RecordTest::headerDialogLimits() {
    GameWindowFixture window;
    CHeaderInfoDlg dialog(window.frame.get());  // typing stops at 245 bytes
    dialog.Field(1)->clear();
    QTest::keyClicks(dialog.Field(1), QString(244, 'b'));
    Type(dialog.Field(1), QString::fromUtf8("\xC3\xA9"
                                            "c"));  // two bytes: one too many
    QCOMPARE(dialog.Field(1)->text(), QString(244, 'b') + "c");

    // A longer tag from a file stops OK at its field; Cancel keeps what OK took.
    const QByteArray longName(250, 'W');
    QVERIFY(window.Open("long.pgn", "[White \"" + longName + "\"]\n[Black \"Bo\"]\n1. e4 *\n"));
    bool stoppedThere = false;
    AnswerHeaderInDialog(window, [&](CHeaderInfoDlg& editor) {
        editor.Field(0)->setText("Changed above");
        editor.Field(5)->setText("Changed below");
        QTest::mouseClick(Button(&editor, "OK"), Qt::LeftButton);
        stoppedThere = editor.isVisible() && editor.focusWidget() == editor.Field(4) &&
                       editor.Field(4)->selectedText() == longName;
        QTest::mouseClick(Button(&editor, "Cancel"), Qt::LeftButton);
    });
    window.Command(res::kCmdEditHeader);
    QCOMPARE(window.prompts.warned, QStringList{"Please enter no more than 245 characters."});
    QVERIFY(stoppedThere);
    const QString header = window.View()->HeaderBox()->toPlainText();  // fields below kept
    QVERIFY(header.startsWith("EVENT: Changed above ") && header.contains("BLACK: Bo "));

    // The Result is chosen from the four; a file's other value is offered too, and OK keeps it.
    QVERIFY(window.Open("result.pgn", "[Result \"White wins\"]\n\n1. e4 *\n"));
    const std::tuple<QString, QByteArray, QByteArray> rows[] = {
        // typed into the Result box before OK, the Result tag saved, the file's end
        {"", "[Result \"White wins\"]", "1. e4 \r\n*\r\n"},
        {"0", "[Result \"0-1\"]", "1. e4 \r\n0-1\r\n"},
    };
    for (const auto& [typed, result, end] : rows) {
        QStringList offered;
        AnswerHeaderInDialog(window, [&, typed = typed](CHeaderInfoDlg& editor) {
            for (int i = 0; i < editor.ResultBox()->count(); ++i)
                offered.append(editor.ResultBox()->itemText(i));
            QTest::keyClicks(editor.ResultBox(), typed);
            QTest::mouseClick(Button(&editor, "OK"), Qt::LeftButton);
        });
        window.Command(res::kCmdEditHeader);
        QCOMPARE(offered, (QStringList{"1-0", "0-1", "1/2-1/2", "*", "White wins"}));
        QCOMPARE(window.Document()->Save(window.path), CVexilDoc::SaveResult::Saved);
        const QByteArray saved = ReadBytes(window.path);
        QVERIFY2(saved.contains(result + "\r\n") && saved.endsWith(end), saved.constData());
    }
}

void RecordTest::typingInAnEightBitGameStoresWindows1252() {
    GameWindowFixture window;
    CVexilView* view = window.Open("latin.pgn",
                                   "[Site \"Saint-\xC9tienne\"]\n[White \"Ren\xE9\"]\n"
                                   "[Result \"1-0\"]\n\n1. e4 1-0\n");
    window.Command(res::kCmdEditHeader);  // cancelled: modified all the same
    QVERIFY(window.Document()->IsModified());
    window.prompts.editHeader = [](std::array<QString, 7>& tags) {
        tags[0] = "";
        tags[5] = QString::fromUtf8("B\xC3\xB6");
    };
    window.Command(res::kCmdEditHeader);
    ClickLine(view, 1);
    Type(view->AnnotationBox(), QString::fromUtf8("d\xC3\xA9j\xC3\xA0"));
    QCOMPARE(window.Document()->Save(window.path), CVexilDoc::SaveResult::Saved);
    const QByteArray saved = ReadBytes(window.path);
    QVERIFY(saved.contains("[White \"Ren\xE9\"]\r\n[Black \"B\xF6\"]\r\n"));
    QVERIFY(saved.contains("1. e4 {d\xE9j\xE0}\r\n"));
}

void RecordTest::otherTagsAreEditedAddedAndRemoved() {
    GameWindowFixture window;
    const QByteArray game =
        "[Event \"Club\"]\n[WhiteElo \"2100\"]\n[Black-Elo \"1900\"]\n"
        "[Annotator \"\\\"Ali\\\" \\\\ co\"]\n\n1. e4 *\n";
    QVERIFY(window.Open("tags.pgn", game));
    QStringList offered;
    bool refusedStaysOpen = false, shownUnescaped = false;
    window.prompts.editWholeHeader = [&](std::array<QString, 7>& tags,
                                         std::vector<UserPrompts::TagRow>& others, bool) {
        CHeaderInfoDlg editor(window.frame.get());
        editor.SetFields(tags);
        editor.SetOtherTags(others);
        QTimer::singleShot(0, &editor, [&] {
            shownUnescaped = editor.TagRowCount() == 3 &&
                             editor.TagValueBox(2)->text() == QString("\"Ali\" \\ co");
            editor.TagValueBox(0)->setText("2150");
            QTest::mouseClick(editor.RemoveTagButton(1), Qt::LeftButton);
            QTest::mouseClick(editor.AddTagButton(), Qt::LeftButton);
            QComboBox* name = editor.TagNameBox(2);
            for (int i = 0; i < name->count(); ++i) offered.append(name->itemText(i));
            QTest::keyClicks(name, "Time Control");
            QTest::keyClicks(editor.TagValueBox(2), "40/7200");
            QTest::mouseClick(Button(&editor, "OK"), Qt::LeftButton);
            refusedStaysOpen = editor.isVisible() && (editor.focusWidget() == name ||
                                                      editor.focusWidget() == name->lineEdit());
            name->setEditText("TimeControl");
            QTest::mouseClick(Button(&editor, "OK"), Qt::LeftButton);
        });
        editor.exec();
        tags = editor.Fields();
        others = editor.OtherTags();
    };
    window.Command(res::kCmdEditHeader);
    QVERIFY(shownUnescaped);
    QVERIFY(refusedStaysOpen);
    QCOMPARE(window.prompts.warned,
             QStringList{"The tag name \"Time Control\" may hold only letters, digits and "
                         "underscores (_), with no blanks."});
    QCOMPARE(offered.mid(0, 3), (QStringList{"WhiteElo", "BlackElo", "ECO"}));
    QCOMPARE(offered.size(), 10);
    const QByteArray tags =
        "[WhiteElo \"2150\"]\r\n[Annotator \"\\\"Ali\\\" \\\\ co\"]\r\n"
        "[TimeControl \"40/7200\"]\r\n";
    QCOMPARE(window.Document()->Save(window.path), CVexilDoc::SaveResult::Saved);
    QVERIFY2(ReadBytes(window.path).contains(tags), ReadBytes(window.path).constData());
    window.prompts.exportNames = {window.folder.filePath("out.pgn")};
    window.Command(res::kCmdExportPgn);
    QVERIFY(ReadBytes(window.folder.filePath("out.pgn")).contains(tags));

    // The whole edit is one step of Undo.
    QCOMPARE(window.frame->Action(res::kCmdUndo)->text(), QString("&Undo Header\tCtrl+Z"));
    window.Command(res::kCmdUndo);
    QCOMPARE(window.Game().m_keptTags.size(), std::size_t(3));
    QCOMPARE(window.Game().m_keptTags[1].first, std::string("Black-Elo"));
}

QTEST_MAIN(RecordTest)
#include "RecordTest.moc"