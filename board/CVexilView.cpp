#include "CVexilView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDate>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "AnnotationEdit.h"
#include "BoardPictures.h"
#include "CVexilDoc.h"
#include "ClipboardText.h"
#include "DialogUnits.h"
#include "GameTextEncoding.h"
#include "HeaderSummary.h"
#include "MoveEntry.h"
#include "MoveListDelegate.h"
#include "MoveListNotes.h"
#include "MoveTextApply.h"
#include "ResourceIds.h"
#include "TextEncoding.h"
#include "TextField.h"
#include "UserPrompts.h"

namespace {

const char kGameOver[] = "The game is over. Please select New from the File menu.";
const char kTooLong[] = "Please enter no more than %1 characters.";

int g_preferredSquare = CVexilView::kNormalSquare;
const char* const kLabels[3] = {"Move List", "Game Header Information", "Move-by-move annotation"};

QString GameText(const std::string& bytes) { return QString::fromStdString(DisplayUtf8(bytes)); }

// Today as the move list records it: MM/DD/YY.
std::string TodayText() {
    return QDate::currentDate().toString(QStringLiteral("MM/dd/yy")).toStdString();
}

// Serves start-up measurement (bench/startup.sh): "first-paint MS" on stderr.
const QElapsedTimer g_sinceStart = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
}();
void ReportFirstPaint() {
    static bool pending = qEnvironmentVariableIsSet("RAVELIN_REPORT_FIRST_PAINT");
    if (!pending) return;
    pending = false;
    QTimer::singleShot(0, [] {
        std::fprintf(stderr, "first-paint %.2f\n",
                     static_cast<double>(g_sinceStart.nsecsElapsed()) / 1e6);
    });
}

}  // namespace

CVexilView::CVexilView(CVexilDoc* document, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_game(std::make_unique<CGameRecord>()),
      m_square(g_preferredSquare) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    CreateControls();
}

CVexilView::~CVexilView() = default;

void CVexilView::CreateControls() {
    const DialogTemplate& form = layout::kGameForm;
    for (int i = 0; i < 3; ++i) m_labels[i] = new QLabel(QString::fromLatin1(kLabels[i]), this);

    m_moveList = new QListWidget(this);
    m_moveList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_moveList->setItemDelegate(new MoveListDelegate(m_moveList));
    m_moveList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every line is one line of text: one size for all spares measuring all
    // 301 lines again after every move.
    m_moveList->setUniformItemSizes(true);
    connect(m_moveList, &QListWidget::currentRowChanged, this,
            [this] { OnSelchangeMoveList(); });

    auto makeButton = [&](int id) {
        auto* button = new QPushButton(QString::fromLatin1(form.Find(id)->text), this);
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };
    m_goToStart = makeButton(res::kGoToStartButton);
    m_copy = makeButton(res::kCopyButton);
    m_report = makeButton(res::kReportButton);
    m_goToEnd = makeButton(res::kGoToEndButton);
    connect(m_goToStart, &QPushButton::clicked, this, &CVexilView::OnGoToStart);
    connect(m_goToEnd, &QPushButton::clicked, this, &CVexilView::OnGoToEnd);
    connect(m_copy, &QPushButton::clicked, this, &CVexilView::OnCopyRecentMoves);
    connect(m_report, &QPushButton::clicked, this, &CVexilView::OnCopyGameScore);

    m_headerBox = new QPlainTextEdit(this);
    m_headerBox->setReadOnly(true);
    m_headerBox->setFocusPolicy(Qt::ClickFocus);
    m_headerBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* annotation = new AnnotationEdit(this);
    annotation->SetLimit(static_cast<int>(CGameRecord::kMaxNoteLength));
    m_annotationBox = annotation;
    m_annotationBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(m_annotationBox, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_pushing) OnChangeAnnotation();
    });

    setTabOrder(m_moveList, m_goToStart);
    setTabOrder(m_goToStart, m_copy);
    setTabOrder(m_copy, m_report);
    setTabOrder(m_report, m_goToEnd);
    setTabOrder(m_goToEnd, m_annotationBox);
    LayOutForm();
}

void CVexilView::LayOutForm() {
    const DialogTemplate& form = layout::kGameForm;
    const DialogUnits units(font());
    // What a larger board adds goes to the controls' left and to the tall
    // boxes' height; the buttons under the list move down with its bottom.
    const int grow = BoardExtent(m_square) - BoardExtent(kNormalSquare);
    auto place = [&](QWidget* widget, const DialogItem& item, int down, int taller) {
        PlaceItem(widget, item, units);
        QRect rect = widget->geometry().translated(grow, down);
        rect.setHeight(rect.height() + taller);
        widget->setGeometry(rect);
    };
    for (int i = 0; i < 3; ++i) place(m_labels[i], *form.FindLabel(kLabels[i]), 0, 0);
    place(m_moveList, *form.Find(res::kMoveList), 0, grow);
    place(m_goToStart, *form.Find(res::kGoToStartButton), grow, 0);
    place(m_copy, *form.Find(res::kCopyButton), grow, 0);
    place(m_report, *form.Find(res::kReportButton), grow, 0);
    place(m_goToEnd, *form.Find(res::kGoToEndButton), grow, 0);
    place(m_headerBox, *form.Find(res::kHeaderBox), 0, 0);
    place(m_annotationBox, *form.Find(res::kAnnotationBox), 0, grow);
    const int board = BoardExtent(m_square);
    setMinimumSize((units.Size(form) + QSize(grow, grow)).expandedTo(QSize(board, board)));
}

void CVexilView::SetPreferredSquare(int square) {
    g_preferredSquare = square;
}

int CVexilView::PreferredSquare() {
    return g_preferredSquare;
}

void CVexilView::SetSquareSize(int square) {
    if (square == m_square) return;
    m_square = square;
    m_pictures.reset();
    LayOutForm();
    update();
}

const BoardPictures& CVexilView::Pictures() const {
    if (!m_pictures) m_pictures = BoardPictures::Shared(devicePixelRatioF(), m_square);
    return *m_pictures;
}

void CVexilView::OnInitialUpdate() {
    EndCarry();
    m_setupActive = 0;
    LoadDocumentGame();
    m_game->SetFromFen(m_game->m_startFen);
    SelectLine(0);
    m_game->m_curPly = 0;
    Refresh();
}

void CVexilView::LoadDocumentGame() {
    m_game->Assign(m_document->Game());
    m_flipped = m_game->m_flipped;
    m_game->m_setupMode = m_setupActive;
    // A document last published from a view showing an earlier position has
    // m_curPly below m_plyCount: a new view still lists every ply, so that
    // it never drops moves from the game when it publishes.
    if (m_game->m_plyCount < m_game->m_curPly) m_game->m_plyCount = m_game->m_curPly;

    {
        const QSignalBlocker blocker(m_moveList);
        m_moveList->clear();
        m_moveList->addItem(QStringLiteral("(starting position)"));
        for (int i = 0; i < m_game->m_plyCount; ++i)
            m_moveList->addItem(GameText(m_game->m_ply[i].text));
    }
    RefreshHeaderText();
    UpdateEncoding();
}

void CVexilView::CatchUp() {
    if (IsCarrying() || m_setupActive) {
        m_catchUpPending = true;
        return;
    }
    m_catchUpPending = false;
    const int shown = m_game->m_curPly;
    LoadDocumentGame();
    const int line = qMin(shown, m_game->m_plyCount);
    SelectLine(line);
    ShowLine(line);
}

// The normal board's formulas with every length times square / 32, worked in
// integers scaled by 32 so that the normal size gives exactly its pixels.
void CVexilView::SquareFromPoint(int x, int y, bool flipped, int& file, int& rank, int square) {
    // Integer division truncates toward zero, as the board's bands expect.
    const int file0 = (32 * x + 11 * square) / (32 * square) - 1;
    const int rank0 = (-31 * square - 32 * y) / (32 * square) + 8;
    file = flipped ? 7 - file0 : file0;
    rank = flipped ? 7 - rank0 : rank0;
}

QPoint CVexilView::SquareCentre(int file, int rank, bool flipped, int square) {
    const int file0 = flipped ? 7 - file : file;
    const int rank0 = flipped ? 7 - rank : rank;
    return QPoint(square * file0 + 36 * square / 32, 240 * square / 32 - square * rank0);
}

QPoint CVexilView::SquareOrigin(int file, int rank, bool flipped, int square) {
    return flipped ? QPoint(244 * square / 32 - square * file, square * rank)
                   : QPoint(20 * square / 32 + square * file, 224 * square / 32 - square * rank);
}

void CVexilView::PaintBoard(QPainter& painter) const {
    const BoardPictures& pictures = Pictures();
    painter.drawPixmap(0, 0, pictures.Background(m_flipped != 0));
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const int kind = m_game->GetPiece(file, rank);
            const int shade = BoardPictures::Shade(file, rank);
            const QPixmap& picture =
                kind >= 0 ? pictures.PieceOnSquare(m_game->GetColor(file, rank), kind, shade)
                          : pictures.EmptySquare(shade);
            painter.drawPixmap(SquareOrigin(file, rank, m_flipped != 0, m_square), picture);
        }
    }
}

void CVexilView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBoard(painter);
    ReportFirstPaint();
}

void CVexilView::ShowArrow() { setCursor(Qt::ArrowCursor); }

void CVexilView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        OnBoardPress(point.x(), point.y());
    } else {
        CancelCarry();  // another button ends the gesture
    }
}

void CVexilView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        OnBoardRelease(point.x(), point.y());
    }
}

void CVexilView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnLButtonDblClk();
}

void CVexilView::hideEvent(QHideEvent* event) {
    CancelCarry();
    QWidget::hideEvent(event);
}

bool CVexilView::eventFilter(QObject* watched, QEvent* event) {
    bool interrupted = false;
    switch (event->type()) {
        case QEvent::Show: {
            // A dialog, message box or menu opening takes the mouse: the
            // release would never reach the board.
            auto* widget = qobject_cast<QWidget*>(watched);
            const Qt::WindowType type = widget != nullptr ? widget->windowType() : Qt::Widget;
            interrupted = widget != nullptr && widget->isWindow() && widget != window() &&
                          (type == Qt::Dialog || type == Qt::Popup || type == Qt::Sheet);
            break;
        }
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
            interrupted = watched == window();
            break;
        case QEvent::KeyPress:
            interrupted = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
            break;
        default:
            break;
    }
    if (interrupted) CancelCarry();
    return false;
}

void CVexilView::OnBoardPress(int x, int y) {
    CancelCarry();
    if (m_game->m_status != 'P') {
        Prompts().Tell(QString::fromLatin1(kGameOver));
        return;
    }
    int file, rank;
    SquareFromPoint(x, y, m_flipped != 0, file, rank, m_square);
    m_dragFromFile = file;
    m_dragFromRank = rank;
    m_dragPiece = m_game->GetPiece(file, rank);
    m_dragColor = m_game->GetColor(file, rank);
    if (m_dragColor == -1) {
        m_dragColor = 0;
        m_dragPiece = kNothingCarried;
        ShowArrow();
        return;
    }
    QCursor::setPos(mapToGlobal(SquareCentre(file, rank, m_flipped != 0, m_square)));
    m_game->SetSquare(file, rank, NoColor, NoPiece);
    update();
    setCursor(Pictures().Pointer(m_dragColor, m_dragPiece));
    qApp->installEventFilter(this);
}

void CVexilView::EndCarry() {
    qApp->removeEventFilter(this);
    m_dragColor = 0;
    m_dragPiece = kNothingCarried;
    ShowArrow();
}

void CVexilView::CancelCarry() {
    if (IsCarrying()) {
        m_game->SetSquare(m_dragFromFile, m_dragFromRank, m_dragColor, m_dragPiece);
        EndCarry();
        update();
    }
    if (m_catchUpPending && !m_setupActive) CatchUp();
}

void CVexilView::OnBoardRelease(int x, int y) {
    const int kind = m_dragPiece;
    const int color = m_dragColor;
    EndCarry();
    if (color == -1 || kind == kNothingCarried) return;

    PieceDrop drop;
    drop.kind = kind;
    drop.color = color;
    drop.fromFile = m_dragFromFile;
    drop.fromRank = m_dragFromRank;
    SquareFromPoint(x, y, m_flipped != 0, drop.toFile, drop.toRank, m_square);
    if (m_catchUpPending && !m_setupActive) {
        // Another window published during the carry: the move is played on
        // the caught-up game, when the piece still stands there.
        m_game->SetSquare(drop.fromFile, drop.fromRank, color, kind);
        CatchUp();
        if (m_game->GetPiece(drop.fromFile, drop.fromRank) != kind ||
            m_game->GetColor(drop.fromFile, drop.fromRank) != color)
            return;
        m_game->SetSquare(drop.fromFile, drop.fromRank, NoColor, NoPiece);
    }
    PlayLiftedPiece(drop, [] { return Prompts().AskPromotion(); });
}

bool CVexilView::PlayLiftedPiece(const PieceDrop& drop, const std::function<int()>& promotion) {
    bool asked = true;
    if (!m_game->m_setupMode && m_game->m_curPly + 1 < m_game->m_plyCount)
        asked = Prompts().AskWarning(QStringLiteral(
            "Changing a previous move will delete all subsequent moves. Are you sure you want to "
            "do this?"));
    DropOutcome outcome;
    if (asked) {
        outcome = PlayDroppedPiece(*m_game, drop, m_setupActive != 0, TodayText(), promotion);
        if (!outcome.refusal.empty()) Prompts().Tell(QString::fromStdString(outcome.refusal));
    } else {
        m_game->SetSquare(drop.fromFile, drop.fromRank, drop.color, drop.kind);
    }

    // A recorded move shows its new ply's empty note; after any other release
    // the box shows the note of the shown position, so typing continues it.
    // Neither is an edit, so no note changes.
    const int row = m_moveList->currentRow();
    if (outcome.recorded)
        m_annotation.clear();
    else if (row >= 0)
        m_annotation = NoteText(NoteOfLine(*m_game, row));
    else
        m_annotation = m_annotationBox->toPlainText();
    Push();
    Refresh();
    if (!outcome.recorded) return false;

    for (const std::string& announcement : outcome.announcements)
        Prompts().Tell(QString::fromStdString(announcement));
    {
        const QSignalBlocker blocker(m_moveList);
        for (int i = outcome.firstDroppedPly + outcome.droppedCount - 1;
             outcome.droppedCount > 0 && i >= outcome.firstDroppedPly; --i)
            delete m_moveList->takeItem(i + 1);
        m_moveList->addItem(QString::fromStdString(outcome.line));
    }
    SelectLine(m_moveList->count() - 1);
    // Typing right after a move annotates it.
    m_annotationBox->setFocus();
    PublishGame();
    return true;
}

void CVexilView::OnEnterMove() {
    if (m_setupActive) return;
    Prompts().EnterMove([this](const QString& text) { return PlayTypedMove(text); });
}

bool CVexilView::PlayTypedMove(const QString& text) {
    if (m_game->m_status != 'P') {
        Prompts().Tell(QString::fromLatin1(kGameOver));
        return true;
    }
    TypedMove move;
    if (!ReadTypedMove(*m_game, text.toStdString(), move)) {
        Prompts().Tell(QStringLiteral("Ravelin cannot read \"%1\" as a move.").arg(text.trimmed()));
        return false;
    }
    // Lifted as a press would, so that the rest is a drop's.
    PieceDrop drop;
    drop.kind = m_game->GetPiece(move.fromFile, move.fromRank);
    drop.color = m_game->GetColor(move.fromFile, move.fromRank);
    drop.fromFile = move.fromFile;
    drop.fromRank = move.fromRank;
    drop.toFile = move.toFile;
    drop.toRank = move.toRank;
    m_game->SetSquare(drop.fromFile, drop.fromRank, NoColor, NoPiece);
    const int named = move.promotion;
    return PlayLiftedPiece(drop,
                           [named] { return named != NoPiece ? named : Prompts().AskPromotion(); });
}

void CVexilView::Refresh() {
    update();
    emit PositionShown();
}

void CVexilView::OnLButtonDblClk() {
    // The press that ends a double click carries nothing, so its release
    // makes no move.
    CancelCarry();
}

void CVexilView::SelectLine(int line) {
    const QSignalBlocker blocker(m_moveList);
    m_moveList->setCurrentRow(line);
    m_moveList->scrollToItem(m_moveList->item(line));
}

void CVexilView::OnSelchangeMoveList() {
    const int line = m_moveList->currentRow();
    if (line >= 0) ShowLine(line);
}

void CVexilView::ShowLine(int line) {
    m_annotation = NoteText(NoteOfLine(*m_game, line));
    Push();
    if (line > 0)
        m_game->RestorePly(line - 1);
    else
        m_game->SetFromFen(m_game->m_startFen);
    Refresh();
}

void CVexilView::OnGoToStart() {
    SelectLine(0);
    ShowLine(0);
    m_moveList->setFocus();
}

void CVexilView::OnGoToEnd() {
    SelectLine(m_moveList->count() - 1);
    ShowLine(m_moveList->count() - 1);
    m_moveList->setFocus();
}

void CVexilView::OnFlipBoard() {
    m_flipped = m_flipped ? 0 : 1;
    m_game->m_flipped = m_flipped;
    PublishGame();
    update();
}

void CVexilView::PublishGame() {
    m_document->Game().Assign(*m_game);
    m_document->SetModified(true);
    emit Published();
}

void CVexilView::Push() {
    m_pushing = true;
    if (m_annotationBox->toPlainText() != m_annotation) m_annotationBox->setPlainText(m_annotation);
    if (m_headerBox->toPlainText() != m_headerText) m_headerBox->setPlainText(m_headerText);
    m_pushing = false;
}

bool CVexilView::Pull() {
    m_annotation = m_annotationBox->toPlainText();
    m_headerText = m_headerBox->toPlainText();
    const std::size_t limit = CGameRecord::kMaxNoteLength;
    if (NoteBytes(m_annotation).size() <= limit) return true;
    Prompts().Warn(QString::fromLatin1(kTooLong).arg(limit));
    m_annotationBox->setFocus();
    m_annotationBox->selectAll();
    return false;
}

// Notes keep CR LF line breaks, as the file writes them; the box shows LF.
QString CVexilView::NoteText(const std::string& bytes) const {
    QString text = GameText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string CVexilView::NoteBytes(const QString& text) {
    QString withBreaks = text;
    withBreaks.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return EncodeUserText(*m_game, withBreaks.toStdString());
}

namespace {

// The first bytes of a note that fit it, never half a character or half a
// CR LF line break.
std::string CutToNote(std::string bytes) {
    bytes.resize(Utf8SafeCut(bytes, CGameRecord::kMaxNoteLength));
    if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    return bytes;
}

}  // namespace

void CVexilView::OnChangeAnnotation() {
    const bool fits = Pull();
    StoreAnnotation(fits);
}

void CVexilView::StoreAnnotation(bool fits) {
    const std::string bytes = CutToNote(NoteBytes(m_annotation));
    if (!fits) {
        // The note keeps what fits, and the box shows just that, selected.
        m_annotation = NoteText(bytes);
        Push();
        m_annotationBox->setFocus();
        m_annotationBox->selectAll();
    }
    StoreNote(*m_game, m_moveList->currentRow(), bytes);
    UpdateEncoding();
    PublishGame();
}

void CVexilView::UpdateEncoding() {
    static_cast<AnnotationEdit*>(m_annotationBox)->SetEightBit(UsesWindows1252(*m_game));
}

void CVexilView::RefreshHeaderText() {
    m_headerText = GameText(BuildHeaderSummary(*m_game));
    Push();
}

void CVexilView::OnEditHeader() {
    std::array<QString, 7> shown;
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        shown[static_cast<std::size_t>(tag)] = GameText(m_game->m_tag[tag]);
    std::array<QString, 7> fields = shown;
    Prompts().EditHeader(fields, UsesWindows1252(*m_game));
    // Only a changed field is stored anew, so untouched tags keep their bytes.
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) {
        const auto index = static_cast<std::size_t>(tag);
        if (fields[index] != shown[index])
            m_game->SetTag(tag, EncodeUserText(*m_game, fields[index].toStdString()));
    }
    UpdateEncoding();
    PublishGame();
    RefreshHeaderText();
}

void CVexilView::OnSetupPosition() {
    CancelCarry();
    if (!m_setupActive && m_game->m_plyCount > 0 &&
        !Prompts().AskWarning(
            QStringLiteral("Setup will delete all moves. Are you sure you want to do this?")))
        return;
    m_setupActive = m_setupActive ? 0 : 1;
    if (!m_setupActive && m_catchUpPending) TakeDocumentGameKeepingBoard();
    m_game->m_setupMode = m_setupActive;
    m_game->m_fromSetup = 1;
    PublishGame();
    Refresh();
    if (m_setupActive) return;

    {
        const QSignalBlocker blocker(m_moveList);
        const bool startSelected = m_moveList->currentRow() == 0;
        for (int i = m_game->m_plyCount; i >= 0; --i) {
            if (i + 1 < m_moveList->count()) delete m_moveList->takeItem(i + 1);
            if (i < CGameRecord::kMaxPlies) m_game->m_ply[i].ClearNote();
        }
        // The list would move its selection to a line that is left; a deleted
        // selection leaves none, so a note typed now belongs to the first ply.
        if (!startSelected) m_moveList->setCurrentRow(-1);
    }
    m_game->m_epFile = m_game->m_epRank = -1;
    m_game->m_canCastleWK = m_game->m_canCastleWQ = 1;
    m_game->m_canCastleBK = m_game->m_canCastleBQ = 1;
    m_game->m_curPly = m_game->m_plyCount = 0;
    m_game->m_sideToMove = White;
    m_game->m_halfMoveClock = m_game->m_repeatCount = 0;
    m_game->m_status = 'P';
    m_game->m_fromSetup = 1;
    m_game->MakeStartFen();
    PublishGame();
    Refresh();
}

void CVexilView::TakeDocumentGameKeepingBoard() {
    int pieces[8][8], colors[8][8];
    std::memcpy(pieces, m_game->m_piece, sizeof pieces);
    std::memcpy(colors, m_game->m_color, sizeof colors);
    LoadDocumentGame();
    std::memcpy(m_game->m_piece, pieces, sizeof pieces);
    std::memcpy(m_game->m_color, colors, sizeof colors);
    m_catchUpPending = false;
}

void CVexilView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        OnRButtonDown(event->pos().x(), event->pos().y());
        event->accept();
    }
}

void CVexilView::OnRButtonDown(int x, int y) {
    if (!m_setupActive) return;
    int file, rank;
    SquareFromPoint(x, y, m_flipped != 0, file, rank);
    if (!IsOnBoard(file, rank)) return;
    int pieceChoice = m_lastSetupPiece;
    int colorChoice = m_lastSetupColor;
    Prompts().ChooseSetupPiece(pieceChoice, colorChoice);
    if (pieceChoice >= 0) {
        m_lastSetupPiece = pieceChoice;
        m_lastSetupColor = colorChoice;
    }
    if (pieceChoice == -2) return;
    if (pieceChoice == -3) {
        for (int f = 0; f < 8; ++f)
            for (int r = 0; r < 8; ++r) m_game->SetSquare(f, r, NoColor, NoPiece);
    } else if (pieceChoice == -1) {
        m_game->SetSquare(file, rank, NoColor, NoPiece);
    } else if (pieceChoice <= 5 && (colorChoice == White || colorChoice == Black)) {
        m_game->SetSquare(file, rank, colorChoice, 5 - pieceChoice);
    }
    update();
}

void CVexilView::PutClipboardText(const std::string& bytes) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromStdString(DisplayUtf8(bytes)));
}

void CVexilView::OnCopyRecentMoves() {
    if (!StampShownPly(*m_game, TodayText())) return;
    PutClipboardText(RecentMovesText(*m_game));
}

void CVexilView::OnCopyGameScore() {
    if (!StampShownPly(*m_game, TodayText())) return;
    PutClipboardText(GameScoreText(*m_game));
}

void CVexilView::OnEditCopy() {
    const QTextCursor cursor = m_annotationBox->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    if (start == end) return;
    Pull();
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(m_annotation.mid(start, end - start));
}

void CVexilView::OnEditCut() {
    OnEditCopy();
    const QTextCursor cursor = m_annotationBox->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    if (end == 0 || start == end) return;
    m_annotation = m_annotation.left(start) + m_annotation.mid(end);
    Push();
    QTextCursor caret = m_annotationBox->textCursor();
    caret.setPosition(start);
    m_annotationBox->setTextCursor(caret);
    // Stored at once, so a cut is never lost by moving to another line.
    OnChangeAnnotation();
    update();
}

void CVexilView::OnEditPaste() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    QString pasted = clipboard != nullptr ? clipboard->text() : QString();
    if (pasted.isEmpty()) return;  // nothing readable there: nothing changes
    // Line breaks as the box holds them; the note stores each as CR LF.
    pasted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    pasted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Pull();
    const QTextCursor cursor = m_annotationBox->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    m_annotation = m_annotation.left(start) + pasted + m_annotation.mid(end);
    if (NoteBytes(m_annotation).size() > CGameRecord::kMaxNoteLength) {
        // Too long for a note: say so, and never lay out more than it holds
        // (a megabyte on one line would stall the box for minutes).
        Prompts().Warn(QString::fromLatin1(kTooLong).arg(CGameRecord::kMaxNoteLength));
        StoreAnnotation(false);
        update();
        return;
    }
    Push();
    QTextCursor caret = m_annotationBox->textCursor();
    caret.setPosition(qMin(start + static_cast<int>(pasted.size()),
                           static_cast<int>(m_annotation.size())));
    m_annotationBox->setTextCursor(caret);
    StoreAnnotation(true);
    update();
}
