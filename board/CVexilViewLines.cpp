#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "CVexilView.h"
#include "MoveEntry.h"
#include "MoveListDelegate.h"
#include "MoveListNotes.h"
#include "MoveSymbols.h"
#include "NoteCommands.h"
#include "UserPrompts.h"

// The game's lines: the move list as a tree, the line the board shows, moves
// played where a line goes on, and promoting and deleting variations.

namespace {

const char kReplaceWarning[] =
    "Changing a previous move will delete all subsequent moves. Are you sure you want to do this?";

// Whether the row stands on the line `shown`: its own line is where the
// shown one starts, and it comes before the shown line leaves it.
bool OnLine(const LinePath& rowPath, int rowLine, const LinePath& shown) {
    if (rowPath.size() > shown.size()) return false;
    for (std::size_t i = 0; i < rowPath.size(); ++i)
        if (!(rowPath[i] == shown[i])) return false;
    return shown.size() == rowPath.size() || rowLine <= shown[rowPath.size()].ply;
}

}  // namespace

QString CVexilView::RowText(const PlyRecord& ply) {
    const std::string symbols = SymbolsShown(ply);
    return GameText(ply.text) +
           (symbols.empty() ? QString() : QStringLiteral(" ") + QString::fromStdString(symbols));
}

QListWidgetItem* CVexilView::MoveRow(const PlyRecord& ply) const {
    auto* item = new QListWidgetItem(RowText(ply));
    if (ply.hasNote) {
        const std::string clock = MoveClockText(ply.note);
        if (!clock.empty())
            item->setData(MoveListDelegate::kClockRole, QString::fromStdString(clock));
    }
    return item;
}

void CVexilView::ListMoves() {
    const CGameRecord& whole = WholeGame();
    const QSignalBlocker blocker(m_moveList);
    m_moveList->clear();
    m_rows.clear();
    m_moveList->addItem(QStringLiteral("(starting position)"));
    if (!HasVariations(whole)) {
        for (int i = 0; i < m_game->m_plyCount; ++i) m_moveList->addItem(MoveRow(Game().m_ply[i]));
        return;
    }
    m_rows.push_back(RowPlace());
    // Each move, then the variations that replace it, indented one more.
    WalkTree(whole.m_ply, 0, whole.m_plyCount, 0, [this](const TreeStep& step) {
        QListWidgetItem* item = MoveRow(step.ply());
        item->setData(MoveListDelegate::kDepthRole, step.depth);
        item->setData(MoveListDelegate::kAsideRole,
                      !OnLine(step.path, step.index + 1, ShownLine()));
        m_moveList->addItem(item);
        m_rows.push_back(RowPlace{step.path, step.index + 1, step.depth});
    });
}

int CVexilView::RowOfLine(int line) const {
    if (m_rows.empty()) return line;
    const LinePath owner = m_lines.OwnerOf(line);
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows[row].line == line && m_rows[row].path == owner) return static_cast<int>(row);
    return 0;
}

int CVexilView::CurrentLine() const {
    const int row = m_moveList->currentRow();
    if (row < 0 || m_rows.empty()) return row;
    const RowPlace& place = m_rows[static_cast<std::size_t>(row)];
    return OnLine(place.path, place.line, ShownLine()) ? place.line : -1;
}

void CVexilView::ShowLineOf(const LinePath& path, int line) {
    m_lines.ShowLineOf(path);
    m_game->m_setupMode = m_setupActive;
    line = qBound(0, line, m_game->m_plyCount);
    ListMoves();
    SelectLine(line);
    ShowLine(line);
}

bool CVexilView::OnMoveListKey(int key) {
    if (key == Qt::Key_Escape && m_correcting != 0) {
        EndCorrection();
        return true;
    }
    // A game without variations leaves these keys to the list itself.
    if (m_rows.empty() || m_setupActive) return false;
    return Go(key);
}

bool CVexilView::Go(int key) {
    if (m_setupActive) return false;
    const int line = qMax(0, CurrentLine());
    int target = line;
    switch (key) {
        case Qt::Key_Down:
            target = qMin(line + 1, m_game->m_plyCount);
            break;
        case Qt::Key_Up:
            target = qMax(line - 1, 0);
            break;
        case Qt::Key_Home:
            target = 0;
            break;
        case Qt::Key_End:
            target = m_game->m_plyCount;
            break;
        case Qt::Key_Right:
        case Qt::Key_Left: {
            // Into the next move's alternatives, one after another, and out
            // to where the variation shown branches.
            LineCursor::Place place;
            if (key == Qt::Key_Right ? m_lines.Into(line, place) : m_lines.OutOf(place))
                ShowLineOf(place.path, place.line);
            return true;
        }
        default:
            return false;
    }
    SelectLine(target);
    ShowLine(target);
    return true;
}

bool CVexilView::OfferBranch(const PieceDrop& drop, const std::function<int()>& promotion) {
    const int next = m_game->m_curPly;
    // The move is tried on a copy first: what it is decides what is asked.
    auto trial = std::make_unique<CGameRecord>(*m_game);
    const DropOutcome outcome = PlayDroppedPiece(*trial, drop, false, TodayText(), promotion);
    auto putBack = [&] {
        m_game->SetSquare(drop.from.file, drop.from.rank, drop.color, drop.kind);
        AfterDrop(DropOutcome());
    };
    if (!outcome.recorded) {
        if (outcome.why != DropRefusal::None)
            Prompts().Tell(QString::fromStdString(outcome.refusal));
        putBack();
        return false;
    }
    const LineCursor::Branching branching = m_lines.Decide(*trial, next);
    if (branching.follow) {
        ShowLineOf(branching.followed.path, branching.followed.line);
        return true;
    }
    const QString question =
        QStringLiteral(
            "The game goes on here with %1. Add %2 as a new variation, or replace the "
            "moves that follow with it?")
            .arg(GameText(branching.goesOn), GameText(branching.played));
    // The piece carried stands on its square again while the question is open.
    m_game->SetSquare(drop.from.file, drop.from.rank, drop.color, drop.kind);
    update();
    switch (Prompts().AskBranch(question)) {
        case UserPrompts::BranchAnswer::Cancel:
            putBack();
            return false;
        case UserPrompts::BranchAnswer::Replace:
            if (branching.replaceLoses &&
                !Prompts().AskWarning(QString::fromLatin1(kReplaceWarning))) {
                putBack();
                return false;
            }
            m_lines.Replace(*trial, next);
            break;
        case UserPrompts::BranchAnswer::NewVariation:
            if (const VariationRefusal full = m_lines.AddVariation(*trial, next);
                full != VariationRefusal::None) {
                Prompts().Tell(QString::fromLatin1(VariationRefusalSentence(full)));
                putBack();
                return false;
            }
            break;
    }
    m_game->m_setupMode = m_setupActive;
    AfterDrop(outcome);
    ListMoves();
    SelectLine(m_game->m_curPly);
    return true;
}

namespace {
const char kPromoteStep[] = "Promote Variation";
const char kDeleteStep[] = "Delete Variation";
}  // namespace

void CVexilView::OnPromoteVariation() {
    if (!ShowsVariation() || m_setupActive) return;
    const int line = qMax(0, CurrentLine());
    if (const VariationRefusal why = m_lines.PromoteShown(); why != VariationRefusal::None) {
        Prompts().Tell(QString::fromLatin1(VariationRefusalSentence(why)));
        return;
    }
    if (ShowsVariation()) return;
    m_game->m_setupMode = m_setupActive;
    PublishGame(kPromoteStep);
    ListMoves();
    SelectLine(line);
    ShowLine(line);
}

void CVexilView::TakeWholeGame(const CGameRecord& whole, const std::string& step) {
    if (m_setupActive) return;
    const int line = qMax(0, CurrentLine());
    if (!ShowsVariation()) {
        m_lines.Load(whole);
        m_game->m_setupMode = 0;
        ListMoves();
        SelectLine(line);
        ShowLine(line);
    } else {
        m_lines.Load(whole);
        ShowLineOf(ShownLine(), line);
    }
    PublishGame(step);
}

void CVexilView::OnDeleteVariation() {
    if (!ShowsVariation() || m_setupActive) return;
    const LineBranch branch = ShownLine().back();
    if (!Prompts().AskWarning(
            QStringLiteral("Delete the variation %1 with all its moves and the variations in it?")
                .arg(GameText(PlyName(*m_game, branch.ply)))))
        return;
    if (!m_lines.DeleteShown()) return;
    ShowLineOf(ShownLine(), branch.ply);
    PublishGame(kDeleteStep);
}

void CVexilView::OnMoveListMenu(const QPoint& point) {
    if (m_setupActive) return;
    if (QListWidgetItem* item = m_moveList->itemAt(point)) m_moveList->setCurrentItem(item);
    QMenu menu(this);
    QAction* promote = menu.addAction(QString::fromLatin1(kPromoteCommand));
    QAction* remove = menu.addAction(QString::fromLatin1(kDeleteCommand));
    promote->setEnabled(ShowsVariation());
    remove->setEnabled(ShowsVariation());
    QAction* chosen = menu.exec(m_moveList->viewport()->mapToGlobal(point));
    if (chosen == promote) OnPromoteVariation();
    if (chosen == remove) OnDeleteVariation();
    emit PositionShown();
}
