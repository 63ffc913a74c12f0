#include "CVexilView.h"

#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "AnnotationEdit.h"
#include "BoardPictures.h"
#include "BoardSplitHandle.h"
#include "DialogUnits.h"
#include "EditedGame.h"
#include "MoveListDelegate.h"
#include "MoveListNotes.h"
#include "Openings.h"
#include "ResourceIds.h"
#include "SetupPalette.h"
#include "TextEncoding.h"

// The form, the game it shows and the move list's lines. Drawing, the
// carried piece, position setup and the note box have files of their own.

namespace {

int g_preferredSquare = CVexilView::kNormalSquare;
double g_preferredShare = 1.0;
bool g_fitsWindow = false;
const char* const kLabels[3] = {"Move List", "Game Header Information", "Move-by-move annotation"};

}  // namespace

QString CVexilView::GameText(const std::string& bytes) {
    return QString::fromStdString(DisplayUtf8(bytes));
}

std::string CVexilView::TodayText() {
    return QDate::currentDate().toString(QStringLiteral("MM/dd/yy")).toStdString();
}

CVexilView::CVexilView(EditedGame* document, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_game(&m_lines.Line()),
      m_square(g_preferredSquare),
      m_share(g_preferredShare) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    CreateControls();
}

CVexilView::~CVexilView() {
    if (m_palette->parent() == nullptr) delete m_palette;
}

void CVexilView::CreateControls() {
    const DialogTemplate& form = layout::kGameForm;
    m_palette = new SetupPalette;
    m_palette->hide();
    connect(m_palette, &SetupPalette::ClearBoard, this, [this] { OnSetupClearBoard(); });
    connect(m_palette, &SetupPalette::StartPosition, this, [this] { OnSetupStartPosition(); });
    connect(m_palette, &SetupPalette::FenEntered, this,
            [this](const QString& fen) { OnSetupFen(fen); });
    for (int i = 0; i < 3; ++i) m_labels[i] = new QLabel(QString::fromLatin1(kLabels[i]), this);

    m_moveList = new QListWidget(this);
    m_moveList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_moveList->setItemDelegate(new MoveListDelegate(m_moveList));
    m_moveList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every line is one line of text: one size for all spares measuring all
    // 301 lines again after every move.
    m_moveList->setUniformItemSizes(true);
    connect(m_moveList, &QListWidget::currentRowChanged, this, [this] { OnSelchangeMoveList(); });
    m_moveList->installEventFilter(this);
    m_moveList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_moveList, &QListWidget::customContextMenuRequested, this,
            &CVexilView::OnMoveListMenu);

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
    m_goToStart->setToolTip(QStringLiteral("Show the starting position"));
    m_copy->setToolTip(QStringLiteral(
        "Copy the last seven moves up to the one shown, each with its date, to the Clipboard"));
    m_report->setToolTip(
        QStringLiteral("Copy the game up to the move shown as a numbered score "
                       "to the Clipboard"));
    m_goToEnd->setToolTip(QStringLiteral("Show the last move of the line shown"));
    connect(m_report, &QPushButton::clicked, this, &CVexilView::OnCopyGameScore);

    m_headerBox = new QPlainTextEdit(this);
    m_headerBox->setReadOnly(true);
    m_headerBox->setFocusPolicy(Qt::ClickFocus);
    m_headerBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_opening = new QLabel(this);

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
    m_restTimer = new QTimer(this);
    m_restTimer->setSingleShot(true);
    m_restTimer->setInterval(150);
    connect(m_restTimer, &QTimer::timeout, this, [this] {
        m_restingPictures.reset();
        update();
    });
    m_handle = new BoardSplitHandle(this);
    connect(m_handle, &BoardSplitHandle::Dragged, this, [this](QPoint at) {
        SetBoardShare(m_fit.above ? double(at.y()) / qMax(1, height())
                                  : double(at.x()) / qMax(1, width()));
    });
    connect(m_handle, &BoardSplitHandle::Maximize, this, [this] { SetBoardShare(1.0); });
    LayOutForm();
}

namespace {
// The strip between the board and the text.
constexpr int kHandle = 6;
}  // namespace

QSize CVexilView::FormSizeFor(int square) const {
    const DialogUnits units(font());
    const QSize base = units.Size(layout::kGameForm);
    return board::RoomFor(square, base, base.width());
}

void CVexilView::LayOutForm() {
    const DialogTemplate& form = layout::kGameForm;
    const DialogUnits units(font());
    const QSize base = units.Size(form);
    // The smallest board beside the text at its base size; a smaller window
    // scrolls.
    setMinimumSize(board::RoomFor(board::kSmallestSquare, base, base.width()));
    const int textLeft = units.X(form.Find(res::kMoveList)->x);
    const QSize textSide(base.width() - textLeft + units.X(4), base.height());
    m_fit = board::FitBoard(size().expandedTo(minimumSize()), textSide, base.width(), m_share);
    if (m_fit.square != m_square) {
        m_square = m_fit.square;
        if (m_pictures) m_restingPictures = m_pictures;
        m_pictures.reset();
        m_restTimer->start();
    }
    // Beside the board the text moves right as far as the board grows past
    // the normal one; above it, the text starts at the window's left below
    // the board. What room is left over widens the move list by a third and
    // the boxes by the rest, and heightens the list and the note box, a
    // quarter of it going to the header summary.
    const int right = m_fit.above ? units.X(4) - textLeft
                                  : board::Extent(m_square) - board::Extent(kNormalSquare);
    const int down = m_fit.above ? board::Extent(m_square) : 0;
    const int textWidth = m_fit.above ? textSide.width() : base.width();
    const int extraWidth = qMax(0, width() - textWidth - (m_fit.above ? 0 : right));
    const int extraHeight = qMax(0, height() - base.height() - down);
    const int wider = extraWidth / 3;
    const int taller = extraHeight / 4;
    auto place = [&](QWidget* widget, const DialogItem& item, int toRight, int toBottom, int width,
                     int height) {
        PlaceItem(widget, item, units);
        const QRect rect = widget->geometry().translated(right + toRight, down + toBottom);
        widget->setGeometry(rect.adjusted(0, 0, width, height));
    };
    place(m_labels[0], *form.FindLabel(kLabels[0]), 0, 0, 0, 0);
    place(m_labels[1], *form.FindLabel(kLabels[1]), wider, 0, 0, 0);
    place(m_labels[2], *form.FindLabel(kLabels[2]), wider, taller, 0, 0);
    place(m_moveList, *form.Find(res::kMoveList), 0, 0, wider, extraHeight);
    for (auto [button, id] : {std::pair{m_goToStart, res::kGoToStartButton},
                              {m_copy, res::kCopyButton},
                              {m_report, res::kReportButton},
                              {m_goToEnd, res::kGoToEndButton}})
        place(button, *form.Find(id), wider / 2, extraHeight, 0, 0);
    place(m_headerBox, *form.Find(res::kHeaderBox), wider, 0, extraWidth - wider, taller);
    // The opening's line takes the foot of the header box's room.
    const QRect header = m_headerBox->geometry();
    const int line = m_opening->fontMetrics().height() + 2;
    m_headerBox->setGeometry(header.adjusted(0, 0, 0, -line));
    m_opening->setGeometry(header.left(), header.bottom() + 1 - line, header.width(), line);
    ShowOpeningText();
    place(m_annotationBox, *form.Find(res::kAnnotationBox), wider, taller, extraWidth - wider,
          extraHeight - taller);
    // The split lies just past the board's coordinates, across the gap to the text.
    m_handle->SetAcross(m_fit.above);
    const int boardRight = BoardPictures::kBackgroundWidth * m_square / BoardPictures::kSquare;
    const int boardBottom = BoardPictures::kBackgroundHeight * m_square / BoardPictures::kSquare;
    if (m_fit.above)
        m_handle->setGeometry(0, boardBottom + 1, width(), kHandle);
    else
        m_handle->setGeometry(boardRight + 2, 0, kHandle, height());
    update();
}

void CVexilView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutForm();
}

void CVexilView::SetBoardShare(double share) {
    share = qBound(0.0, share, 1.0);
    if (share == m_share) return;
    m_share = share;
    LayOutForm();
    emit BoardShareChanged(share);
}

void CVexilView::SetPreferredSquare(int square) {
    g_preferredSquare = square;
}

int CVexilView::PreferredSquare() {
    return g_preferredSquare;
}

void CVexilView::SetFitsWindow(bool fits) {
    g_fitsWindow = fits;
}

bool CVexilView::FitsWindow() {
    return g_fitsWindow;
}

void CVexilView::SetPreferredShare(double share) {
    g_preferredShare = qBound(0.0, share, 1.0);
}

double CVexilView::PreferredShare() {
    return g_preferredShare;
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
    // The line shown stays shown while the game still has it.
    m_lines.Load(m_document->Game());
    m_flipped = m_game->m_flipped;
    m_game->m_setupMode = m_setupActive;
    ListMoves();
    RefreshHeaderText();
    UpdateEncoding();
}

void CVexilView::CatchUp() {
    if (IsCarrying() || m_setupActive) {
        m_catchUpPending = true;
        return;
    }
    m_catchUpPending = false;
    m_correcting = 0;  // the line it was in may be gone
    const int shown = m_game->m_curPly;
    LoadDocumentGame();
    const int line = qMin(shown, m_game->m_plyCount);
    SelectLine(line);
    ShowLine(line);
}

void CVexilView::Refresh() {
    update();
    // Without a window to stand in, it would be a window of its own.
    if (m_palette->parentWidget() != nullptr) m_palette->setVisible(m_setupActive != 0);
    if (m_setupActive)
        m_palette->ShowFen(QString::fromStdString(StartFen(*m_game, SetupChoices())));
    UpdateOpening();
    emit PositionShown();
}

void CVexilView::UpdateOpening() {
    QString text;
    if (!m_setupActive)
        if (const Opening* opening = OpeningOf(*m_game, m_game->m_curPly))
            text = QString::fromUtf8(opening->eco) + QLatin1Char(' ') +
                   QString::fromUtf8(opening->name);
    if (text == m_openingText) return;
    m_openingText = text;
    m_opening->setToolTip(text);
    ShowOpeningText();
}

void CVexilView::ShowOpeningText() {
    m_opening->setText(
        m_opening->fontMetrics().elidedText(m_openingText, Qt::ElideRight, m_opening->width()));
}

QString CVexilView::OpeningText() const {
    return m_openingText;
}

void CVexilView::PublishGame(const std::string& step, const std::string& group) {
    m_game->CheckSound();
    m_document->PublishGame(m_lines.Publish(), step, group);
    emit Published();
}

void CVexilView::OnFlipBoard() {
    m_flipped = m_flipped ? 0 : 1;
    m_game->m_flipped = m_flipped;
    PublishGame("Flip Board");
    update();
}

void CVexilView::SelectLine(int line) {
    const QSignalBlocker blocker(m_moveList);
    const int row = RowOfLine(line);
    m_moveList->setCurrentRow(row);
    m_moveList->scrollToItem(m_moveList->item(row));
}

void CVexilView::OnSelchangeMoveList() {
    const int row = m_moveList->currentRow();
    if (row < 0) return;
    m_correcting = 0;  // choosing another move ends a correction
    if (m_rows.empty()) {
        ShowLine(row);
        return;
    }
    // A move of another line shows that line.
    const RowPlace place = m_rows[static_cast<std::size_t>(row)];
    if (CurrentLine() == place.line)
        ShowLine(place.line);
    else
        ShowLineOf(place.path, place.line);
}

void CVexilView::ShowLine(int line) {
    ++m_noteSession;
    m_annotation = NoteText(NoteWordsOfLine(*m_game, line));
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
    SelectLine(m_game->m_plyCount);
    ShowLine(m_game->m_plyCount);
    m_moveList->setFocus();
}

void CVexilView::ResyncMoveList(int firstPly, int count, const std::string& added) {
    if (!m_rows.empty() || HasVariations(WholeGame())) {
        ListMoves();
        return;
    }
    const QSignalBlocker blocker(m_moveList);
    for (int line = firstPly + count; count > 0 && line > firstPly; --line)
        delete m_moveList->takeItem(line);
    if (!added.empty()) m_moveList->addItem(QString::fromStdString(added));
}
