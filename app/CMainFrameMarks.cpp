#include <QAction>
#include <QKeySequence>

#include "CMainFrame.h"
#include "CVexilView.h"
#include "MoveSymbols.h"
#include "ResourceIds.h"

// Marking moves and walking the game without the mouse: each key works
// wherever the focus is in the main window, the note box included, so none
// is a plain key the note box would type.

namespace {

struct GoRow {
    int command;
    const char* text;
    const char* prompt;
    const char* keys;
    int key;  // the move list's own key for it
};
const GoRow kGoRows[] = {
    {res::kCmdGoPrevious, "&Previous Move", "Show the move before the one shown", "Alt+Up",
     Qt::Key_Up},
    {res::kCmdGoNext, "&Next Move", "Show the next move of the line shown", "Alt+Down",
     Qt::Key_Down},
    {res::kCmdGoStart, "&Start", "Show the starting position", "Alt+Home", Qt::Key_Home},
    {res::kCmdGoEnd, "&End", "Show the last move of the line shown", "Alt+End", Qt::Key_End},
    {res::kCmdGoInto, "&Into Variation", "Show the next move's variation; again, the next one",
     "Alt+Right", Qt::Key_Right},
    {res::kCmdGoOut, "&Out of Variation", "Back to where the variation shown branches off",
     "Alt+Left", Qt::Key_Left},
};

// Position symbols as their menu names them.
const char* PositionName(int nag) {
    switch (nag) {
        case 10:
            return "= (equal)";
        case 14:
            return "+= (White slightly better)";
        case 15:
            return "=+ (Black slightly better)";
        case 16:
            return "+/- (White better)";
        case 17:
            return "-/+ (Black better)";
        case 18:
            return "+- (White winning)";
        case 19:
            return "-+ (Black winning)";
        default:
            return "Unclear";
    }
}

}  // namespace

void CMainFrame::CreateMarkActions() {
    auto onView = [this](auto act) {
        return [this, act] {
            if (CVexilView* view = ActiveView()) {
                act(view);
                UpdateMenus();
            }
        };
    };
    int index = 0;
    for (const MoveSymbol& symbol : kMoveSymbols) {
        ++index;
        QAction* action = AddAction(
            res::kCmdMoveSymbol1 + index - 1, QString::fromLatin1(symbol.sign),
            QStringLiteral("Mark the move shown %1, or take the mark away").arg(symbol.sign),
            {QKeySequence(QStringLiteral("Ctrl+%1").arg(index))});
        action->setCheckable(true);
        const int nag = symbol.nag;
        connect(action, &QAction::triggered, this,
                onView([nag](CVexilView* view) { view->OnMoveSymbol(nag); }));
    }
    index = 0;
    for (const MoveSymbol& symbol : kPositionSymbols) {
        ++index;
        QAction* action = AddAction(
            res::kCmdPositionSymbol1 + index - 1, QString::fromLatin1(PositionName(symbol.nag)),
            QStringLiteral("Judge the position after the move shown %1, or take it away")
                .arg(symbol.sign),
            {QKeySequence(QStringLiteral("Alt+%1").arg(index))});
        action->setCheckable(true);
        const int nag = symbol.nag;
        connect(action, &QAction::triggered, this,
                onView([nag](CVexilView* view) { view->OnMoveSymbol(nag); }));
    }
    QAction* diagram = AddAction(res::kCmdDiagram, QStringLiteral("&Diagram"),
                                 QStringLiteral("Print a diagram of the position after the move "
                                                "shown in the game score"),
                                 {QKeySequence(QStringLiteral("Ctrl+Alt+D"))});
    diagram->setCheckable(true);
    connect(diagram, &QAction::triggered, this,
            onView([](CVexilView* view) { view->OnDiagram(); }));
    for (const GoRow& row : kGoRows) {
        QAction* action =
            AddAction(row.command, QString::fromLatin1(row.text), QString::fromLatin1(row.prompt),
                      {QKeySequence(QString::fromLatin1(row.keys))});
        const int key = row.key;
        connect(action, &QAction::triggered, this,
                onView([key](CVexilView* view) { view->Go(key); }));
    }
}

void CMainFrame::UpdateMarkActions() {
    CVexilView* view = ActiveView();
    const bool game = view != nullptr && !view->IsSetupActive();
    const PlyRecord* move = game ? view->ShownMove() : nullptr;
    const int glyph = move != nullptr ? MoveSymbolOf(*move) : 0;
    const int position = move != nullptr ? PositionSymbolOf(*move) : 0;
    for (std::size_t i = 0; i < std::size(kMoveSymbols); ++i) {
        QAction* action = Action(res::kCmdMoveSymbol1 + static_cast<int>(i));
        action->setEnabled(move != nullptr);
        action->setChecked(kMoveSymbols[i].nag == glyph);
    }
    for (std::size_t i = 0; i < std::size(kPositionSymbols); ++i) {
        QAction* action = Action(res::kCmdPositionSymbol1 + static_cast<int>(i));
        action->setEnabled(move != nullptr);
        action->setChecked(kPositionSymbols[i].nag == position);
    }
    Action(res::kCmdDiagram)->setEnabled(move != nullptr);
    Action(res::kCmdDiagram)->setChecked(move != nullptr && HasDiagram(*move));
    for (const GoRow& row : kGoRows) Action(row.command)->setEnabled(game);
}
