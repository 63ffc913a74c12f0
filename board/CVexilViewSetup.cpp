#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <cstring>
#include <memory>

#include "CVexilView.h"
#include "SetupPalette.h"
#include "StartChoices.h"
#include "UserPrompts.h"

namespace {
// Entering setup, setting the board and leaving it are one step.
const char kSetupStep[] = "Setup Position";
}  // namespace

void CVexilView::OnSetupPosition() {
    CancelCarry();
    m_correcting = 0;
    if (!m_setupActive && m_game->m_plyCount > 0 &&
        !Prompts().AskWarning(
            QStringLiteral("Setup will delete all moves. Are you sure you want to do this?")))
        return;
    // Setup starts from the main line: it deletes every line.
    if (!m_setupActive && ShowsVariation()) ShowLineOf(LinePath(), CurrentLine());
    // Leaving, the player says what the board alone cannot; Cancel stays in setup.
    StartChoices choices = SetupChoices();
    if (m_setupActive && !Prompts().AskStartPosition(choices)) return;
    m_setupActive = m_setupActive ? 0 : 1;
    m_typedStart.reset();
    if (!m_setupActive && m_catchUpPending) TakeDocumentGameKeepingBoard();
    m_game->m_setupMode = m_setupActive;
    m_game->m_fromSetup = 1;
    PublishGame(kSetupStep, kSetupStep);
    Refresh();
    if (m_setupActive) return;

    const bool startSelected = m_moveList->currentRow() == 0;
    for (int i = 0; i <= m_game->m_plyCount && i < CGameRecord::kMaxPlies; ++i) {
        m_game->m_ply[i].ClearNote();
        m_game->m_ply[i].variations.clear();
    }
    m_rows.clear();
    ResyncMoveList(0, static_cast<int>(m_moveList->count()) - 1, std::string());
    if (!startSelected) {
        // The list would move its selection to a line that is left; a deleted
        // selection leaves none, so a note typed now belongs to the first ply.
        const QSignalBlocker blocker(m_moveList);
        m_moveList->setCurrentRow(-1);
    }
    m_game->ResetRuleState();
    m_game->m_fromSetup = 1;
    ApplyStartChoices(*m_game, choices);
    PublishGame(kSetupStep, kSetupStep);
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
    SquareFromPoint(x, y, file, rank);
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
    Refresh();
}

StartChoices CVexilView::SetupChoices() const {
    return m_typedStart ? StartChoicesKept(*m_game, *m_typedStart) : StartChoicesFor(*m_game);
}

bool CVexilView::PutPickedPiece(int x, int y) {
    int color, piece;
    if (!m_palette->Picked(color, piece)) return false;
    int file, rank;
    SquareFromPoint(x, y, file, rank);
    if (IsOnBoard(file, rank)) m_game->SetSquare(file, rank, color, piece);
    Refresh();
    return true;
}

void CVexilView::OnSetupClearBoard() {
    for (int f = 0; f < 8; ++f)
        for (int r = 0; r < 8; ++r) m_game->SetSquare(f, r, NoColor, NoPiece);
    m_typedStart.reset();
    Refresh();
}

void CVexilView::OnSetupStartPosition() {
    auto start = std::make_unique<CGameRecord>();
    start->SetStartPosition();
    std::memcpy(m_game->m_piece, start->m_piece, sizeof m_game->m_piece);
    std::memcpy(m_game->m_color, start->m_color, sizeof m_game->m_color);
    m_typedStart.reset();
    Refresh();
}

void CVexilView::OnSetupFen(const QString& text) {
    // Read apart, so the game keeps its own start until setup ends.
    const std::string fen = text.trimmed().toStdString();
    auto read = std::make_unique<CGameRecord>();
    FenRefusal why = FenRefusal::None;
    if (!read->SetFromFen(fen, why)) {
        Prompts().Tell(QString::fromStdString(FenRefusalSentence(why, fen)));
        m_palette->FenField()->setFocus();
        m_palette->FenField()->selectAll();
        return;
    }
    std::memcpy(m_game->m_piece, read->m_piece, sizeof m_game->m_piece);
    std::memcpy(m_game->m_color, read->m_color, sizeof m_game->m_color);
    m_typedStart = StartChoicesOf(*read);
    Refresh();
}
