#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <functional>
#include <vector>

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CVexilView.h"
#include "DocumentManager.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "UserPrompts.h"

// The commands: their texts, prompts, shortcuts and handlers, the menus that
// list them and the toolbar.

namespace {

// Kept beside the recent-file list: the board size chosen (0 for Fit to
// Window) and the board's share of a window.
const char kBoardSquareKey[] = "Settings/BoardSquare";
const char kBoardShareKey[] = "Settings/BoardShare";
// Letters (false) or figurines in the printed score.
const char kFigurinesKey[] = "Settings/ScoreFigurines";

struct BoardSize {
    int command;
    int square;
    const char* name;
};
const BoardSize kBoardSizes[] = {{res::kCmdBoardNormal, 32, "&Normal"},
                                 {res::kCmdBoardLarge, 48, "&Large"},
                                 {res::kCmdBoardHuge, 64, "&Huge"}};

enum class Check { No, Off, On };

// The board size a first start takes: Large on a screen at least 1080
// pixels high, Huge from 1440, Normal below.
int FirstSquare() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int height = screen != nullptr ? screen->size().height() : 0;
    return height >= 1440 ? 64 : height >= 1080 ? 48 : 32;
}

struct CommandRow {
    int command;
    const char* text;
    // The status bar's prompt, then after a line break the tool tip.
    const char* prompt;
    // Shortcuts as portable text, "; " between them.
    const char* keys;
    Check check;
    std::function<void()> handler;  // none where the command does nothing here
};

// Menu entries besides commands.
constexpr int kSeparator = 0;
constexpr int kRecentFileList = -1;
constexpr int kBoardSizeMenu = -2;
constexpr int kSymbolMenus = -3;  // Move Symbol, Position Symbol and Diagram
constexpr int kGoMenu = -4;

struct MenuRow {
    const char* title;
    std::vector<int> entries;
    std::function<void(QMenu*)> aboutToShow;
};

// The toolbar's buttons show their pictures at this size.
constexpr int kToolbarPictureSize = 16;

QString ToolbarPicture(const char* name) {
    return QStringLiteral("toolbar-%1").arg(QLatin1String(name));
}

QIcon ToolbarIcon(const char* name) {
    return PictureIcon(ToolbarPicture(name), {kToolbarPictureSize});
}

const char kCommandNameProperty[] = "commandName";

// A command's name as a list shows it: no shortcut after a tab, no
// mnemonic marks ("&&" stands for "&"), no trailing dots.
QString CommandName(const QString& menuText) {
    const QString text = menuText.section(QLatin1Char('\t'), 0, 0);
    QString name;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        name.append(text[i]);
    }
    if (name.endsWith(QLatin1String("..."))) name.chop(3);
    return name;
}

QString KeysText(const QList<QKeySequence>& keys) {
    QStringList texts;
    for (const QKeySequence& key : keys) texts.append(key.toString(QKeySequence::NativeText));
    return texts.join(QStringLiteral(" or "));
}

}  // namespace

QAction* CMainFrame::AddAction(int command, const QString& text, const QString& prompt,
                               const QList<QKeySequence>& shortcuts) {
    auto* action = new QAction(text, this);
    action->setData(command);
    // Undo and Redo name the step they take in their text: the command's own
    // name stays here for the list of keys.
    action->setProperty(kCommandNameProperty, CommandName(text));
    const int feed = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(feed < 0 ? prompt : prompt.left(feed));
    if (feed >= 0) action->setToolTip(prompt.mid(feed + 1));
    // A row without keys reads as one empty sequence: keep only real keys.
    QList<QKeySequence> keys = shortcuts;
    keys.removeAll(QKeySequence());
    if (!keys.isEmpty()) action->setShortcuts(keys);
    addAction(action);  // shortcuts work whichever menu bar is shown
    m_actions.insert(command, action);
    return action;
}

void CMainFrame::CreateActions() {
    // Handlers that act on the active game, when there is one.
    auto onDocument = [this](auto method) {
        return [this, method] {
            if (CVexilDoc* document = m_documents->ActiveDocument())
                (m_documents->*method)(document);
        };
    };
    auto onView = [this](auto method, bool updateMenus) {
        return [this, method, updateMenus] {
            if (CVexilView* view = ActiveView()) {
                (view->*method)();
                if (updateMenus) UpdateMenus();
            }
        };
    };
    using Docs = DocumentManager;
    using View = CVexilView;
    const CommandRow rows[] = {
        {res::kCmdNew, "&New\tCtrl+N", "Start a new game\nNew", "Ctrl+N", Check::No,
         [this] { m_documents->NewDocument(); }},
        {res::kCmdOpen, "&Open...\tCtrl+O", "Open an existing game\nOpen", "Ctrl+O", Check::No,
         [this] { m_documents->OpenWithDialog(); }},
        {res::kCmdClose, "&Close", "Close the active game\nClose", "", Check::No,
         onDocument(&Docs::CloseDocument)},
        {res::kCmdSave, "&Save\tCtrl+S", "Save the active game\nSave", "Ctrl+S", Check::No,
         onDocument(&Docs::Save)},
        {res::kCmdSaveAs, "Save &As...", "Save the active game with a new name\nSave As", "",
         Check::No, onDocument(&Docs::SaveAs)},
        {res::kCmdExportPgn, "&Export PGN...",
         "Write the active game in standard PGN for other programs\nExport PGN", "", Check::No,
         onDocument(&Docs::ExportPgn)},
        // Ctrl+P prints what a player prints of a game, its score; the game
        // window as it shows is printed from the menu.
        {res::kCmdPrint, "&Print Window...", "Print the game window as it shows\nPrint Window", "",
         Check::No, [this] { OnPrint(); }},
        {res::kCmdPrintScore, "Print &Game Score...\tCtrl+P",
         "Print the game's moves, notes and variations laid out like a book\nPrint Game Score",
         "Ctrl+P", Check::No, [this] { OnPrintScore(); }},
        {res::kCmdExportScorePdf, "Export Game Score as P&DF...",
         "Write the game's score laid out like a book as a PDF file\nExport Game Score as PDF", "",
         Check::No, [this] { OnExportScorePdf(); }},
        {res::kCmdFigurines, "&Figurine Notation",
         "Print the score's pieces as figurines instead of letters\nFigurine Notation", "",
         Check::Off, nullptr},
        {res::kCmdExportBoardImage, "Export &Board Image...",
         "Write the position shown as a PNG or SVG picture\nExport Board Image", "", Check::No,
         [this] { OnExportBoardImage(); }},
        {res::kCmdExit, "E&xit", "Quit the application; prompts to save documents\nExit", "",
         Check::No, [this] { close(); }},
        {res::kCmdUndo, kUndoText, "Undo the last action\nUndo", "Ctrl+Z; Alt+Backspace", Check::No,
         onDocument(&Docs::Undo)},
        {res::kCmdRedo, kRedoText, "Redo the previously undone action\nRedo",
         "Ctrl+Y; Ctrl+Shift+Z", Check::No, onDocument(&Docs::Redo)},
        {res::kCmdCut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut",
         "Ctrl+X; Shift+Del", Check::No, onView(&View::OnEditCut, false)},
        {res::kCmdCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy",
         "Ctrl+C; Ctrl+Ins", Check::No, onView(&View::OnEditCopy, false)},
        {res::kCmdPaste, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste", "Ctrl+V; Shift+Ins",
         Check::No, onView(&View::OnEditPaste, false)},
        {res::kCmdPasteGame, "Paste &Game\tCtrl+Shift+V",
         "Open the PGN game or FEN position on the Clipboard as a new game\nPaste Game",
         "Ctrl+Shift+V", Check::No, [this] { OnPasteGame(); }},
        {res::kCmdCopyGame, "Copy G&ame\tCtrl+Shift+C",
         "Put the whole game on the Clipboard as PGN text\nCopy Game", "Ctrl+Shift+C", Check::No,
         [this] { OnCopyGame(); }},
        {res::kCmdCopyPosition, "Copy P&osition",
         "Put the position shown on the Clipboard as FEN text\nCopy Position", "", Check::No,
         [this] { OnCopyPosition(); }},
        {res::kCmdCopyBoardImage, "Copy &Board Image",
         "Copy the position shown as a picture and put it on the Clipboard\nCopy Board Image", "",
         Check::No, [this] { OnCopyBoardImage(); }},
        {res::kCmdEditHeader, "Edit &Hdr Info", "Edit the Header Information for this game", "",
         Check::No, onView(&View::OnEditHeader, false)},
        {res::kCmdEnterMove, "&Enter Move...\tCtrl+M", "Play a move typed from the keyboard",
         "Ctrl+M", Check::No, onView(&View::OnEnterMove, false)},
        {res::kCmdCorrectMove, View::kCorrectCommand,
         "Replace the selected move and play the later moves again from there\nCorrect Move",
         "Ctrl+Shift+M", Check::Off, onView(&View::OnCorrectMove, true)},
        {res::kCmdPromoteVariation, View::kPromoteCommand,
         "Make the variation shown the main line; the line it left becomes a variation of it\n"
         "Promote Variation",
         "Ctrl+Shift+P", Check::No, onView(&View::OnPromoteVariation, true)},
        {res::kCmdDeleteVariation, View::kDeleteCommand,
         "Delete the variation shown, with all its moves\nDelete Variation", "Ctrl+Shift+D",
         Check::No, onView(&View::OnDeleteVariation, true)},
        {res::kCmdToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", "", Check::On,
         nullptr},
        {res::kCmdStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", "",
         Check::On, nullptr},
        {res::kCmdNewWindow, "&New Window",
         "Open another window for the active document\nNew Window", "", Check::No,
         onDocument(&Docs::NewWindow)},
        {res::kCmdCascade, "&Cascade", "Arrange windows so they overlap\nCascade Windows", "",
         Check::No, [this] { OnWindowCascade(); }},
        {res::kCmdTile, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", "",
         Check::No, [this] { OnWindowTile(); }},
        {res::kCmdArrangeIcons, "&Arrange Icons",
         "Arrange icons at the bottom of the window\nArrange Icons", "", Check::No,
         [this] { OnWindowArrangeIcons(); }},
        {res::kCmdAbout, "&About Chess Ravelin...",
         "Display program information, version number and copyright\nAbout", "", Check::No,
         [this] { OnAppAbout(); }},
        {res::kCmdHelp, "Ravelin &Help\tF1", "Show a short guide to Ravelin\nRavelin Help", "F1",
         Check::No, [] { Prompts().ShowHelp(); }},
        {res::kCmdShortcuts, "&Keyboard Shortcuts",
         "List every key the program answers to\nKeyboard Shortcuts", "", Check::No,
         [this] { Prompts().ShowShortcuts(ShortcutRows()); }},
        {res::kCmdFlipBoard, "&Flip Board", "Turn the board around.", "", Check::Off,
         onView(&View::OnFlipBoard, true)},
        {res::kCmdSetupPosition, "&Setup Position", "", "", Check::Off,
         onView(&View::OnSetupPosition, true)},
        // The views are never split into panes: F6 and Shift+F6 do nothing.
        {res::kCmdNextPane, "Next Pane", "", "F6", Check::No, nullptr},
        {res::kCmdPrevPane, "Previous Pane", "", "Shift+F6", Check::No, nullptr},
    };
    for (const CommandRow& row : rows) {
        QAction* action =
            AddAction(row.command, QString::fromLatin1(row.text), QString::fromLatin1(row.prompt),
                      QKeySequence::listFromString(QString::fromLatin1(row.keys),
                                                   QKeySequence::PortableText));
        action->setCheckable(row.check != Check::No);
        action->setChecked(row.check == Check::On);
        if (row.handler) connect(action, &QAction::triggered, this, row.handler);
    }
    CreateMarkActions();
    CreateAnalysisActions();
    connect(m_documents, &DocumentManager::HistoryChanged, this, &CMainFrame::UpdateMenus);
    QAction* figurines = Action(res::kCmdFigurines);
    figurines->setChecked(QSettings().value(QString::fromLatin1(kFigurinesKey), false).toBool());
    connect(figurines, &QAction::toggled, this,
            [](bool on) { QSettings().setValue(QString::fromLatin1(kFigurinesKey), on); });
    connect(Action(res::kCmdStatusBar), &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });

    for (int i = 0; i < RecentFiles::kSize; ++i) {
        QAction* action = AddAction(res::kCmdRecentFile1 + i, QString(), "Open this document");
        m_recentActions.append(action);
        connect(action, &QAction::triggered, this, [this, i] {
            const QStringList files = m_documents->Recent().Files();
            if (i < files.size()) m_documents->OpenDocument(files[i]);
        });
    }

    auto* sizes = new QActionGroup(this);
    // The item checked follows the window shown: none when its board has
    // another size than the three.
    sizes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    int stored = QSettings().value(QString::fromLatin1(kBoardSquareKey), FirstSquare()).toInt();
    CVexilView::SetFitsWindow(stored == 0);
    if (std::none_of(std::begin(kBoardSizes), std::end(kBoardSizes),
                     [stored](const BoardSize& size) { return size.square == stored; }))
        stored = CVexilView::kNormalSquare;
    CVexilView::SetPreferredSquare(stored);
    CVexilView::SetPreferredShare(
        QSettings().value(QString::fromLatin1(kBoardShareKey), 1.0).toDouble());
    for (const BoardSize& size : kBoardSizes) {
        QAction* action =
            AddAction(size.command, QString::fromLatin1(size.name),
                      QStringLiteral("Size the game window for a board of %1-pixel squares")
                          .arg(size.square));
        action->setCheckable(true);
        action->setChecked(size.square == stored && !CVexilView::FitsWindow());
        sizes->addAction(action);
        const int square = size.square;
        connect(action, &QAction::triggered, this, [this, square] { SetBoardSquare(square); });
    }
    QAction* fit = AddAction(res::kCmdBoardFit, QStringLiteral("Fit to &Window"),
                             QStringLiteral("Maximise the game window and let the board fill it"));
    fit->setCheckable(true);
    fit->setChecked(CVexilView::FitsWindow());
    sizes->addAction(fit);
    connect(fit, &QAction::triggered, this, [this] { SetBoardSquare(0); });
}

UserPrompts::ShortcutList CMainFrame::ShortcutRows() const {
    // Read back from the actions, in the order the table made them: a command
    // given keys later is listed with no more to do.
    UserPrompts::ShortcutList rows;
    for (const QAction* action : actions())
        if (!action->shortcuts().isEmpty())
            rows.emplace_back(action->property(kCommandNameProperty).toString(),
                              KeysText(action->shortcuts()));
    for (const CVexilView::FormKey& key : CVexilView::kFormKeys)
        rows.emplace_back(QString::fromLatin1(key.what),
                          KeysText(QKeySequence::listFromString(QString::fromLatin1(key.keys),
                                                                QKeySequence::PortableText)));
    return rows;
}

void CMainFrame::CreateMenus() {
    using namespace res;
    const std::vector<int> view = {kCmdToolbar, kCmdStatusBar, kBoardSizeMenu};
    const std::vector<int> help = {kCmdHelp, kCmdShortcuts, kSeparator, kCmdAbout};
    const MenuRow withoutGame[] = {
        {"&File", {kCmdNew, kCmdOpen, kSeparator, kRecentFileList, kSeparator, kCmdExit}, nullptr},
        {"&View", view, nullptr},
        {"&Help", help, nullptr},
    };
    const MenuRow withGame[] = {
        {"&File",
         {kCmdNew, kCmdOpen, kCmdClose, kCmdSave, kCmdSaveAs, kCmdExportPgn, kSeparator, kCmdPrint,
          kCmdPrintScore, kCmdExportScorePdf, kCmdFigurines, kCmdExportBoardImage, kSeparator,
          kRecentFileList, kSeparator, kCmdExit},
         nullptr},
        {"&Edit",
         {kCmdUndo, kCmdRedo, kSeparator, kCmdCut, kCmdCopy, kCmdPaste, kSeparator, kCmdPasteGame,
          kCmdCopyGame, kCmdCopyPosition, kCmdCopyBoardImage, kSeparator, kCmdEditHeader, kCmdEnterMove, kCmdCorrectMove, kSeparator, kSymbolMenus, kSeparator,
          kCmdPromoteVariation, kCmdDeleteVariation, kSeparator, kCmdCheckGame},
         nullptr},
        {"&View", {kCmdToolbar, kCmdStatusBar, kBoardSizeMenu, kGoMenu, kSeparator, kCmdAnalysis},
         nullptr},
        {"&Window",
         {kCmdNewWindow, kCmdCascade, kCmdTile, kCmdArrangeIcons},
         [this](QMenu* menu) { ListGameWindows(menu); }},
        {"&Help", help, nullptr},
        {"&Options", {kCmdFlipBoard, kCmdSetupPosition, kSeparator, kCmdEngine},
         [this](QMenu*) { UpdateMenus(); }},
    };
    auto build = [this](const MenuRow& row) {
        auto* menu = new QMenu(QString::fromLatin1(row.title), this);
        for (int entry : row.entries) {
            if (entry == kSeparator) {
                menu->addSeparator();
            } else if (entry == kRecentFileList) {
                menu->addActions(m_recentActions);
            } else if (entry == kSymbolMenus) {
                QMenu* moves = menu->addMenu(QStringLiteral("&Move Symbol"));
                for (int i = 0; i < 6; ++i) moves->addAction(Action(kCmdMoveSymbol1 + i));
                QMenu* positions = menu->addMenu(QStringLiteral("P&osition Symbol"));
                for (int i = 0; i < 8; ++i) positions->addAction(Action(kCmdPositionSymbol1 + i));
                menu->addAction(Action(kCmdDiagram));
            } else if (entry == kGoMenu) {
                QMenu* go = menu->addMenu(QStringLiteral("&Go"));
                for (int command = kCmdGoPrevious; command <= kCmdGoOut; ++command)
                    go->addAction(Action(command));
            } else if (entry == kBoardSizeMenu) {
                QMenu* sizes = menu->addMenu(QStringLiteral("&Board Size"));
                for (const BoardSize& size : kBoardSizes) sizes->addAction(Action(size.command));
                sizes->addAction(Action(kCmdBoardFit));
                connect(sizes, &QMenu::aboutToShow, this, &CMainFrame::UpdateBoardSizeChecks);
            } else {
                menu->addAction(Action(entry));
            }
        }
        if (row.aboutToShow)
            connect(menu, &QMenu::aboutToShow, this,
                    [menu, show = row.aboutToShow] { show(menu); });
        return menu;
    };
    for (const MenuRow& row : withoutGame) m_menusWithoutGame.append(build(row));
    for (const MenuRow& row : withGame) m_menusWithGame.append(build(row));
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(QStringLiteral("Standard"), this);
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    Action(res::kCmdNew)->setIcon(ToolbarIcon("new"));
    Action(res::kCmdOpen)->setIcon(ToolbarIcon("open"));
    Action(res::kCmdSave)->setIcon(ToolbarIcon("save"));
    m_toolBar->addAction(Action(res::kCmdNew));
    m_toolBar->addAction(Action(res::kCmdOpen));
    m_toolBar->addAction(Action(res::kCmdSave));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    QAction* toggle = Action(res::kCmdToolbar);
    connect(toggle, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::PrepareToolbarPictures() {
    for (const char* name : {"new", "open", "save"})
        PreparePicture(ToolbarPicture(name), {kToolbarPictureSize});
}

void CMainFrame::SetBoardSquare(int square) {
    QSettings().setValue(QString::fromLatin1(kBoardSquareKey), square);
    CVexilView::SetFitsWindow(square == 0);
    if (square == 0) {
        // The game windows maximised: the board takes what it can of each.
        if (QMdiSubWindow* active = m_area->activeSubWindow()) active->showMaximized();
        UpdateMenus();
        return;
    }
    CVexilView::SetPreferredSquare(square);
    // Each game window sized for a board of that square, the board given all
    // it can take.
    for (QMdiSubWindow* window : m_area->subWindowList()) {
        if (auto* frame = qobject_cast<CChildFrame*>(window)) {
            if (frame->isMaximized()) frame->showNormal();
            frame->View()->SetBoardShare(1.0);
            frame->FitWholeForm();
            frame->KeepInArea();
        }
    }
    UpdateMenus();
}

void CMainFrame::StoreBoardShare(double share) {
    CVexilView::SetPreferredShare(share);
    QSettings().setValue(QString::fromLatin1(kBoardShareKey), share);
}

void CMainFrame::UpdateBoardSizeChecks() {
    CVexilView* view = ActiveView();
    QMdiSubWindow* active = m_area->activeSubWindow();
    const bool fits = active != nullptr ? active->isMaximized() : CVexilView::FitsWindow();
    Action(res::kCmdBoardFit)->setChecked(fits);
    for (const BoardSize& size : kBoardSizes)
        Action(size.command)
            ->setChecked(!fits && view != nullptr && view->SquareSize() == size.square);
}
