#include <QAction>
#include <QDockWidget>
#include <QKeySequence>
#include <QStatusBar>

#include "AnalysisPane.h"
#include "CMainFrame.h"
#include "CVexilView.h"
#include "EngineProcess.h"
#include "GameCheckRun.h"
#include "ResourceIds.h"
#include "UserPrompts.h"

// The engine at the board: the pane of its lines, its settings and the
// check of a whole game. One engine process serves them all.

void CMainFrame::CreateAnalysisActions() {
    m_engine = new EngineProcess(this);
    QAction* analysis = AddAction(res::kCmdAnalysis, QStringLiteral("&Analysis\tCtrl+Shift+A"),
                                  QStringLiteral("Show the engine's best lines for the position "
                                                 "shown, or close them\nAnalysis"),
                                  {QKeySequence(QStringLiteral("Ctrl+Shift+A"))});
    analysis->setCheckable(true);
    connect(analysis, &QAction::toggled, this, &CMainFrame::OnAnalysis);

    connect(AddAction(res::kCmdEngine, QStringLiteral("&Engine..."),
                      QStringLiteral("Choose the chess engine and what it may use\nEngine")),
            &QAction::triggered, this, &CMainFrame::OnEngineSettings);
    connect(AddAction(res::kCmdCheckGame, QStringLiteral("Check &Game..."),
                      QStringLiteral("Let the engine check every move of the main line and mark "
                                     "the mistakes\nCheck Game")),
            &QAction::triggered, this, &CMainFrame::OnCheckGame);
}

// The pane and its dock are made when first wanted: a start that never
// analyses does not build them.
AnalysisPane* CMainFrame::Analysis() {
    if (m_analysis != nullptr) return m_analysis;
    m_analysis = new AnalysisPane(m_engine, this);
    m_analysisDock = new QDockWidget(QStringLiteral("Analysis"), this);
    m_analysisDock->setObjectName(QStringLiteral("analysisDock"));
    m_analysisDock->setWidget(m_analysis);
    // Closed through the menu only, so that closing always quits the engine.
    m_analysisDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_analysisDock->hide();
    addDockWidget(Qt::BottomDockWidgetArea, m_analysisDock);
    connect(m_analysis, &AnalysisPane::Announce, this,
            [this](const QString& text) { statusBar()->showMessage(text, 4000); });
    // A pane out of sight (a floating one minimised) searches nothing.
    connect(m_analysisDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (Action(res::kCmdAnalysis)->isChecked() && m_check == nullptr)
            m_analysis->SetActive(visible);
    });
    m_analysis->Follow(ActiveView());
    return m_analysis;
}

void CMainFrame::OnAnalysis(bool shown) {
    if (!shown && m_analysis == nullptr) return;
    Analysis();
    m_analysisDock->setVisible(shown);
    if (shown) {
        resizeDocks({m_analysisDock}, {m_analysis->sizeHint().height()}, Qt::Vertical);
        m_analysis->Follow(ActiveView());
        if (m_check == nullptr) m_analysis->SetActive(true);
        return;
    }
    m_analysis->SetActive(false);
    if (m_check == nullptr) m_engine->Quit(2000, false);
}

void CMainFrame::OnEngineSettings() {
    UserPrompts::EngineChoice choice = EngineProcess::StoredChoice();
    if (!Prompts().AskEngine(choice)) return;
    EngineProcess::StoreChoice(choice);
    m_engine->Reconfigure(choice);
    if (m_analysis == nullptr) return;  // a pane made later reads the stored choice
    m_analysis->SetLineCount(choice.lines);
    if (Action(res::kCmdAnalysis)->isChecked() && m_check == nullptr) m_analysis->SetActive(true);
}

void CMainFrame::OnCheckGame() {
    CVexilView* view = ActiveView();
    if (view == nullptr || view->IsSetupActive() || m_check != nullptr) return;
    Analysis();
    const bool analysing = m_analysis->IsActive();
    // The engine is lent to the check; the pane takes it back afterwards.
    m_analysis->SetActive(false, QStringLiteral("The engine is checking the game."));
    m_check =
        new GameCheckRun(view, m_engine, EngineProcess::StoredChoice().checkMilliseconds, this);
    connect(m_check, &GameCheckRun::Finished, this, [this, analysing](const QString& summary) {
        m_check->deleteLater();
        m_check = nullptr;
        if (!summary.isEmpty()) statusBar()->showMessage(summary, 8000);
        if (analysing && Action(res::kCmdAnalysis)->isChecked()) {
            m_analysis->SetActive(true);
        } else if (!Action(res::kCmdAnalysis)->isChecked()) {
            m_engine->Quit(2000, false);
        }
        UpdateMenus();
    });
    UpdateMenus();
    if (!m_check->Begin()) {
        m_check->deleteLater();
        m_check = nullptr;
        if (analysing) m_analysis->SetActive(true);
        UpdateMenus();
    }
}
