// Bad files opened beside a modified game: a clear message or what could be read, nothing lost.
#include <QtTest>

#include "GameWindowSupport.h"
#include "PgnWriter.h"

namespace {

const char kUnexpected[] = "Unexpected file format.";

struct BadInput {
    const char* name;
    QByteArray bytes;
    QString told;   // what the user is told; the game opens when it has plies
    int plies;      // of the game opened, variations' among them
    QString shown;  // then, in its header box or its first move's note
};

const std::vector<BadInput>& Catalogue() {
    static const std::vector<BadInput> rows = {
        {"binary file", QByteArray("\0\x89PNG\r\n\x1A\n", 9).repeated(400), kUnexpected, 0, ""},
        {"one line of 10 megabytes", "1. e4 {" + QByteArray(10'000'000, 'a') + "} e5 *", "", 2,
         "\n" + QString(4097, 'a') + "|"},
        {"100,000 opening braces, then 100,000 closing",
         "1. e4 " + QByteArray(100000, '{') + QByteArray(100000, '}') + " e5 *", "", 2, ""},
        {"tag line of 10,000 characters", "[Event \"" + QByteArray(9990, 'x') + "\"]\n1. e4 *\n",
         "", 1, "EVENT: " + QString(255, 'x') + "  SITE: "},
        {"invalid UTF-8 in tags and notes",
         "[White \"M\xFCller\"]\n[Black \"Ren\xC3\"]\n1. e4 {caf\xE9 \x80 \xFF\xFE} *\n", "", 1,
         QString::fromUtf8("WHITE: Müller  BLACK: RenÃ  RESULT:\ncafé € ÿþ")},
        {"folder given as the file", "", "Failed to open document.", 0, ""},
        {"variation with a move that cannot be played",
         "1. e4 e5 (1... c5 2. Qh6 (2. Nf3) Nc6) 2. Nf3 *\n",
         "A variation holds a move that cannot be played in its position, 2. Qh6; the variation "
         "is kept up to that move, and its text from there on as a note.",
         4, ""},
    };
    return rows;
}

// What must not change in the game of `frame`: shown ply, modified, text, note, lines.
QStringList Look(GameWindowFixture& window, CChildFrame* frame) {
    const CVexilDoc* document = frame->Document();
    CVexilView* view = frame->View();
    QStringList look{QString::number(view->Game().m_curPly),
                     QString::number(document->IsModified()),
                     QString::fromStdString(WritePgnToString(document->Game())), Box(view)};
    return look + window.Lines(view);
}

}  // namespace

class BadInputTest : public QObject {
    Q_OBJECT
private slots:
    void openBesideAModifiedGame_data();
    void openBesideAModifiedGame();
};

void BadInputTest::openBesideAModifiedGame_data() {
    QTest::addColumn<int>("row");
    for (std::size_t row = 0; row < Catalogue().size(); ++row)
        QTest::newRow(Catalogue()[row].name) << static_cast<int>(row);
}

void BadInputTest::openBesideAModifiedGame() {
    QFETCH(int, row);
    const BadInput& input = Catalogue()[std::size_t(row)];
    GameWindowFixture window;
    CVexilView* other = window.NewGame();
    window.Play("e2e4 e7e5 g1f3");
    other->AnnotationBox()->setPlainText("A note the user typed.");
    ClickLine(other, 2);
    auto* frame = static_cast<CChildFrame*>(window.frame->Area()->activeSubWindow());
    const QStringList before = Look(window, frame);

    const QString path = window.folder.filePath("bad.pgn");
    if (QByteArray(input.name).startsWith("folder"))
        QVERIFY(QDir().mkpath(path));
    else
        WriteBytes(path, input.bytes);
    window.prompts.openNames.push_back(path);
    window.Command(res::kCmdOpen);
    QCOMPARE(window.prompts.told, input.told.isEmpty() ? QStringList() : QStringList{input.told});
    const bool opens = input.told.isEmpty() || input.plies > 0;
    QCOMPARE(window.frame->Area()->subWindowList().size(), opens ? 2 : 1);
    if (opens) {
        QCOMPARE(window.View()->MoveList()->count(), input.plies + 1);
        ClickLine(window.View(), 1);  // Windows-1252 where not UTF-8, a tag cut at 255 bytes
        const QString seen = window.View()->HeaderBox()->toPlainText() + "\n" + Box(window.View());
        QVERIFY2((seen + "|").contains(input.shown), qPrintable(seen.left(300)));
    }
    window.frame->Area()->setActiveSubWindow(frame);
    QCOMPARE(Look(window, frame), before);
}

QTEST_MAIN(BadInputTest)
#include "BadInputTest.moc"
