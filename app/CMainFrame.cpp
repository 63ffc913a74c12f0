#include "CMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "CChildFrame.h"
#include "CVexilDoc.h"
#include "CVexilView.h"
#include "DocumentManager.h"
#include "KeyboardLocks.h"
#include "MoveRecording.h"
#include "ResourceIds.h"
#include "UserPrompts.h"

namespace {

const char kAppTitle[] = "Ravelin";
// Kept beside the recent-file list.
const char kBoardSquareKey[] = "Settings/BoardSquare";

struct BoardSize {
    int command;
    int square;
    const char* name;
};
const BoardSize kBoardSizes[] = {{res::kCmdBoardNormal, 32, "Normal"},
                                 {res::kCmdBoardLarge, 48, "Large"},
                                 {res::kCmdBoardHuge, 64, "Huge"}};

QIcon ToolbarIcon(const char* name) {
    return QIcon(QStringLiteral(":/pictures/toolbar-%1.svg").arg(QLatin1String(name)));
}

}  // namespace

CMainFrame::CMainFrame() {
    m_area = new QMdiArea(this);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    m_documents = new DocumentManager(m_area, this);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app-icon.svg")));

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    connect(m_area, &QMdiArea::subWindowActivated, this, [this] {
        if (CVexilView* view = ActiveView())
            connect(view, &CVexilView::PositionShown, this, &CMainFrame::UpdateTurnField,
                    Qt::UniqueConnection);
        UpdateMenus();
        UpdateTitle();
        UpdateTurnField();
    });
    connect(m_documents, &DocumentManager::TitlesChanged, this, [this] {
        UpdateMenus();
        UpdateTitle();
    });
    connect(m_documents, &DocumentManager::RecentChanged, this, &CMainFrame::UpdateRecentFiles);
    UpdateRecentFiles();
    UpdateMenus();
    UpdateTitle();
    resize(900, 600);
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    // The game windows go before the manager: let them go without telling us.
    disconnect(m_documents, nullptr, this, nullptr);
    disconnect(m_area, nullptr, this, nullptr);
}

QAction* CMainFrame::AddAction(int command, const QString& text, const QString& prompt,
                               const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setData(command);
    const int feed = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(feed < 0 ? prompt : prompt.left(feed));
    if (feed >= 0) action->setToolTip(prompt.mid(feed + 1));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    addAction(action);  // shortcuts work whichever menu bar is shown
    m_actions.insert(command, action);
    return action;
}

CVexilView* CMainFrame::ActiveView() const {
    CChildFrame* frame = m_documents->ActiveFrame();
    return frame != nullptr ? frame->View() : nullptr;
}

void CMainFrame::CreateActions() {
    DocumentManager* documents = m_documents;
    auto withDocument = [documents](auto step) {
        return [documents, step] {
            if (CVexilDoc* document = documents->ActiveDocument()) step(document);
        };
    };
    auto withView = [this](auto step) {
        return [this, step] {
            if (CVexilView* view = ActiveView()) step(view);
        };
    };

    connect(AddAction(res::kCmdNew, "&New\tCtrl+N", "Start a new game\nNew", QKeySequence::New),
            &QAction::triggered, this, [documents] { documents->NewDocument(); });
    connect(AddAction(res::kCmdOpen, "&Open...\tCtrl+O", "Open an existing game\nOpen",
                      QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [documents] { documents->OpenWithDialog(); });
    connect(AddAction(res::kCmdClose, "&Close", "Close the active game\nClose"),
            &QAction::triggered, this,
            withDocument([documents](CVexilDoc* d) { documents->CloseDocument(d); }));
    connect(AddAction(res::kCmdSave, "&Save\tCtrl+S", "Save the active game\nSave",
                      QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this,
            withDocument([documents](CVexilDoc* d) { documents->Save(d); }));
    connect(AddAction(res::kCmdSaveAs, "Save &As...", "Save the active game with a new name\nSave As"),
            &QAction::triggered, this,
            withDocument([documents](CVexilDoc* d) { documents->SaveAs(d); }));
    connect(AddAction(res::kCmdExportPgn, "&Export PGN...",
                      "Write the active game in standard PGN for other programs\nExport PGN"),
            &QAction::triggered, this,
            withDocument([documents](CVexilDoc* d) { documents->ExportPgn(d); }));
    connect(AddAction(res::kCmdPrint, "&Print...", QString(), QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &CMainFrame::OnPrint);
    for (int i = 0; i < RecentFiles::kSize; ++i) {
        QAction* action = AddAction(res::kCmdRecentFile1 + i, QString(), "Open this document");
        m_recentActions.append(action);
        connect(action, &QAction::triggered, this, [this, i] {
            const QStringList files = m_documents->Recent().Files();
            if (i < files.size()) m_documents->OpenDocument(files[i]);
        });
    }
    connect(AddAction(res::kCmdExit, "E&xit", "Quit the application; prompts to save documents\nExit"),
            &QAction::triggered, this, &QWidget::close);

    QAction* undo = AddAction(res::kCmdUndo, "&Undo\tCtrl+Z", "Undo the last action\nUndo");
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    undo->setEnabled(false);  // nothing is ever undone
    QAction* cut = AddAction(res::kCmdCut, "Cu&t\tCtrl+X",
                             "Cut the selection and put it on the Clipboard\nCut");
    cut->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    QAction* copy = AddAction(res::kCmdCopy, "&Copy\tCtrl+C",
                              "Copy the selection and put it on the Clipboard\nCopy");
    copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    QAction* paste = AddAction(res::kCmdPaste, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste");
    paste->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    connect(cut, &QAction::triggered, this, withView([](CVexilView* v) { v->OnEditCut(); }));
    connect(copy, &QAction::triggered, this, withView([](CVexilView* v) { v->OnEditCopy(); }));
    connect(paste, &QAction::triggered, this, withView([](CVexilView* v) { v->OnEditPaste(); }));
    connect(AddAction(res::kCmdEditHeader, "Edit &Hdr Info", "Edit the Header Information for this game"),
            &QAction::triggered, this, withView([](CVexilView* v) { v->OnEditHeader(); }));
    connect(AddAction(res::kCmdEnterMove, "&Enter Move...\tCtrl+M",
                      "Play a move typed from the keyboard", QKeySequence(Qt::CTRL | Qt::Key_M)),
            &QAction::triggered, this, withView([](CVexilView* v) { v->OnEnterMove(); }));

    QAction* toolbar = AddAction(res::kCmdToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar");
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* statusBarAction =
        AddAction(res::kCmdStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar");
    statusBarAction->setCheckable(true);
    statusBarAction->setChecked(true);
    connect(statusBarAction, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    auto* sizes = new QActionGroup(this);
    int stored = QSettings().value(QString::fromLatin1(kBoardSquareKey)).toInt();
    if (std::none_of(std::begin(kBoardSizes), std::end(kBoardSizes),
                     [stored](const BoardSize& size) { return size.square == stored; }))
        stored = CVexilView::kNormalSquare;
    CVexilView::SetPreferredSquare(stored);
    for (const BoardSize& size : kBoardSizes) {
        QAction* action =
            AddAction(size.command, QString::fromLatin1(size.name),
                      QStringLiteral("Draw the board with %1-pixel squares").arg(size.square));
        action->setCheckable(true);
        action->setChecked(size.square == stored);
        sizes->addAction(action);
        const int square = size.square;
        connect(action, &QAction::triggered, this, [this, square] { SetBoardSquare(square); });
    }

    connect(AddAction(res::kCmdNewWindow, "&New Window",
                      "Open another window for the active document\nNew Window"),
            &QAction::triggered, this,
            withDocument([documents](CVexilDoc* d) { documents->NewWindow(d); }));
    connect(
        AddAction(res::kCmdCascade, "&Cascade", "Arrange windows so they overlap\nCascade Windows"),
        &QAction::triggered, this, &CMainFrame::OnWindowCascade);
    connect(AddAction(res::kCmdTile, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows"),
            &QAction::triggered, this, &CMainFrame::OnWindowTile);
    connect(AddAction(res::kCmdArrangeIcons, "&Arrange Icons",
                      "Arrange icons at the bottom of the window\nArrange Icons"),
            &QAction::triggered, this, [this] {
                // Minimised game windows in a row along the bottom edge.
                int x = 0;
                for (QMdiSubWindow* window : m_area->subWindowList()) {
                    if (!window->isMinimized()) continue;
                    window->move(x, m_area->viewport()->height() - window->height());
                    x += window->width();
                }
            });
    connect(AddAction(res::kCmdAbout, "&About Chess Ravelin...",
                      "Display program information, version number and copyright\nAbout"),
            &QAction::triggered, this, &CMainFrame::OnAppAbout);

    QAction* flip = AddAction(res::kCmdFlipBoard, "Flip Board", "Turn the board around.");
    flip->setCheckable(true);
    connect(flip, &QAction::triggered, this, withView([this](CVexilView* v) {
                v->OnFlipBoard();
                UpdateMenus();
            }));
    QAction* setup = AddAction(res::kCmdSetupPosition, "Setup Position", QString());
    setup->setCheckable(true);
    connect(setup, &QAction::triggered, this, withView([this](CVexilView* v) {
                v->OnSetupPosition();
                UpdateMenus();
            }));
    // The views are never split into panes: F6 and Shift+F6 do nothing.
    AddAction(res::kCmdNextPane, "Next Pane", QString(), QKeySequence(Qt::Key_F6));
    AddAction(res::kCmdPrevPane, "Previous Pane", QString(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
}

namespace {

// The game windows that an arrangement moves: all but the minimised, shown
// as normal windows.
QList<CChildFrame*> FramesToArrange(QMdiArea* area) {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : area->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame == nullptr || frame->isMinimized()) continue;
        if (frame->isMaximized()) frame->showNormal();
        frames.append(frame);
    }
    return frames;
}

// Where tile `index` of `count` starts and ends along `total` pixels: an
// equal share, or `least` pixels when the share is smaller, the area then
// scrolling to the rest.
std::pair<int, int> TileSpan(int index, int count, int total, int least) {
    if (total / count >= least) return {total * index / count, total * (index + 1) / count};
    return {least * index, least * (index + 1)};
}

}  // namespace

void CMainFrame::OnWindowCascade() {
    // Each window one title bar lower and to the right of the one before,
    // each showing its whole form, starting again at the top when the next
    // would leave the area; where not even one step fits, the steps go on
    // and the area scrolls, so that every title bar stays in sight.
    const QList<CChildFrame*> frames = FramesToArrange(m_area);
    const QRect area = m_area->viewport()->rect();
    for (int i = 0; i < frames.size(); ++i) {
        CChildFrame* frame = frames[i];
        const QSize size = frame->FormFrameSize();
        const int step = qMax(1, frame->contentsMargins().top());
        const int room = qMin(area.height() - size.height(), area.width() - size.width());
        const int places = room >= step ? room / step + 1 : int(frames.size());
        const int offset = (i % places) * step;
        frame->setGeometry(QRect(QPoint(offset, offset), size));
        frame->raise();
    }
    if (!frames.isEmpty()) m_area->setActiveSubWindow(frames.last());
}

void CMainFrame::OnWindowTile() {
    // Tiles are rows, as the game form is wide and short: one column for up
    // to three windows, then as many columns as the square root of their
    // number, the last columns taking one row more. No tile is smaller than
    // a whole form.
    const QList<CChildFrame*> windows = FramesToArrange(m_area);
    const int count = int(windows.size());
    if (count == 0) return;
    QSize least;
    for (CChildFrame* window : windows) least = least.expandedTo(window->FormFrameSize());
    const int columns = qMax(1, int(std::sqrt(double(count))));
    const QRect area = m_area->viewport()->rect();
    int next = 0;
    for (int column = 0; column < columns; ++column) {
        const int rows = count / columns + (column >= columns - count % columns ? 1 : 0);
        const auto [left, right] = TileSpan(column, columns, area.width(), least.width());
        for (int row = 0; row < rows; ++row) {
            const auto [top, bottom] = TileSpan(row, rows, area.height(), least.height());
            windows[next++]->setGeometry(left, top, right - left, bottom - top);
        }
    }
}

void CMainFrame::CreateMenus() {
    auto fileMenu = [this](bool withGame) {
        auto* menu = new QMenu(QStringLiteral("&File"), this);
        menu->addAction(Action(res::kCmdNew));
        menu->addAction(Action(res::kCmdOpen));
        if (withGame) {
            menu->addAction(Action(res::kCmdClose));
            menu->addAction(Action(res::kCmdSave));
            menu->addAction(Action(res::kCmdSaveAs));
            menu->addAction(Action(res::kCmdExportPgn));
        }
        menu->addSeparator();
        menu->addActions(m_recentActions);
        menu->addSeparator();
        menu->addAction(Action(res::kCmdExit));
        return menu;
    };
    auto viewMenu = [this] {
        auto* menu = new QMenu(QStringLiteral("&View"), this);
        menu->addAction(Action(res::kCmdToolbar));
        menu->addAction(Action(res::kCmdStatusBar));
        QMenu* sizes = menu->addMenu(QStringLiteral("Board Size"));
        for (const BoardSize& size : kBoardSizes) sizes->addAction(Action(size.command));
        return menu;
    };
    auto helpMenu = [this] {
        auto* menu = new QMenu(QStringLiteral("&Help"), this);
        menu->addAction(Action(res::kCmdAbout));
        return menu;
    };
    m_menusWithoutGame = {fileMenu(false), viewMenu(), helpMenu()};

    auto* edit = new QMenu(QStringLiteral("&Edit"), this);
    edit->addAction(Action(res::kCmdUndo));
    edit->addSeparator();
    edit->addAction(Action(res::kCmdCut));
    edit->addAction(Action(res::kCmdCopy));
    edit->addAction(Action(res::kCmdPaste));
    edit->addAction(Action(res::kCmdEditHeader));
    edit->addAction(Action(res::kCmdEnterMove));
    auto* window = new QMenu(QStringLiteral("&Window"), this);
    window->addAction(Action(res::kCmdNewWindow));
    window->addAction(Action(res::kCmdCascade));
    window->addAction(Action(res::kCmdTile));
    window->addAction(Action(res::kCmdArrangeIcons));
    connect(window, &QMenu::aboutToShow, this, [this, window] {
        // The open game windows follow the commands, the active one checked.
        const QList<QAction*> actions = window->actions();
        for (int i = 4; i < actions.size(); ++i) {
            window->removeAction(actions[i]);
            if (actions[i]->parent() == window) delete actions[i];
        }
        const QList<QMdiSubWindow*> windows = m_area->subWindowList();
        if (!windows.isEmpty()) window->addSeparator();
        for (int i = 0; i < windows.size(); ++i) {
            QMdiSubWindow* sub = windows[i];
            QAction* entry =
                window->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(sub->windowTitle()));
            entry->setCheckable(true);
            entry->setChecked(sub == m_area->activeSubWindow());
            connect(entry, &QAction::triggered, m_area, [this, sub] { m_area->setActiveSubWindow(sub); });
        }
    });
    auto* options = new QMenu(QStringLiteral("Options"), this);
    options->addAction(Action(res::kCmdFlipBoard));
    options->addAction(Action(res::kCmdSetupPosition));
    connect(options, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);
    m_menusWithGame = {fileMenu(true), edit, viewMenu(), window, helpMenu(), options};
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

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // The message pane says "Ready" whenever no command prompt is shown.
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty()) bar->showMessage(QStringLiteral("Ready"));
    });
    bar->showMessage(QStringLiteral("Ready"));
    // Whose turn it is in the active game, left of the keyboard indicators.
    m_turnLabel = new QLabel(bar);
    m_turnLabel->setObjectName(QStringLiteral("turn"));
    m_turnLabel->setMinimumWidth(
        m_turnLabel->fontMetrics().horizontalAdvance("Black to move, check") + 8);
    bar->addPermanentWidget(m_turnLabel);
    const char* const names[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        m_lockLabels[i] = new QLabel(QString::fromLatin1(names[i]), bar);
        m_lockLabels[i]->setFrameShape(QFrame::Panel);
        m_lockLabels[i]->setFrameShadow(QFrame::Sunken);
        m_lockLabels[i]->setAlignment(Qt::AlignCenter);
        m_lockLabels[i]->setMinimumWidth(m_lockLabels[i]->fontMetrics().horizontalAdvance("SCRL") + 8);
        bar->addPermanentWidget(m_lockLabels[i]);
    }
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainFrame::UpdateLockIndicators);
    timer->start(250);
    UpdateLockIndicators();
}

void CMainFrame::UpdateLockIndicators() {
    const KeyboardLocks locks = ReadKeyboardLocks();
    const bool states[3] = {locks.capsLock, locks.numLock, locks.scrollLock};
    for (int i = 0; i < 3; ++i) {
        // Where the platform does not tell, the indicators stay blank.
        m_lockLabels[i]->setText(locks.known && states[i]
                                     ? QString::fromLatin1(i == 0 ? "CAP" : i == 1 ? "NUM" : "SCRL")
                                     : QString());
    }
}

void CMainFrame::UpdateTurnField() {
    CVexilView* view = ActiveView();
    m_turnLabel->setText(view != nullptr ? QString::fromStdString(TurnText(view->Game()))
                                         : QString());
}

void CMainFrame::SetBoardSquare(int square) {
    CVexilView::SetPreferredSquare(square);
    QSettings().setValue(QString::fromLatin1(kBoardSquareKey), square);
    for (QMdiSubWindow* window : m_area->subWindowList()) {
        if (auto* frame = qobject_cast<CChildFrame*>(window)) {
            frame->View()->SetSquareSize(square);
            frame->ShowWholeForm();
        }
    }
}

void CMainFrame::UpdateMenus() {
    const bool withGame = !m_area->subWindowList().isEmpty();
    if (menuBar()->actions().isEmpty() || withGame != m_showingGameMenus) {
        menuBar()->clear();
        for (QMenu* menu : withGame ? m_menusWithGame : m_menusWithoutGame)
            menuBar()->addMenu(menu);
        m_showingGameMenus = withGame;
    }
    CVexilView* view = ActiveView();
    for (int command : {res::kCmdClose, res::kCmdSave, res::kCmdSaveAs, res::kCmdExportPgn,
                        res::kCmdPrint, res::kCmdCut, res::kCmdCopy, res::kCmdPaste,
                        res::kCmdEditHeader, res::kCmdNewWindow, res::kCmdCascade, res::kCmdTile,
                        res::kCmdArrangeIcons, res::kCmdFlipBoard, res::kCmdSetupPosition})
        Action(command)->setEnabled(view != nullptr);
    Action(res::kCmdFlipBoard)->setChecked(view != nullptr && view->IsFlipped());
    Action(res::kCmdSetupPosition)->setChecked(view != nullptr && view->IsSetupActive());
    Action(res::kCmdEnterMove)->setEnabled(view != nullptr && !view->IsSetupActive());
}

void CMainFrame::UpdateTitle() {
    CChildFrame* frame = m_documents->ActiveFrame();
    const QString title = QString::fromLatin1(kAppTitle);
    setWindowTitle(frame != nullptr ? title + QStringLiteral(" - ") + m_documents->FrameTitle(frame)
                                    : title);
}

void CMainFrame::UpdateRecentFiles() {
    const QStringList files = m_documents->Recent().Files();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i < files.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
            action->setVisible(true);
            action->setEnabled(true);
        } else if (i == 0) {
            // With no recent file the list shows one disabled entry.
            action->setText(QStringLiteral("Recent File"));
            action->setVisible(true);
            action->setEnabled(false);
        } else {
            action->setVisible(false);
        }
    }
}

bool CMainFrame::PrintActiveView(QPrinter& printer) {
    CVexilView* view = ActiveView();
    if (view == nullptr) return false;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize size = view->size();
    const qreal scale =
        qMin(page.width() / size.width(), page.height() / size.height());
    painter.scale(scale, scale);
    view->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    return painter.end();
}

void CMainFrame::OnPrint() {
    if (ActiveView() == nullptr) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintActiveView(printer);
}

void CMainFrame::OnAppAbout() { Prompts().ShowAbout(); }

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // The Undo keys belong to the disabled Undo command in the whole window:
    // the note box must not claim them for its own undo.
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return false;
    const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
    return Action(res::kCmdUndo)->shortcuts().contains(keys);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A game window wider than the area the hidden main window had was
    // scrolled out to the left; once the area has its size, bring it back.
    QTimer::singleShot(0, this, [this] {
        for (QMdiSubWindow* window : m_area->subWindowList())
            if (window->x() < 0 || window->y() < 0)
                window->move(qMax(0, window->x()), qMax(0, window->y()));
    });
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_documents->CloseAll()) {
        event->ignore();
        return;
    }
    event->accept();
}
