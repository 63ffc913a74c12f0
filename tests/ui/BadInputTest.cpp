// Bad input, each row read by the reader, the tool and the window's Open beside a modified game.
#include <unistd.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "GameWindowSupport.h"
#include "PgnReader.h"
#include "PgnWriter.h"
#include "ResourceIds.h"

namespace {

const char kUnexpected[] = "Unexpected file format.";
const char kCannotOpen[] = "Failed to open document.";
const char kOver300[] =
    "This game has more than 300 half-moves; Ravelin keeps at most 300 in a game.";
const char kBadFen[] = "The FEN tag of this game does not describe a chess position: ";
const uid_t kNobody = 65534;

std::string Repeat(const std::string& text, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) out += text;
    return out;
}

std::string Tagged(const std::string& moves) {
    return "[Event \"Bad input\"]\n[Site \"?\"]\n[Date \"?\"]\n[Round \"?\"]\n[White \"?\"]\n"
           "[Black \"?\"]\n[Result \"*\"]\n\n" +
           moves;
}

std::string Cannot(const std::string& move) {
    return "The move " + move + " cannot be played in its position.";
}

// A legal game of knights out and home, pawn steps every fourth round, `note` after each ply.
std::string KnightShuffle(int plies, const std::string& note = {}) {
    static const char* const kKnights[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    static const char* const kPawns[] = {"a3", "a6", "b3", "b6", "c3", "c6", "d3", "d6", "e3", "e6",
                                         "h3", "h6", "g3", "g6", "a4", "a5", "b4", "b5", "c4", "c5",
                                         "d4", "d5", "e4", "e5", "h4", "h5", "g4", "g5"};
    std::vector<std::string> moves;
    std::size_t pawn = 0;
    for (int round = 0; static_cast<int>(moves.size()) < plies; ++round) {
        if (round % 4 == 3 && pawn < std::size(kPawns)) {
            moves.emplace_back(kPawns[pawn++]);
            moves.emplace_back(kPawns[pawn++]);
        }
        for (const char* knight : kKnights) moves.emplace_back(knight);
    }
    std::string text;
    for (int ply = 0; ply < plies; ++ply) {
        if (ply % 2 == 0) text += std::to_string(ply / 2 + 1) + ". ";
        text += moves[static_cast<std::size_t>(ply)] + " ";
        if (!note.empty()) text += "{" + note + "}\n";
        if (ply % 16 == 15) text += "\n";
    }
    return Tagged(text + "*\n");
}

std::string RandomBytes() {
    std::mt19937 random(20240601);
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string Utf16() {
    const std::string text = Tagged("1. e4 e5 *\n");
    std::string bytes = "\xFF\xFE";
    for (char c : text) bytes += std::string{c, '\0'};
    return bytes;
}

// Where a row's input lives: in its file, or the file itself is the fault.
enum class Place { File, Folder, Unreadable, Vanishing };

// Whether users other than the owner may run `program`: every folder above it
// must let them through (a checkout inside a private folder does not).
bool OthersCanRun(const QString& program) {
    QFileInfo info(program);
    if (!(info.permissions() & QFileDevice::ExeOther)) return false;
    for (QDir dir = info.absoluteDir(); !dir.isRoot(); dir.cdUp())
        if (!(QFileInfo(dir.absolutePath()).permissions() & QFileDevice::ExeOther)) return false;
    return true;
}

struct BadInput {
    const char* name;
    std::string bytes;
    std::string message;  // what the user is told; empty when the game opens
    int plies = 0;        // the plies of the game its bytes hold, when they read
    Place place = Place::File;
    bool several = false;  // the window and the tool list the games of the file first
};

const char kNineSquares[] = "rnbqkbnrp/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char kSevenRanks[] = "rnbqkbnr/pppppppp/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const char kNoSuchPiece[] = "rnbqkbnr/ppppxppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

std::string WithFen(const std::string& fen, const std::string& moves) {
    return "[FEN \"" + fen + "\"]\n" + moves;
}

std::string BadFen(const std::string& shown) {
    return kBadFen + ('"' + shown + "\".");
}

std::string Variant(const std::string& name) {
    return "This game is a chess variant (" + name + "); Ravelin records standard chess only.";
}

const std::vector<BadInput>& Catalogue() {
    using namespace std::string_literals;
    static const std::vector<BadInput> rows = {
        // Not a text file at all.
        {"empty file", "", kUnexpected},
        {"binary file: 4096 random bytes", RandomBytes(), kUnexpected},
        {"UTF-16 text", Utf16(), kUnexpected},
        {"NUL byte inside a move", Tagged("1. e4 e"s + '\0' + "5 *\n"), kUnexpected},
        {"NUL byte inside a tag", "[White \"An"s + '\0' + "na\"]\n1. e4 *\n", kUnexpected},
        {"NUL bytes after a whole game", Tagged("1. e4 *\n") + std::string(512, '\0'), kUnexpected},
        {"control byte inside a move", Tagged("1. e4 e"s + '\x01' + "5 *\n"), Cannot("1... e?5")},
        {"byte order mark alone", "\xEF\xBB\xBF", kUnexpected},
        {"byte order mark, then moves", "\xEF\xBB\xBF" "1. e4 e5 *\n", "", 2},
        // Lines and comments without end.
        {"one line of 10 megabytes", "[Event \"One line\"] [White \"A\"] [Black \"B\"] 1. e4 {" +
                                         std::string(10'000'000, 'a') + "} e5 *", "", 2},
        {"comment nested 100,000 deep",
         Tagged("1. e4 " + Repeat("{", 100000) + Repeat("}", 100000) + " e5 *\n"), "", 2},
        {"variation nested 100,000 deep",
         Tagged("1. e4 " + Repeat("(", 100000) + Repeat(")", 100000) + " e5 *\n"), "", 2},
        {"comment opened 100,000 times, never closed",
         Tagged("1. e4 " + Repeat("{", 100000) + " e5 *\n"), kUnexpected},
        {"unclosed comment", Tagged("1. e4 {a note\n2. d4 *\n"), kUnexpected},
        {"unclosed variation", Tagged("1. e4 (1. d4 d5\n*\n"), kUnexpected},
        {"stray closing brace", Tagged("1. e4 } e5 *\n"), "", 2},
        {"CR-only line ends", "[White \"A\"]\r[Black \"B\"]\r1. e4 e5 *\r", "", 2},
        // The start position; any placement of pieces opens, as in position setup.
        {"FEN tag of 300 characters", WithFen(Repeat("8/", 150), "*\n"),
         BadFen(Repeat("8/", 50) + "...")},
        {"FEN rank of nine squares", WithFen(kNineSquares, "*\n"), BadFen(kNineSquares)},
        {"FEN of seven ranks", WithFen(kSevenRanks, "*\n"), BadFen(kSevenRanks)},
        {"FEN with a letter that is no piece", WithFen(kNoSuchPiece, "*\n"), BadFen(kNoSuchPiece)},
        {"empty FEN tag", WithFen("", "*\n"), BadFen("")},
        {"FEN without kings opens as set up", WithFen("8/8/8/8/8/8/4P3/8 w - - 0 1", "*\n"), "", 0},
        {"FEN with two White kings opens as set up",
         WithFen("k7/8/8/8/8/8/8/K6K w - - 0 1", "1. Kb1 *\n"), "", 1},
        {"unknown variant", "[Variant \"Crazyhouse\"]\n1. e4 *\n", Variant("Crazyhouse")},
        {"variant name of 10,000 characters", "[Variant \"" + std::string(10000, 'v') + "\"]\n*\n",
         Variant(std::string(40, 'v') + "...")},
        // Length of the game and of its texts.
        {"300 plies", KnightShuffle(300), "", 300},
        {"301 plies", KnightShuffle(301), kOver300},
        {"5,000 plies", KnightShuffle(5000), kOver300},
        {"1,000-character note on each of 300 plies", KnightShuffle(300, std::string(1000, 'n')),
         "", 300},
        {"tag line of 10,000 characters", "[Event \"" + std::string(9990, 'x') + "\"]\n1. e4 *\n",
         "", 1},
        {"token of 5,000 characters", Tagged("1. " + std::string(5000, 'N') + " *\n"),
         Cannot("1. NNNNNNNNNNNNNNNNNNNN...")},
        {"invalid UTF-8 in tags and notes",
         "[White \"M\xFCller\"]\n[Black \"Ren\xC3\"]\n1. e4 {caf\xE9 \x80 \xFF\xFE} *\n", "", 1},
        // Moves.
        {"illegal move", Tagged("1. e4 e5 2. Ke3 *\n"), Cannot("2. Ke3")},
        {"move from an empty square", Tagged("1. e3e4 *\n"), Cannot("1. e3e4")},
        {"move of a piece the side does not have",
         WithFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1", "1. Qd4 *\n"), Cannot("1. Qd4")},
        {"null move", Tagged("1. e4 -- 2. d4 *\n"), Cannot("1... --")},
        {"castling with zeros when it cannot be played", Tagged("1. 0-0 *\n"), Cannot("1. 0-0")},
        {"promotion to a king", WithFen("8/4P3/8/8/8/8/k7/K7 w - - 0 1", "1. e8=K *\n"),
         Cannot("1. e8=K")},
        {"move after checkmate", Tagged("1. f3 e5 2. g4 Qh4# 3. a3 *\n"), Cannot("3. a3")},
        {"prose before the tags", "Here is my game\n" + Tagged("1. e4 *\n"), Cannot("1. Here"), 0,
         Place::File, true},
        {"huge move number", Tagged("99999999999999999999999. e4 *\n"), "", 1},
        {"glyph of twenty digits", Tagged("1. e4 $99999999999999999999 e5 *\n"), "", 2},
        {"percent line before any move", Tagged("1.\n%X 01/02/03\ne4 e5 *\n"), "", 2},
        {"en-passant mark before any move", Tagged("e.p. 1. e4 *\n"), "", 1},
        {"move numbers only", Tagged("1. 2. 3. *\n"), "", 0},
        // Where the game ends.
        {"result alone", "*\n", "", 0},
        {"result missing", Tagged("1. e4 e5 2. Nf3\n"), kUnexpected},
        {"tags only", Tagged(""), kUnexpected},
        {"second game's tags before the first's result",
         Tagged("1. e4 e5\n\n") + Tagged("1. d4 d5 *\n"), kUnexpected, 0, Place::File, true},
        {"several results", Tagged("1. e4 1-0 0-1 *\n"), "", 1},
        {"tag without its closing quote", "[Event \"abc\n1. e4 *\n", "", 1},
        // The file itself is the fault: its content is a good game.
        {"folder given as the file", "", kCannotOpen, 0, Place::Folder},
        {"file without read permission", Tagged("1. e4 *\n"), kCannotOpen, 1, Place::Unreadable},
        {"file that vanishes between the dialog and the read", Tagged("1. e4 *\n"), kCannotOpen, 1,
         Place::Vanishing},
    };
    return rows;
}

void AddRows() {
    QTest::addColumn<int>("row");
    for (std::size_t row = 0; row < Catalogue().size(); ++row)
        QTest::newRow(Catalogue()[row].name) << static_cast<int>(row);
}

// Runs as an ordinary user while it lives, as root reads any file.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : m_wasRoot(::geteuid() == 0) { m_ok = !m_wasRoot || ::seteuid(kNobody) == 0; }
    ~AsOrdinaryUser() {
        if (m_wasRoot && m_ok && ::seteuid(0) != 0) qFatal("cannot return to root");
    }
    bool Ok() const { return m_ok; }

private:
    bool m_wasRoot;
    bool m_ok;
};

// The Open dialog answers with the row's file, removed first when the row says so.
class OpenPrompts : public ScriptedPrompts {
public:
    QString AskOpenFileName() override {
        if (vanish) QFile::remove(path);
        return path;
    }
    QString path;
    bool vanish = false;
};

// What must not change in the other open game: plies, view ply, modified, file, lines, note.
QStringList Look(CVexilView* view, CVexilDoc* document) {
    QStringList look{QString::number(document->Game().m_plyCount),
                     QString::number(view->Game().m_curPly),
                     QString::number(document->IsModified()),
                     QString::fromStdString(WritePgnToString(document->Game())),
                     view->AnnotationBox()->toPlainText()};
    for (int i = 0; i < view->MoveList()->count(); ++i)
        look.append(view->MoveList()->item(i)->text());
    return look;
}

}  // namespace

class BadInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void reader_data() { AddRows(); }
    void reader();
    void tool_data() { AddRows(); }
    void tool();
    void windowOpen_data() { AddRows(); }
    void windowOpen();
    void openedFilesShowWhatTheyCould();
    void pasteOfAMegabyteKeepsTheFirst4096Bytes();

private:
    QString PathOf(int row) const {
        return m_inputs.filePath(QStringLiteral("row%1.pgn").arg(row));
    }
    void Restore(int row);

    QTemporaryDir m_inputs;
};

void BadInputTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);  // the recent-file list is not the user's
    QVERIFY(m_inputs.isValid());
    // An ordinary user must reach the files for permissions to be the question.
    QFile::setPermissions(m_inputs.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther | QFile::ExeOther);
    for (std::size_t row = 0; row < Catalogue().size(); ++row) Restore(static_cast<int>(row));
}

void BadInputTest::cleanupTestCase() {
    for (std::size_t row = 0; row < Catalogue().size(); ++row)
        QFile::setPermissions(PathOf(static_cast<int>(row)), QFile::ReadOwner | QFile::WriteOwner);
}

// Puts the row's input in place again.
void BadInputTest::Restore(int row) {
    const BadInput& input = Catalogue()[static_cast<std::size_t>(row)];
    const QString path = PathOf(row);
    if (input.place == Place::Folder) {
        QVERIFY(QDir().mkpath(path));
        return;
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    WriteBytes(path, QByteArray::fromStdString(input.bytes));
    if (input.place == Place::Unreadable) QVERIFY(QFile::setPermissions(path, {}));
}

void BadInputTest::reader() {
    QFETCH(int, row);
    const BadInput& input = Catalogue()[std::size_t(row)];
    if (input.place == Place::Folder) QSKIP("a folder has no bytes for the reader");

    auto game = std::make_unique<CGameRecord>();
    QVERIFY(ReadPgnFromString(Tagged("1. d4 {kept} d5 2. c4 *\n"), *game).ok);
    const std::string before = WritePgnToString(*game);

    const PgnReadResult result = ReadPgnFromString(input.bytes, *game);
    // The reader judges bytes alone: a good game whose file cannot be reached reads.
    if (input.message.empty() || input.place != Place::File) {
        QVERIFY2(result.ok, result.message.c_str());
        QCOMPARE(game->m_plyCount, input.plies);
        QCOMPARE(game->m_curPly, game->m_plyCount);
        return;
    }
    QVERIFY(!result.ok);
    QCOMPARE(QString::fromStdString(result.message), QString::fromStdString(input.message));
    QCOMPARE(game->m_plyCount, 3);
    QCOMPARE(game->m_curPly, 3);
    QCOMPARE(WritePgnToString(*game), before);
}

void BadInputTest::tool() {
    QFETCH(int, row);
    const BadInput& input = Catalogue()[std::size_t(row)];
    const QString path = PathOf(row);
    QProcess process;
    if (input.place == Place::Unreadable && ::geteuid() == 0) {
        if (!OthersCanRun(QStringLiteral(RAVELIN_PGN_TOOL)))
            QSKIP("as root the tool runs as user nobody, who cannot reach this build");
        process.setChildProcessModifier([] {
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(126);
        });
    }
    if (input.several) QSKIP("checked a game a line: tools/ravelin-pgn-test.sh");
    if (input.place == Place::Vanishing) QVERIFY(QFile::remove(path));
    process.start(QStringLiteral(RAVELIN_PGN_TOOL), {QStringLiteral("check"), path});
    QVERIFY(process.waitForFinished(60000));
    if (input.place == Place::Vanishing) Restore(row);

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);  // no crash, no signal
    const QByteArray expected =
        input.message.empty()
            ? "ok\t" + path.toUtf8() + "\t" + QByteArray::number(input.plies) + "\n"
            : "error\t" + path.toUtf8() + "\t" + QByteArray::fromStdString(input.message) + "\n";
    QCOMPARE(process.readAllStandardOutput(), expected);
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QCOMPARE(process.exitCode(), input.message.empty() ? 0 : 1);
}

void BadInputTest::windowOpen() {
    QFETCH(int, row);
    const BadInput& input = Catalogue()[std::size_t(row)];
    GameWindowFixture window;
    CVexilView* otherView = window.NewGame();
    CVexilDoc* otherDocument = window.Document();
    window.Play("e2e4 e7e5 g1f3");
    otherView->AnnotationBox()->setPlainText("A note the user typed.");
    otherView->MoveList()->setCurrentRow(2);
    const QStringList before = Look(otherView, otherDocument);
    QVERIFY(otherDocument->IsModified());

    OpenPrompts prompts;
    prompts.path = PathOf(row);
    prompts.vanish = input.place == Place::Vanishing;
    {
        std::optional<AsOrdinaryUser> user;
        if (input.place == Place::Unreadable && !user.emplace().Ok())
            QSKIP("cannot run as an ordinary user");
        window.frame->Action(res::kCmdOpen)->trigger();
    }
    if (prompts.vanish) Restore(row);

    const int windows = window.frame->Area()->subWindowList().size();
    QCOMPARE(window.Documents().Documents().size(), windows);
    if (input.several) {
        QCOMPARE(prompts.gameLists.size(), 1);  // and no game chosen
        QCOMPARE(windows, 1);
    } else if (input.message.empty()) {
        QVERIFY2(prompts.told.isEmpty(), qPrintable(prompts.Transcript()));
        QCOMPARE(windows, 2);
        QVERIFY(window.View() != otherView);
        QCOMPARE(window.Document()->Game().m_plyCount, input.plies);
        QCOMPARE(window.View()->MoveList()->count(), input.plies + 1);
        QVERIFY(!window.Document()->IsModified());
    } else {
        QCOMPARE(prompts.told, QStringList{QString::fromStdString(input.message)});
        QCOMPARE(windows, 1);
        QCOMPARE(window.View(), otherView);
    }
    QCOMPARE(Look(otherView, otherDocument), before);
}

namespace {

int RowNamed(const char* name) {
    for (std::size_t row = 0; row < Catalogue().size(); ++row)
        if (QByteArray(Catalogue()[row].name) == name) return static_cast<int>(row);
    return -1;
}

}  // namespace

// Non-UTF-8 text is read as Windows-1252; a tag is cut at 255 characters, a comment at 4097.
void BadInputTest::openedFilesShowWhatTheyCould() {
    GameWindowFixture window;
    QVERIFY(window.Documents().OpenDocument(PathOf(RowNamed("invalid UTF-8 in tags and notes"))));
    CVexilView* view = window.View();
    QVERIFY(
        view->HeaderBox()->toPlainText().contains(QString::fromUtf8("WHITE: Müller  BLACK: RenÃ")));
    view->MoveList()->setCurrentRow(1);
    QCOMPARE(view->AnnotationBox()->toPlainText(), QString::fromUtf8("café € ÿþ"));

    QVERIFY(window.Documents().OpenDocument(PathOf(RowNamed("tag line of 10,000 characters"))));
    QVERIFY(window.View()->HeaderBox()->toPlainText().startsWith("EVENT: " + QString(255, 'x') +
                                                                 "  SITE: "));

    QVERIFY(window.Documents().OpenDocument(PathOf(RowNamed("one line of 10 megabytes"))));
    window.View()->MoveList()->setCurrentRow(1);
    QCOMPARE(window.View()->AnnotationBox()->toPlainText(), QString(4097, 'a'));
    QVERIFY2(window.prompts.told.isEmpty(), qPrintable(window.prompts.Transcript()));
}

// A pasted megabyte keeps its first 4096 bytes, a line break counted as CR LF.
void BadInputTest::pasteOfAMegabyteKeepsTheFirst4096Bytes() {
    GameWindowFixture window;
    CVexilView* view = window.NewGame();
    window.Play("e2e4 e7e5");
    view->MoveList()->setCurrentRow(1);
    QString megabyte;
    while (megabyte.size() < (1 << 20))
        megabyte += QStringLiteral("%1 ").arg(megabyte.size(), 8, 10, QChar('0')).repeated(9) +
                    QStringLiteral("\n");
    QGuiApplication::clipboard()->setText(megabyte);

    window.frame->Action(res::kCmdPaste)->trigger();
    QCOMPARE(window.prompts.warned, QStringList{"Please enter no more than 4096 characters."});
    const QByteArray kept = megabyte.toLatin1().replace("\n", "\r\n").left(4096);
    QCOMPARE(QByteArray::fromStdString(window.Document()->Game().m_ply[0].note), kept);
    QCOMPARE(view->Game().m_ply[0].note, window.Document()->Game().m_ply[0].note);
    QCOMPARE(window.Document()->Game().m_plyCount, 2);

    // Away and back: the box shows the note as kept.
    view->MoveList()->setCurrentRow(2);
    view->MoveList()->setCurrentRow(1);
    QCOMPARE(view->AnnotationBox()->toPlainText().toLatin1(),
             QByteArray(kept).replace("\r\n", "\n"));

    // A megabyte on one line: the box gets no more than a note holds.
    window.prompts.warned.clear();
    view->MoveList()->setCurrentRow(2);
    QGuiApplication::clipboard()->setText(QString(1 << 20, 'z'));
    window.frame->Action(res::kCmdPaste)->trigger();
    QCOMPARE(window.prompts.warned, QStringList{"Please enter no more than 4096 characters."});
    QCOMPARE(window.Document()->Game().m_ply[1].note, std::string(4096, 'z'));
    QCOMPARE(view->AnnotationBox()->toPlainText(), QString(4096, 'z'));
}

QTEST_MAIN(BadInputTest)
#include "BadInputTest.moc"
