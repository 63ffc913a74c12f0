#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "GameRecord.h"

class BoardPictures;
class EditedGame;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
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
    const CGameRecord& Game() const { return *m_game; }

    // Board geometry in the view's client pixels, for its own square size and
    // flip: the normal board's formulas scaled by square / 32.
    void SquareFromPoint(int x, int y, int& file, int& rank) const;
    QPoint SquareCentre(int file, int rank) const;
    // Where the picture of a square is drawn.
    QPoint SquareOrigin(int file, int rank) const;
    // The width and height the board takes at the upper left of the form.
    static int BoardExtent(int square) { return 9 * square; }

    static constexpr int kNormalSquare = 32;
    // The square size views take when they are made.
    static void SetPreferredSquare(int square);
    static int PreferredSquare();
    int SquareSize() const { return m_square; }
    // Redraws the board with squares of `square` pixels and moves the other
    // controls out of its way.
    void SetSquareSize(int square);

    // "Enter Move...": the user types moves until one is played or the box
    // is closed.
    void OnEnterMove();

    void OnFlipBoard();
    bool IsFlipped() const { return m_flipped != 0; }
    void OnGoToStart();
    void OnGoToEnd();
    // Copies the whole game to the document and marks it modified.
    void PublishGame();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditHeader();
    void OnSetupPosition();
    bool IsSetupActive() const { return m_setupActive != 0; }
    void OnCopyRecentMoves();
    void OnCopyGameScore();

    QListWidget* MoveList() const { return m_moveList; }
    QPlainTextEdit* AnnotationBox() const { return m_annotationBox; }
    QPlainTextEdit* HeaderBox() const { return m_headerBox; }

    // The board as drawn, for printing.
    void PaintBoard(QPainter& painter) const;

signals:
    // The view's game has just been copied to the document.
    void Published();
    // The shown position, or setup mode, may have changed.
    void PositionShown();

protected:
    void paintEvent(QPaintEvent* event) override;
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
    // Plays one typed move; true when the box may close.
    bool PlayTypedMove(const QString& text);
    // Redraws, and tells whoever shows the position.
    void Refresh();
    void OnLButtonDblClk();
    void OnRButtonDown(int x, int y);
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
    void StoreAnnotation(bool fits);
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
    void SelectLine(int line);
    // Takes the lines of `count` plies from `firstPly` on off the move list
    // and adds `added` when it is not empty, without the list telling anyone.
    void ResyncMoveList(int firstPly, int count, const std::string& added);
    const BoardPictures& Pictures() const;
    // Game bytes as shown: UTF-8 kept, anything else read as Windows-1252.
    static QString GameText(const std::string& bytes);
    // Today as the move list records it: MM/DD/YY.
    static std::string TodayText();

    EditedGame* m_document;
    std::unique_ptr<CGameRecord> m_game;
    // Loaded at the first paint, when the screen's pixel ratio is known.
    mutable std::shared_ptr<const BoardPictures> m_pictures;
    int m_dragPiece = kNothingCarried;
    int m_dragColor = 0;
    int m_dragFromFile = -1;
    int m_dragFromRank = -1;
    int m_setupActive = 0;
    int m_lastSetupPiece = 0;
    int m_lastSetupColor = 0;
    int m_flipped = 0;
    int m_square;
    QString m_annotation;
    QString m_headerText;
    bool m_pushing = false;
    bool m_catchUpPending = false;

    QWidget* m_labels[3] = {};
    QListWidget* m_moveList = nullptr;
    QPlainTextEdit* m_annotationBox = nullptr;
    QPlainTextEdit* m_headerBox = nullptr;
    QPushButton* m_goToStart = nullptr;
    QPushButton* m_goToEnd = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_report = nullptr;
};
