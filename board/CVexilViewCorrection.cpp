#include <QListWidget>

#include "CVexilView.h"
#include "MoveCorrection.h"
#include "MoveEntry.h"
#include "UserPrompts.h"

// "Correct Move": one move of a line replaced by the right one, the moves
// after it played again from the new position.

namespace {
const char kSelectFirst[] = "Select the move to correct in the move list first.";
}  // namespace

QString CVexilView::CorrectionText() const {
    if (m_correcting == 0) return QString();
    return QStringLiteral("Play or type the move that replaces %1; Esc cancels")
        .arg(GameText(PlyName(*m_game, m_correcting - 1)));
}

void CVexilView::OnCorrectMove() {
    if (m_setupActive) return;
    CancelCarry();
    if (m_correcting != 0) {
        EndCorrection();
        return;
    }
    int line = CurrentLine();
    const int row = m_moveList->currentRow();
    if (!m_rows.empty() && row >= 0) {
        // A move of another line: that line is the one corrected.
        const RowPlace place = m_rows[static_cast<std::size_t>(row)];
        if (place.line > 0 && !(place.path == ShownLine())) ShowLineOf(place.path, place.line);
        line = place.line;
    }
    if (line < 1 || line > m_game->m_plyCount) {
        Prompts().Tell(QString::fromLatin1(kSelectFirst));
        return;
    }
    m_correcting = line;
    // The board shows the position the right move is played from.
    SelectLine(line - 1);
    ShowLine(line - 1);
    m_moveList->setFocus();
}

void CVexilView::EndCorrection() {
    if (m_correcting == 0) return;
    const int line = m_correcting;
    m_correcting = 0;
    SelectLine(line);
    ShowLine(line);
}

bool CVexilView::PlayCorrection(const PieceDrop& drop, const std::function<int()>& promotion) {
    const int ply = m_correcting - 1;
    auto line = std::make_unique<CGameRecord>(*m_game);
    const DropOutcome outcome = PlayDroppedPiece(*m_game, drop, false, TodayText(), promotion);
    if (outcome.why != DropRefusal::None) Prompts().Tell(QString::fromStdString(outcome.refusal));
    if (!outcome.recorded) {
        // Refused or taken back: nothing changed, and the right move may
        // still be played.
        AfterDrop(outcome);
        return false;
    }
    m_correcting = 0;
    const LineRoom room = ShowsVariation() ? RoomOfLine(WholeGame(), ShownLine()) : LineRoom();
    const MoveCorrection correction = ReplayAfterCorrection(*line, ply, *m_game, room);
    m_game->m_setupMode = m_setupActive;
    if (!correction.Refused()) PublishGame("Correct Move");
    ListMoves();
    SelectLine(ply + 1);
    ShowLine(ply + 1);
    if (correction.kind != MoveCorrection::Kind::AllFit)
        Prompts().Tell(QString::fromStdString(correction.message));
    return !correction.Refused();
}
