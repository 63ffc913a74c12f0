#include "CMainFrame.h"

#include <QAction>
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
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

#include "AnalysisPane.h"
#include "BoardImage.h"
#include "BoardPictures.h"
#include "CChildFrame.h"
#include "CVexilDoc.h"
#include "CVexilView.h"
#include "DocumentManager.h"
#include "EngineProcess.h"
#include "KeyboardLocks.h"
#include "MoveRecording.h"
#include "RecoveryStore.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "UserPrompts.h"

// The main window's life, its status bar and what follows the active game.
// The commands and menus, and the arrangement of game windows, have files
// of their own.

namespace {

const char kAppTitle[] = "Ravelin";
// The main window's size, place and maximised state, kept beside the recent files.
const char kPlaceKey[] = "Settings/MainWindow";
const char kIconPicture[] = "app-icon";
// The window system's sizes: title bar, task switcher and launcher.
constexpr std::initializer_list<int> kIconSizes = {16, 32, 48};

}  // namespace

CMainFrame::CMainFrame() {
    setAcceptDrops(true);
    m_area = new QMdiArea(this);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    m_documents = new DocumentManager(m_area, this);
    m_recovery = new RecoveryStore(m_documents, this);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    connect(m_area, &QMdiArea::subWindowActivated, this, [this] {
        if (CVexilView* view = ActiveView()) {
            connect(view, &CVexilView::PositionShown, this, &CMainFrame::UpdateTurnField,
                    Qt::UniqueConnection);
            // Showing a variation or the main line changes what Edit offers.
            connect(view, &CVexilView::PositionShown, this, &CMainFrame::UpdateMenus,
                    Qt::UniqueConnection);
            // The split the user chose is the one later windows take.
            connect(view, &CVexilView::BoardShareChanged, this, &CMainFrame::StoreBoardShare,
                    Qt::UniqueConnection);
        }
        if (m_analysis != nullptr) m_analysis->Follow(ActiveView());
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
    // Late in the making, so that a picture drawn ahead is ready by now.
    setWindowIcon(PictureIcon(QString::fromLatin1(kIconPicture), kIconSizes));
    RestorePlace();
    qApp->installEventFilter(this);
}

void CMainFrame::PreparePictures() {
    PrepareToolbarPictures();
    PreparePicture(QString::fromLatin1(kIconPicture), kIconSizes);
}

CMainFrame::~CMainFrame() {
    // The game windows go before the manager: let them go without telling us.
    disconnect(m_documents, nullptr, this, nullptr);
    disconnect(m_area, nullptr, this, nullptr);
}

CVexilView* CMainFrame::ActiveView() const {
    CChildFrame* frame = m_documents->ActiveFrame();
    return frame != nullptr ? frame->View() : nullptr;
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
        m_lockLabels[i]->setMinimumWidth(m_lockLabels[i]->fontMetrics().horizontalAdvance("SCRL") +
                                         8);
        bar->addPermanentWidget(m_lockLabels[i]);
    }
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainFrame::UpdateLockIndicators);
    // The first reading comes with the first tick: at start the window
    // should not wait for the X server's answers about three lights.
    timer->start(250);
}

void CMainFrame::UpdateLockIndicators() {
    const KeyboardLocks locks = ReadKeyboardLocks();
    const bool states[3] = {locks.capsLock, locks.numLock, locks.scrollLock};
    for (int i = 0; i < 3; ++i) {
        // Where the platform does not tell, the indicators stay blank.
        m_lockLabels[i]->setText(locks.known && states[i] ? QString::fromLatin1(i == 0   ? "CAP"
                                                                                : i == 1 ? "NUM"
                                                                                         : "SCRL")
                                                          : QString());
    }
}

void CMainFrame::UpdateTurnField() {
    CVexilView* view = ActiveView();
    m_turnLabel->setText(view == nullptr        ? QString()
                         : view->IsCorrecting() ? view->CorrectionText()
                                                : QString::fromStdString(TurnText(view->Game())));
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
    for (int command :
         {res::kCmdClose, res::kCmdSave, res::kCmdSaveAs, res::kCmdExportPgn, res::kCmdPrint,
          res::kCmdPrintScore, res::kCmdExportScorePdf, res::kCmdCopyBoardImage,
          res::kCmdExportBoardImage, res::kCmdCut, res::kCmdCopy, res::kCmdPaste,
          res::kCmdCopyGame, res::kCmdCopyPosition,
          res::kCmdEditHeader, res::kCmdNewWindow, res::kCmdCascade, res::kCmdTile,
          res::kCmdArrangeIcons, res::kCmdFlipBoard, res::kCmdSetupPosition})
        Action(command)->setEnabled(view != nullptr);
    Action(res::kCmdFlipBoard)->setChecked(view != nullptr && view->IsFlipped());
    Action(res::kCmdSetupPosition)->setChecked(view != nullptr && view->IsSetupActive());
    Action(res::kCmdEnterMove)->setEnabled(view != nullptr && !view->IsSetupActive());
    Action(res::kCmdCorrectMove)->setEnabled(view != nullptr && !view->IsSetupActive());
    Action(res::kCmdCorrectMove)->setChecked(view != nullptr && view->IsCorrecting());
    UpdateUndoRedo();
    UpdateMarkActions();
    const bool variation = view != nullptr && view->ShowsVariation() && !view->IsSetupActive();
    Action(res::kCmdPromoteVariation)->setEnabled(variation);
    Action(res::kCmdDeleteVariation)->setEnabled(variation);
    Action(res::kCmdCheckGame)
        ->setEnabled(view != nullptr && !view->IsSetupActive() && m_check == nullptr);
    UpdateBoardSizeChecks();
}

void CMainFrame::UpdateUndoRedo() {
    CVexilDoc* document = m_documents->ActiveDocument();
    const bool editable = m_documents->CanUndoRedo(document);
    // "&Undo Move Nf3\tCtrl+Z": the step goes before the keys.
    const auto name = [](const char* plain, const QString& step) {
        QString text = QString::fromLatin1(plain);
        if (!step.isEmpty()) text.insert(text.indexOf(QLatin1Char('\t')), QLatin1Char(' ') + step);
        return text;
    };
    QAction* undo = Action(res::kCmdUndo);
    undo->setText(name(kUndoText, editable ? document->UndoName() : QString()));
    undo->setEnabled(editable && document->CanUndo());
    QAction* redo = Action(res::kCmdRedo);
    redo->setText(name(kRedoText, editable ? document->RedoName() : QString()));
    redo->setEnabled(editable && document->CanRedo());
}

void CMainFrame::UpdateTitle() {
    CChildFrame* frame = m_documents->ActiveFrame();
    const QString title = QString::fromLatin1(kAppTitle);
    m_title = frame != nullptr ? DocumentManager::WithModifiedPlaceholder(
                                     title + QStringLiteral(" - ") + m_documents->FrameTitle(frame))
                               : title;
    setWindowTitle(m_title);
    setWindowModified(frame != nullptr && frame->Document()->IsModified());
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A maximised game window adds " - [its title]" to the main window's,
    // which names the game already: the title stays the program's own.
    if (event->type() == QEvent::WindowTitleChange && !m_title.isEmpty() &&
        windowTitle() != m_title)
        setWindowTitle(m_title);
}

void CMainFrame::UpdateRecentFiles() {
    const QStringList files = m_documents->Recent().Files();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i < files.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
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
    const qreal scale = qMin(page.width() / size.width(), page.height() / size.height());
    painter.scale(scale, scale);
    view->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    // The board again from the pieces' vector sources, sharp at the printer's
    // resolution, over the screen's pixels: its squares where the view has
    // them, the letters and digits in the margin beside them.
    const qreal square = view->SquareSize();
    painter.fillRect(QRectF(0, 0, BoardPictures::kBackgroundWidth * square / BoardPictures::kSquare,
                            BoardPictures::kBackgroundHeight * square / BoardPictures::kSquare),
                     Qt::white);
    BoardImage::Draw(painter, QRectF(0, 0, 8.625 * square, 8.625 * square), view->Game(),
                     view->IsFlipped(), true);
    return painter.end();
}

void CMainFrame::OnPrint() {
    if (ActiveView() == nullptr) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintActiveView(printer);
}

void CMainFrame::OnAppAbout() {
    Prompts().ShowAbout();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // The Undo and Redo keys belong to the game's Undo and Redo in the whole
    // window: the note box would claim them for its own undo, which would
    // keep the command's shortcut from firing, so the command runs here.
    // A key event travels up from the focus widget through every parent, and
    // each step passes this filter: the override is accepted at the first
    // step, which ends its journey and keeps the menu's shortcut from firing
    // too, and the key press that follows runs the command once and stops.
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return false;
    const QKeySequence keys(static_cast<QKeyEvent*>(event)->keyCombination());
    QAction* command = Action(res::kCmdUndo)->shortcuts().contains(keys)   ? Action(res::kCmdUndo)
                       : Action(res::kCmdRedo)->shortcuts().contains(keys) ? Action(res::kCmdRedo)
                                                                           : nullptr;
    if (command == nullptr) return false;
    event->accept();
    if (event->type() == QEvent::KeyPress && command->isEnabled()) command->trigger();
    return true;
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
    QSettings().setValue(QString::fromLatin1(kPlaceKey), saveGeometry());
    m_engine->Quit(1000, true);
    event->accept();
}

void CMainFrame::RestorePlace() {
    const QByteArray saved = QSettings().value(QString::fromLatin1(kPlaceKey)).toByteArray();
    if (!saved.isEmpty() && restoreGeometry(saved)) {
        // A screen that is gone leaves the window nowhere: bring it back.
        const QRect frame = frameGeometry();
        for (const QScreen* screen : QGuiApplication::screens())
            if (screen->availableGeometry().intersected(frame).width() >= 100 &&
                frame.top() >= screen->availableGeometry().top())
                return;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().topLeft());
        return;
    }
    // A first start: four fifths of the screen, never below 900 x 600.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 900, 600);
    const QSize size(qMax(900, available.width() * 4 / 5), qMax(600, available.height() * 4 / 5));
    resize(size);
    move(qMax(available.left(), available.center().x() - size.width() / 2),
         qMax(available.top(), available.center().y() - size.height() / 2));
}
