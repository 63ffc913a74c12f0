#pragma once

#include <QHash>
#include <QKeySequence>
#include <QMainWindow>

#include "UserPrompts.h"

class AnalysisPane;
class CChildFrame;
class EngineProcess;
class GameCheckRun;
class QDockWidget;
class CVexilView;
class DocumentManager;
class RecoveryStore;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;
class QToolBar;

// The main window: the game windows inside it, the menus (one set while no
// game window is open, another while one is), the toolbar and status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;
    // Draws the pictures the window shows at once, on any thread, ahead of it.
    static void PreparePictures();

    DocumentManager& Documents() { return *m_documents; }
    RecoveryStore& Recovery() { return *m_recovery; }
    QMdiArea* Area() const { return m_area; }
    // The action of a command, by its identifier.
    QAction* Action(int command) const { return m_actions.value(command); }
    CVexilView* ActiveView() const;
    // The engine and the pane of its lines.
    EngineProcess& Engine() const { return *m_engine; }
    // The engine's pane, made when first wanted.
    AnalysisPane* Analysis();
    bool IsCheckingGame() const { return m_check != nullptr; }
    // Opens each file in turn, as Open does; Cancel in a list of games stops.
    void OpenFiles(const QStringList& files);
    // Prints the active game's board view.
    bool PrintActiveView(QPrinter& printer);
    // Prints the active game's whole score, with its variations and notes.
    bool PrintActiveScore(QPrinter& printer);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A .pgn file dropped opens as Open does; dropped text as Paste Game.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* AddAction(int command, const QString& text, const QString& prompt,
                       const QList<QKeySequence>& shortcuts = {});
    void CreateActions();
    void CreateMenus();
    // The marks on a move and the moves through the game, from the keyboard.
    void CreateMarkActions();
    void UpdateMarkActions();
    // View > Analysis, Options > Engine and Edit > Check Game, with the pane.
    void CreateAnalysisActions();
    void OnAnalysis(bool shown);
    void OnEngineSettings();
    void OnCheckGame();
    void CreateToolBar();
    static void PrepareToolbarPictures();
    void CreateStatusBar();
    // The size and place of the last run, moved onto a screen there is; on a
    // first start, a share of the screen.
    void RestorePlace();
    void UpdateMenus();
    // Undo and Redo name the steps they would take.
    void UpdateUndoRedo();
    static constexpr const char* kUndoText = "&Undo\tCtrl+Z";
    static constexpr const char* kRedoText = "&Redo\tCtrl+Y";
    void UpdateTitle();
    void changeEvent(QEvent* event) override;
    void UpdateRecentFiles();
    void UpdateLockIndicators();
    void UpdateTurnField();
    // Draws every game board with squares of `square` pixels, now and in
    // later runs.
    // Sizes the game windows for a board of `square` pixels, or with 0
    // maximises them with the board fitting the window.
    void SetBoardSquare(int square);
    void StoreBoardShare(double share);
    void UpdateBoardSizeChecks();
    void OnWindowCascade();
    void OnWindowTile();
    void OnWindowArrangeIcons();
    // Lists the open game windows at the end of the Window menu.
    void ListGameWindows(QMenu* menu);
    void OnPrint();
    void OnPrintScore();
    void OnExportScorePdf();
    void OnCopyBoardImage();
    // Edit > Paste Game, Copy Game and Copy Position: games as text.
    void OnPasteGame();
    void OnCopyGame();
    void OnCopyPosition();
    void OnExportBoardImage();
    // A file name beside the active game's file, with the suffix given.
    QString NameBesideGame(const QString& suffix) const;
    void OnAppAbout();
    // Every command with keys, with all its keys, then the keys the game
    // window takes itself.
    UserPrompts::ShortcutList ShortcutRows() const;

    QMdiArea* m_area;
    DocumentManager* m_documents;
    RecoveryStore* m_recovery;
    QHash<int, QAction*> m_actions;
    QList<QAction*> m_recentActions;
    QList<QMenu*> m_menusWithoutGame;
    QList<QMenu*> m_menusWithGame;
    bool m_showingGameMenus = false;
    // The main window's title as the program composes it.
    QString m_title;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_lockLabels[3] = {};
    QLabel* m_turnLabel = nullptr;
    EngineProcess* m_engine = nullptr;
    AnalysisPane* m_analysis = nullptr;
    QDockWidget* m_analysisDock = nullptr;
    GameCheckRun* m_check = nullptr;
};
