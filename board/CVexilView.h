#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "BoardGeometry.h"
#include "GameLines.h"
#include "GameRecord.h"
#include "LineCursor.h"
#include "NoteCommands.h"
#include "StartChoices.h"

class BoardPictures;
class BoardSplitHandle;
class EditedGame;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class SetupPalette;
struct DropOutcome;
struct PieceDrop;

// The game window's form: the board drawn at the upper left, the move list,
// the header summary, the note box and the navigation buttons. All editing
// happens on the view's own copy of the game, which it publishes to the
// document after every change.
class CVexilView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNothingCarried = 6;

    explicit CVexilView(EditedGame* document, QWidget* parent = nullptr);
    ~CVexilView() override;

    // First showing: copies the document's game, lists its plies and shows
    // its starting position.
    void OnInitialUpdate();
    // Another window on the same document has published: show the document's
    // game, on the same ply where it still exists, else on the last. A view
    // in position setup or carrying a piece catches up when that ends.
    void CatchUp();
    // Ends a carry that will not be released: the piece goes back to its
    // square and nothing is recorded.
    void CancelCarry();
    bool IsCarrying() const { return m_dragPiece != kNothingCarried; }
    EditedGame* GetDocument() const { return m_document; }
    // The line the board shows, as a game from the start: the main line, or
    // a variation with the moves that lead to it.
    const CGameRecord& Game() const { return *m_game; }
    // The game with every line in it.
    const CGameRecord& WholeGame() const { return m_lines.Whole(); }
    const LinePath& ShownLine() const { return m_lines.Path(); }
    bool ShowsVariation() const { return m_lines.ShowsVariation(); }
    // The two commands on variations, as the Edit menu and the move list's
    // context menu name them.
    static constexpr const char* kPromoteCommand = "Pro&mote Variation\tCtrl+Shift+P";
    static constexpr const char* kDeleteCommand = "&Delete Variation\tCtrl+Shift+D";
    // Keys the game window takes itself rather than through a command, for
    // the list of shortcuts: what each does, and the keys as portable text.
    // OnMoveListKey, the note box and the carried piece answer to them.
    struct FormKey {
        const char* what;
        const char* keys;
    };
    static constexpr FormKey kFormKeys[] = {
        {"Move list: previous move of the line shown", "Up"},
        {"Move list: next move of the line shown", "Down"},
        {"Move list: starting position", "Home"},
        {"Move list: last move of the line shown", "End"},
        {"Move list: into the next move's variations, then the next one", "Right"},
        {"Move list: out of the variation, to where it branches", "Left"},
        {"Move list: stop correcting a move", "Esc"},
        {"Note box: break the line", "Ctrl+Enter"},
        {"Board: put the carried piece back", "Esc"},
    };
    // The keys of the move list from anywhere in the window (Qt::Key_Up,
    // Down, Home, End, Right, Left): along the line shown, into and out of
    // variations. True when the key means something here.
    bool Go(int key);
    // Marks on the move shown: a move glyph (1 to 6) or a position symbol
    // (10 to 19), given or taken away, and the diagram mark.
    void OnMoveSymbol(int nag);
    void OnDiagram();
    // The move shown; null at the starting position.
    const PlyRecord* ShownMove() const;

    // "Promote Variation": the variation shown becomes the main line, the
    // line it left a variation of it.
    void OnPromoteVariation();
    // "Delete Variation": the variation shown goes, after the user agrees.
    void OnDeleteVariation();

    // Board geometry in the view's client pixels, for its own square size and
    // flip: the normal board's formulas scaled by square / 32.
    void SquareFromPoint(int x, int y, int& file, int& rank) const;
    QPoint SquareCentre(int file, int rank) const;
    // Where the picture of a square is drawn.
    QPoint SquareOrigin(int file, int rank) const;

    static constexpr int kNormalSquare = board::kNormalSquare;
    // The square size a new window is made for (Normal, Large or Huge), or
    // a new window maximised with the board fitting it.
    static void SetPreferredSquare(int square);
    static int PreferredSquare();
    static void SetFitsWindow(bool fits);
    static bool FitsWindow();
    // The board's share of the window the user chose with the split (1 for
    // all it can take), for views made later.
    static void SetPreferredShare(double share);
    static double PreferredShare();
    // The square size the board has now: the largest the window allows.
    int SquareSize() const { return m_square; }
    // The size the form needs for squares of `square` pixels beside the text.
    QSize FormSizeFor(int square) const;
    double BoardShare() const { return m_share; }
    void SetBoardShare(double share);
    bool BoardAbove() const { return m_fit.above; }

    // "Enter Move...": the user types moves until one is played or the box
    // is closed.
    void OnEnterMove();

    // "Correct Move": the selected move is replaced by the next one played
    // or typed, and the moves after it are kept where they still fit.
    void OnCorrectMove();
    static constexpr const char* kCorrectCommand = "C&orrect Move\tCtrl+Shift+M";
    bool IsCorrecting() const { return m_correcting != 0; }
    // What the player is asked for while a move is being corrected.
    QString CorrectionText() const;

    void OnFlipBoard();
    bool IsFlipped() const { return m_flipped != 0; }
    void OnGoToStart();
    void OnGoToEnd();
    // Copies the whole game to the document as the edit `step`, one step
    // of Undo; edits of one non-empty `group` in a row are one step.
    void PublishGame(const std::string& step, const std::string& group = std::string());
    // Takes `whole`, the game changed from outside the board (an engine's
    // line added, the game checked), as the edit `step`; the line and the
    // position shown stay.
    void TakeWholeGame(const CGameRecord& whole, const std::string& step);
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditHeader();
    void OnSetupPosition();
    bool IsSetupActive() const { return m_setupActive != 0; }
    // Setup's pieces, buttons and FEN field, shown while setup is on. Made
    // without a parent: the window that holds the view places it.
    SetupPalette* Palette() const { return m_palette; }
    void OnCopyRecentMoves();
    void OnCopyGameScore();

    QListWidget* MoveList() const { return m_moveList; }
    QPlainTextEdit* AnnotationBox() const { return m_annotationBox; }
    QPlainTextEdit* HeaderBox() const { return m_headerBox; }

    // The board as drawn, for printing.
    void PaintBoard(QPainter& painter) const;
    // The note of the position shown taken apart: what the board draws on it.
    NoteParts ShownDrawings() const;
    // The colour a drawing takes with these keys held: green, with Shift (or
    // Ctrl) red, with Alt (or Meta) blue, with both yellow.
    static char DrawingColour(Qt::KeyboardModifiers keys);
    // Draws an arrow from `from` to `to`, or marks `from` when they are the
    // same square, on the position shown, or takes it away when the note has
    // it in that colour: one step of Undo.
    void OnDraw(Square from, Square to, char colour);
    // "C60 Ruy Lopez": the opening the line has reached at the move shown;
    // empty when none is known.
    QString OpeningText() const;

signals:
    // The view's game has just been copied to the document.
    void Published();
    // The shown position, or setup mode, may have changed.
    void PositionShown();
    // The user moved the split between the board and the text.
    void BoardShareChanged(double share);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // While a piece is carried: anything that interrupts the gesture.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void LayOutForm();
    void OnBoardPress(int x, int y);
    void OnBoardRelease(int x, int y);
    // The rest of a release for a lifted piece, shared by the mouse and typed
    // moves; true when a ply was recorded.
    bool PlayLiftedPiece(const PieceDrop& drop, const std::function<int()>& promotion);
    // The box, the list and the document after a drop.
    void AfterDrop(const DropOutcome& outcome);
    // Plays one typed move; true when the box may close.
    bool PlayTypedMove(const QString& text);
    // Redraws, and tells whoever shows the position.
    void Refresh();
    void OnLButtonDblClk();
    void OnRButtonDown(int x, int y);
    // A left press in setup with a piece or the eraser picked in the
    // palette: puts it on the square. False when nothing is picked.
    bool PutPickedPiece(int x, int y);
    void OnSetupClearBoard();
    void OnSetupStartPosition();
    // A FEN typed into the palette: its placement, and its side, rights,
    // target and numbers offered on leaving; refused with its reason.
    void OnSetupFen(const QString& text);
    // What leaving setup offers for the board as it stands.
    StartChoices SetupChoices() const;
    void OnSelchangeMoveList();
    // Copies the document's game, lists its plies and shows its header.
    void LoadDocumentGame();
    // Shows the position of a move-list line and its note.
    void ShowLine(int line);
    // Leaving setup after another window published: the document's game,
    // with the board set up here.
    void TakeDocumentGameKeepingBoard();
    // Leaves nothing carried.
    void EndCarry();
    void OnChangeAnnotation();
    // Stores the note box's text as the note; when it did not fit, the note
    // and the box keep the first 4096 bytes.
    // `step` names the edit: "Note" while typing, whose keys are one step
    // until another position is shown, or "Cut" and "Paste".
    void StoreAnnotation(bool fits, const char* step = kNoteStep);
    static constexpr const char* kNoteStep = "Note";
    // Tells the note box how the game stores text, for its byte limit.
    void UpdateEncoding();
    void RefreshHeaderText();
    void Push();
    // Reads the boxes into the strings; false, after saying so, when the
    // note box holds more than a note can.
    bool Pull();
    QString NoteText(const std::string& bytes) const;
    std::string NoteBytes(const QString& text);
    void PutClipboardText(const std::string& bytes);
    void ShowArrow();
    // The squares and pieces, without what the note draws on them.
    void PaintSquares(QPainter& painter) const;
    // Names the opening reached at the move shown.
    void UpdateOpening();
    // The name as far as the label's width allows.
    void ShowOpeningText();
    // The move list's row of a ply, its clock beside it.
    QListWidgetItem* MoveRow(const PlyRecord& ply) const;
    // Selects the row of line `line` (0 the start) of the line shown.
    void SelectLine(int line);
    // The shown line's line number of the selected row; -1 when none.
    int CurrentLine() const;
    // Lists every line of the game; rows off the line shown are set apart.
    void ListMoves();
    int RowOfLine(int line) const;
    // A move's row: its list line and the symbols kept beside it.
    static QString RowText(const PlyRecord& ply);
    // Shows line `line` of the line `path` names, listing the moves again.
    void ShowLineOf(const LinePath& path, int line);
    // Keys on the move list that follow the shown line and step into and
    // out of variations; true when the key was taken.
    bool OnMoveListKey(int key);
    // A legal move at a position the line goes on from: follows the line or
    // variation that holds it, else asks whether to branch or replace.
    // Returns false when nothing is left to do (followed or cancelled).
    bool OfferBranch(const PieceDrop& drop, const std::function<int()>& promotion);
    // The move dropped while correcting replaces the move corrected.
    bool PlayCorrection(const PieceDrop& drop, const std::function<int()>& promotion);
    // Leaves correcting, showing the move that was to be corrected.
    void EndCorrection();
    // The move list's context menu: the row clicked is shown, then the
    // commands on variations are offered.
    void OnMoveListMenu(const QPoint& point);
    // Takes the lines of `count` plies from `firstPly` on off the move list
    // and adds `added` when it is not empty, without the list telling anyone.
    void ResyncMoveList(int firstPly, int count, const std::string& added);
    const BoardPictures& Pictures() const;
    // Game bytes as shown: UTF-8 kept, anything else read as Windows-1252.
    static QString GameText(const std::string& bytes);
    // Today as the move list records it: MM/DD/YY.
    static std::string TodayText();

    EditedGame* m_document;
    // The line shown, where it runs in the game's tree and the whole game
    // behind it; m_game is the line itself.
    LineCursor m_lines;
    CGameRecord* const m_game;
    // Where each row of the move list stands: the line it is a move of and
    // its line number there. Empty for a game without variations, whose row
    // k is line k.
    struct RowPlace {
        LinePath path;
        int line = 0;
        int depth = 0;
    };
    std::vector<RowPlace> m_rows;
    // Loaded at the first paint, when the screen's pixel ratio is known.
    mutable std::shared_ptr<const BoardPictures> m_pictures;
    // While the board's size keeps changing (a window's edge dragged), the
    // pictures of the size before, drawn scaled; the crisp ones are drawn once
    // the size has rested.
    std::shared_ptr<const BoardPictures> m_restingPictures;
    QTimer* m_restTimer = nullptr;
    int m_dragPiece = kNothingCarried;
    int m_dragColor = 0;
    int m_dragFromFile = -1;
    int m_dragFromRank = -1;
    // Where a right-button drag began, off the board when none is under way.
    Square m_drawFrom;
    int m_setupActive = 0;
    int m_lastSetupPiece = 0;
    int m_lastSetupColor = 0;
    SetupPalette* m_palette = nullptr;
    // The choices of the last FEN typed in setup, until the board is cleared
    // or set to the start.
    std::optional<StartChoices> m_typedStart;
    int m_flipped = 0;
    int m_square;
    // The board's share of the window, and how the window's room is shared now.
    double m_share;
    board::Fit m_fit;
    BoardSplitHandle* m_handle = nullptr;
    QString m_annotation;
    QString m_headerText;
    bool m_pushing = false;
    // Counts the positions shown, so that the keys typed into one note, and
    // no others, make one step of Undo.
    int m_noteSession = 0;
    // The line number of the move being corrected; 0 when none is.
    int m_correcting = 0;
    bool m_catchUpPending = false;

    QWidget* m_labels[3] = {};
    QListWidget* m_moveList = nullptr;
    QPlainTextEdit* m_annotationBox = nullptr;
    QPlainTextEdit* m_headerBox = nullptr;
    QLabel* m_opening = nullptr;
    QString m_openingText;
    QPushButton* m_goToStart = nullptr;
    QPushButton* m_goToEnd = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_report = nullptr;
};
