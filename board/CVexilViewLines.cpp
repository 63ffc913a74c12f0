#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "CVexilView.h"
#include "MoveEntry.h"
#include "MoveListDelegate.h"
#include "MoveListNotes.h"
#include "MoveSymbols.h"
#include "UserPrompts.h"

// The game's lines: the move list as a tree, the line the board shows, moves
// played where a line goes on, and promoting and deleting variations.

namespace {

const char kReplaceWarning[] =
    "Changing a previous move will delete all subsequent moves. Are you sure you want to do this?";

// How many of the path's branches leave before ply index `ply`: the line
// that ply belongs to is the path cut there.
std::size_t BranchesBefore(const LinePath& path, int ply) {
    std::size_t count = 0;
    while (count < path.size() && path[count].ply < ply) ++count;
    return count;
}

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

void CVexilView::ListMoves() {
    const CGameRecord& whole = WholeGame();
    const QSignalBlocker blocker(m_moveList);
    m_moveList->clear();
    m_rows.clear();
    m_moveList->addItem(QStringLiteral("(starting position)"));
    if (!HasVariations(whole)) {
        for (int i = 0; i < m_game->m_plyCount; ++i) m_moveList->addItem(RowText(Game().m_ply[i]));
        return;
    }
    m_rows.push_back(RowPlace());
    // Each move, then the variations that replace it, indented one more.
    WalkTree(whole.m_ply, 0, whole.m_plyCount, 0, [this](const TreeStep& step) {
        auto* item = new QListWidgetItem(RowText(step.ply()));
        item->setData(MoveListDelegate::kDepthRole, step.depth);
        item->setData(MoveListDelegate::kAsideRole, !OnLine(step.path, step.index + 1, m_path));
        m_moveList->addItem(item);
        m_rows.push_back(RowPlace{step.path, step.index + 1, step.depth});
    });
}

int CVexilView::RowOfLine(int line) const {
    if (m_rows.empty()) return line;
    const LinePath owner(
        m_path.begin(), m_path.begin() + static_cast<std::ptrdiff_t>(BranchesBefore(m_path, line)));
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows[row].line == line && m_rows[row].path == owner) return static_cast<int>(row);
    return 0;
}

int CVexilView::CurrentLine() const {
    const int row = m_moveList->currentRow();
    if (row < 0 || m_rows.empty()) return row;
    const RowPlace& place = m_rows[static_cast<std::size_t>(row)];
    return OnLine(place.path, place.line, m_path) ? place.line : -1;
}

void CVexilView::ShowLineOf(const LinePath& path, int line) {
    if (m_path.empty()) {
        if (!m_whole) m_whole = std::make_unique<CGameRecord>();
        m_whole->Assign(*m_game);
    }
    if (path.empty() || !TakeLine(*m_whole, path, *m_game)) {
        m_game->Assign(*m_whole);
        m_path.clear();
    } else {
        m_path = path;
    }
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
        case Qt::Key_Right: {
            // The next move's alternatives one after another: into the first,
            // from just inside one to the next, after the last back to the move.
            int at = line;
            int variation = 0;
            LinePath owner(m_path.begin(), m_path.begin() + static_cast<std::ptrdiff_t>(
                                                                BranchesBefore(m_path, line)));
            if (!m_path.empty() && m_path.back().ply == line - 1) {
                at = line - 1;
                variation = m_path.back().variation + 1;
                owner.assign(m_path.begin(), m_path.end() - 1);
            }
            auto ownerLine = std::make_unique<CGameRecord>();
            TakeLine(WholeGame(), owner, *ownerLine);
            if (at >= ownerLine->m_plyCount) return true;
            if (variation >= static_cast<int>(ownerLine->m_ply[at].variations.size())) {
                if (variation > 0) ShowLineOf(owner, at + 1);
                return true;
            }
            owner.push_back({at, variation});
            ShowLineOf(owner, at + 1);
            return true;
        }
        case Qt::Key_Left: {
            // Out of the variation shown, to where it branches off.
            if (m_path.empty()) return true;
            const LineBranch branch = m_path.back();
            ShowLineOf(LinePath(m_path.begin(), m_path.end() - 1), branch.ply);
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
        m_game->SetSquare(drop.fromFile, drop.fromRank, drop.color, drop.kind);
        AfterDrop(DropOutcome());
    };
    if (!outcome.recorded) {
        if (outcome.why != DropRefusal::None)
            Prompts().Tell(QString::fromStdString(outcome.refusal));
        putBack();
        return false;
    }
    const PlyRecord& played = trial->m_ply[next];

    // The line the next move belongs to, and the moves that already go on from here.
    const LinePath ownerPath(
        m_path.begin(), m_path.begin() + static_cast<std::ptrdiff_t>(BranchesBefore(m_path, next)));
    auto owner = std::make_unique<CGameRecord>();
    TakeLine(WholeGame(), ownerPath, *owner);
    if (SameMove(owner->m_ply[next], played)) {
        ShowLineOf(ownerPath, next + 1);
        return true;
    }
    const VariationList& variations = owner->m_ply[next].variations;
    for (std::size_t v = 0; v < variations.size(); ++v) {
        if (SameMove(variations[v].plies.front(), played)) {
            LinePath path = ownerPath;
            path.push_back({next, static_cast<int>(v)});
            ShowLineOf(path, next + 1);
            return true;
        }
    }

    const QString question =
        QStringLiteral(
            "The game goes on here with %1. Add %2 as a new variation, or replace the "
            "moves that follow with it?")
            .arg(GameText(PlyName(*owner, next)), GameText(PlyName(*trial, next)));
    // The piece carried stands on its square again while the question is open.
    m_game->SetSquare(drop.fromFile, drop.fromRank, drop.color, drop.kind);
    update();
    switch (Prompts().AskBranch(question)) {
        case UserPrompts::BranchAnswer::Cancel:
            putBack();
            return false;
        case UserPrompts::BranchAnswer::Replace:
            // Asked wherever more than the one move replaced would go: later
            // moves, or the variations of any of them, in any line.
            if (CountPliesFrom(*owner, next) > 1 &&
                !Prompts().AskWarning(QString::fromLatin1(kReplaceWarning))) {
                putBack();
                return false;
            }
            // The copy is the line the move belongs to, cut there and the
            // move added: the moves after it go, with their variations.
            if (ownerPath.empty()) {
                m_game->Assign(*trial);
            } else {
                StoreLine(*m_whole, ownerPath, *trial);
                TakeLine(*m_whole, ownerPath, *m_game);
            }
            m_path = ownerPath;
            break;
        case UserPrompts::BranchAnswer::NewVariation: {
            if (const VariationRefusal full =
                    VariationRoomRefusal(WholeGame(), ownerPath.size() + 1);
                full != VariationRefusal::None) {
                Prompts().Tell(QString::fromLatin1(VariationRefusalSentence(full)));
                putBack();
                return false;
            }
            if (m_path.empty()) {
                if (!m_whole) m_whole = std::make_unique<CGameRecord>();
                m_whole->Assign(*m_game);
            }
            Variation variation;
            variation.plies.push_back(played);
            owner->m_ply[next].variations.push_back(std::move(variation));
            StoreLine(*m_whole, ownerPath, *owner);
            m_path = ownerPath;
            m_path.push_back({next, static_cast<int>(owner->m_ply[next].variations.size()) - 1});
            TakeLine(*m_whole, m_path, *m_game);
            break;
        }
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
    if (m_path.empty() || m_setupActive) return;
    const int line = qMax(0, CurrentLine());
    if (const VariationRefusal why = MainLineRefusal(*m_game); why != VariationRefusal::None) {
        Prompts().Tell(QString::fromLatin1(VariationRefusalSentence(why)));
        return;
    }
    StoreLine(*m_whole, m_path, *m_game);
    if (!PromoteToMainLine(*m_whole, m_path)) return;
    m_path.clear();
    m_game->Assign(*m_whole);
    m_game->m_setupMode = m_setupActive;
    PublishGame(kPromoteStep);
    ListMoves();
    SelectLine(line);
    ShowLine(line);
}

void CVexilView::TakeWholeGame(const CGameRecord& whole, const std::string& step) {
    if (m_setupActive) return;
    const int line = qMax(0, CurrentLine());
    if (m_path.empty()) {
        m_game->Assign(whole);
        m_game->m_setupMode = 0;
        ListMoves();
        SelectLine(line);
        ShowLine(line);
    } else {
        if (!m_whole) m_whole = std::make_unique<CGameRecord>();
        m_whole->Assign(whole);
        ShowLineOf(m_path, line);
    }
    PublishGame(step);
}

void CVexilView::OnDeleteVariation() {
    if (m_path.empty() || m_setupActive) return;
    const LineBranch branch = m_path.back();
    if (!Prompts().AskWarning(
            QStringLiteral("Delete the variation %1 with all its moves and the variations in it?")
                .arg(GameText(PlyName(*m_game, branch.ply)))))
        return;
    StoreLine(*m_whole, m_path, *m_game);
    const LinePath parent(m_path.begin(), m_path.end() - 1);
    // m_whole is the game while the variation is still the line shown.
    if (!DeleteVariation(*m_whole, m_path)) return;
    ShowLineOf(parent, branch.ply);
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
