#include <QListWidget>

#include "CVexilView.h"
#include "MoveListNotes.h"
#include "MoveSymbols.h"

// Marks on a move from the menus and the keyboard: glyphs, position symbols
// and the diagram mark.

const PlyRecord* CVexilView::ShownMove() const {
    const int line = CurrentLine();
    return line >= 1 && line <= m_game->m_plyCount ? &m_game->m_ply[line - 1] : nullptr;
}

void CVexilView::OnMoveSymbol(int nag) {
    if (m_setupActive || ShownMove() == nullptr) return;
    const int line = CurrentLine();
    PlyRecord& ply = m_game->m_ply[line - 1];
    const char* sign = SymbolSign(nag);
    if (sign == nullptr) return;
    if (nag <= 6)
        ToggleMoveSymbol(ply, nag);
    else
        TogglePositionSymbol(ply, nag);
    PublishGame(std::string("Symbol ") + sign);
    ListMoves();
    SelectLine(line);
    Refresh();
}

void CVexilView::OnDiagram() {
    if (m_setupActive || ShownMove() == nullptr) return;
    const int line = CurrentLine();
    ToggleDiagram(m_game->m_ply[line - 1]);
    m_annotation = NoteText(NoteWordsOfLine(*m_game, line));
    Push();
    PublishGame("Diagram");
    Refresh();
}
