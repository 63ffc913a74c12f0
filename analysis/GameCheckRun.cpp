#include "GameCheckRun.h"

#include "CVexilView.h"
#include "EngineLine.h"
#include "EngineProcess.h"

namespace {

const char kCheckStep[] = "Check Game";

}  // namespace

GameCheckRun::GameCheckRun(CVexilView* view, EngineProcess* engine, int moveTimeMs, QObject* parent)
    : QObject(parent), m_view(view), m_engine(engine), m_moveTimeMs(moveTimeMs) {}

GameCheckRun::~GameCheckRun() = default;

bool GameCheckRun::Begin() {
    if (!m_view) return false;
    m_game = std::make_unique<CGameRecord>(m_view->WholeGame());
    if (m_game->m_plyCount == 0) {
        Prompts().Tell(QStringLiteral("The game has no moves to check."));
        return false;
    }
    if (!m_engine->Start() && !m_engine->IsRunning()) {
        Prompts().Tell(m_engine->Problem());
        return false;
    }
    for (int plies = 0; plies <= m_game->m_plyCount; ++plies)
        m_positions.append(QString::fromStdString(EnginePosition(*m_game, plies)));
    m_verdicts.assign(static_cast<std::size_t>(m_positions.size()), PositionVerdict());
    connect(m_engine, &EngineProcess::SearchDone, this, &GameCheckRun::OnSearchDone);
    connect(m_engine, &EngineProcess::StateChanged, this, &GameCheckRun::OnEngineState);
    m_progress = Prompts().ShowProgress(
        QStringLiteral("Checking %1 moves with the engine...").arg(m_game->m_plyCount),
        static_cast<int>(m_positions.size()), [self = QPointer<GameCheckRun>(this)] {
            if (self) self->Cancel();
        });
    SearchNext();
    return true;
}

void GameCheckRun::SearchNext() {
    if (m_over) return;
    // Positions the game ended in need no engine.
    while (m_next < m_positions.size() &&
           FinishedPositionScore(*m_game, m_next,
                                 m_verdicts[static_cast<std::size_t>(m_next)].score)) {
        m_verdicts[static_cast<std::size_t>(m_next)].known = true;
        ++m_next;
    }
    if (m_progress) m_progress->SetValue(m_next);
    if (m_next >= m_positions.size()) {
        if (!m_view) {
            Finish(QString());
            return;
        }
        const GameCheckOutcome outcome = ApplyGameCheck(*m_game, m_verdicts);
        if (outcome.glyphsAdded + outcome.variationsAdded + outcome.scoresAdded > 0)
            m_view->TakeWholeGame(*m_game, kCheckStep);
        QString summary = QStringLiteral("Check Game: %1 moves marked, %2 better lines added")
                              .arg(outcome.glyphsAdded)
                              .arg(outcome.variationsAdded);
        if (outcome.scoresAdded > 0)
            summary += QStringLiteral(", %1 score%2 put on a line already there")
                           .arg(outcome.scoresAdded)
                           .arg(outcome.scoresAdded == 1 ? "" : "s");
        Finish(summary + QLatin1Char('.'));
        return;
    }
    if (!m_engine->IsRunning()) return;  // the engine's state says why
    m_searching = true;
    m_engine->Analyse(m_positions[m_next], m_moveTimeMs);
}

void GameCheckRun::OnSearchDone() {
    if (!m_searching || m_over) return;
    const UciSession& session = m_engine->Session();
    if (QString::fromStdString(session.LinesPosition()) != m_positions[m_next]) return;
    m_searching = false;
    PositionVerdict& verdict = m_verdicts[static_cast<std::size_t>(m_next)];
    if (!session.Lines().empty() && !session.Lines().front().pv.empty()) {
        const EngineInfo& best = session.Lines().front();
        verdict.known = true;
        verdict.score = best.score;
        verdict.depth = best.depth;
        verdict.bestLine = best.pv;
    }
    ++m_next;
    SearchNext();
}

void GameCheckRun::OnEngineState() {
    if (m_over) return;
    if (m_engine->ProblemKind() != EngineProblem::None) {
        const QString problem = m_engine->Problem();
        Finish(QString());
        Prompts().Tell(problem + QStringLiteral(" The game is left as it was."));
    }
}

void GameCheckRun::Cancel() {
    if (m_over) return;
    m_engine->StopSearch();
    Finish(QStringLiteral("Check Game cancelled; the game is as it was."));
}

void GameCheckRun::Finish(const QString& summary) {
    m_over = true;
    disconnect(m_engine, nullptr, this, nullptr);
    m_progress.reset();
    emit Finished(summary);
}
