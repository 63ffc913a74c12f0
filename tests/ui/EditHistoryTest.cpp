// Edits taken back and brought again, a move corrected, and games recovered after a crash.
#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>
#include <functional>

#include "GameWindowSupport.h"

namespace {

// The game every row edits: a note, a variation, and moves after it.
const QByteArray kGame =
    "[Event \"Undo\"]\n[White \"Ann\"]\n\n1. e4 {Keep} e5 2. Nf3 (2. f4 exf4) 2... Nc6 *\n";

// Rows of the move list: 0 the start, 1 e4, 2 e5, 3 Nf3, 4 f4, 5 exf4, 6 Nc6.
constexpr int kVariationRow = 4;

}  // namespace

class EditHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void everyEditIsUndoneAndRedoneInEveryWindow();
};

void EditHistoryTest::everyEditIsUndoneAndRedoneInEveryWindow() {
    using Edit = std::function<void(GameWindowFixture&)>;
    struct Row {
        const char* undo;  // the Undo item after the edit
        Edit edit;
        const char* gained;  // in the file saved after it, and not before
        const char* lost;    // in the file before, and not after
    };
    const Row rows[] = {
        {"&Undo Move Bc4\tCtrl+Z",
         [](GameWindowFixture& w) {
             w.View()->OnGoToEnd();
             w.Play("f1c4");
         },
         "3. Bc4", ""},
        {"&Undo Move d4",
         [](GameWindowFixture& w) {
             w.prompts.branchAnswers.push_back(UserPrompts::BranchAnswer::Replace);
             ClickLine(w.View(), 2);
             w.Play("d2d4");
         },
         "2. d4", "Nc6"},
        {"&Undo Move Bc4",
         [](GameWindowFixture& w) {
             ClickLine(w.View(), 2);
             w.Play("f1c4");
         },
         "( 2. Bc4", ""},
        {"&Undo Promote Variation",
         [](GameWindowFixture& w) {
             ClickLine(w.View(), kVariationRow);
             w.Command(res::kCmdPromoteVariation);
         },
         "( 2. Nf3", "( 2. f4"},
        {"&Undo Delete Variation",
         [](GameWindowFixture& w) {
             ClickLine(w.View(), kVariationRow);
             w.Command(res::kCmdDeleteVariation);
         },
         "", "exf4"},
        // Every key typed into one note is one step.
        {"&Undo Note",
         [](GameWindowFixture& w) {
             ClickLine(w.View(), 2);
             QTest::keyClicks(w.View()->AnnotationBox(), "Sharp");
         },
         "{Sharp}", ""},
        {"&Undo Header",
         [](GameWindowFixture& w) {
             w.prompts.editHeader = [](std::array<QString, 7>& tags) { tags[4] = "Bea"; };
             w.Command(res::kCmdEditHeader);
         },
         "[White \"Bea\"]", "[White \"Ann\"]"},
        {"&Undo Flip Board", [](GameWindowFixture& w) { w.Command(res::kCmdFlipBoard); }, "", ""},
        {"&Undo Setup Position",
         [](GameWindowFixture& w) {
             w.Command(res::kCmdSetupPosition);
             w.prompts.setupAnswers.push_back({-1, -1});  // the a2 pawn taken off
             RightClick(w.View(), w.Centre("a2"));
             w.Command(res::kCmdSetupPosition);
         },
         "/1PPPPPPP/", "1. e4"},
        {"&Undo Paste",
         [](GameWindowFixture& w) {
             QGuiApplication::clipboard()->setText("Pasted");
             ClickLine(w.View(), 3);
             w.Command(res::kCmdPaste);
         },
         "{Pasted}", ""},
        {"&Undo Cut",
         [](GameWindowFixture& w) {
             ClickLine(w.View(), 1);
             w.View()->AnnotationBox()->selectAll();
             w.Command(res::kCmdCut);
         },
         "", "{Keep}"},
    };
    for (const Row& row : rows) {
        GameWindowFixture w;
        QVERIFY(w.Open("undo.pgn", kGame));
        w.Command(res::kCmdNewWindow);
        CVexilView* other = w.View();
        w.frame->Area()->setActiveSubWindow(w.frame->Area()->subWindowList().first());
        w.Command(res::kCmdSave);
        const QByteArray before = ReadBytes(w.path);
        QAction* undo = w.frame->Action(res::kCmdUndo);
        QAction* redo = w.frame->Action(res::kCmdRedo);
        QVERIFY(!undo->isEnabled());

        row.edit(w);
        QVERIFY2(undo->text().startsWith(row.undo), qPrintable(undo->text()));
        QVERIFY(w.Document()->IsModified());
        QTest::keyClick(w.frame.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(!w.Document()->IsModified(), row.undo);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(),
                 QString(row.undo).replace("Undo", "Redo").section('\t', 0, 0) + "\tCtrl+Y");
        w.Command(res::kCmdSave);
        QCOMPARE(ReadBytes(w.path), before);
        QCOMPARE(other->MoveList()->count(), 7);  // the other window shows the game undone

        QTest::keyClick(w.frame.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY2(w.Document()->IsModified(), row.undo);
        w.Command(res::kCmdSave);
        const QByteArray after = ReadBytes(w.path);
        for (const auto& [text, inBefore, inAfter] :
             {std::tuple{row.gained, false, true}, std::tuple{row.lost, true, false}})
            if (*text != '\0') {
                QVERIFY2(before.contains(text) == inBefore, text);
                QVERIFY2(after.contains(text) == inAfter, after.constData());
            }
        QCOMPARE(other->MoveList()->count(), w.View()->MoveList()->count());
        // Saved after the redo: the step undone again is a change.
        w.Command(res::kCmdUndo);
        QVERIFY(w.Document()->IsModified());
    }
}

QTEST_MAIN(EditHistoryTest)
#include "EditHistoryTest.moc"
