#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

#include "GameCheck.h"
#include "UserPrompts.h"

class CVexilView;
class EngineProcess;

// "Check Game": the engine searches each position of the main line for a
// fixed time, one after the other, with a progress window; the marks go
// into the game in one step at the end. Cancel, or the engine failing,
// leaves the game as it was.
class GameCheckRun : public QObject {
    Q_OBJECT
public:
    GameCheckRun(CVexilView* view, EngineProcess* engine, int moveTimeMs, QObject* parent);
    ~GameCheckRun() override;
    // False, having said why, when there is nothing to check or no engine.
    bool Begin();
    void Cancel();

signals:
    // The check is over, whichever way; a sentence for the status bar.
    void Finished(const QString& summary);

private:
    void SearchNext();
    void OnSearchDone();
    void OnEngineState();
    void Finish(const QString& summary);

    QPointer<CVexilView> m_view;
    EngineProcess* m_engine;
    int m_moveTimeMs;
    std::unique_ptr<CGameRecord> m_game;  // the whole game as the check began
    QStringList m_positions;              // each main-line position, after 0 plies on
    std::vector<PositionVerdict> m_verdicts;
    int m_next = 0;
    bool m_searching = false;
    bool m_over = false;
    std::unique_ptr<UserPrompts::Progress> m_progress;
};
