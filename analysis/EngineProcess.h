#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include "UciSession.h"
#include "UserPrompts.h"

class QProcess;

// Why the engine is not there to search.
enum class EngineProblem {
    None,
    NotFound,     // none chosen and no Stockfish installed: nothing to restart
    CannotStart,  // the program could not be run
    NoAnswer,     // it did not answer as a UCI engine, in time or before it left
    Crashed,      // it stopped unexpectedly
    Exited,       // it ended by itself, with an exit code
};

// The engine program run as a child process, one for the main window: it
// is started once, kept across positions and windows, and told each new
// position while it runs. Nothing here ever waits on the engine, but the
// goodbye at exit.
class EngineProcess : public QObject {
    Q_OBJECT
public:
    explicit EngineProcess(QObject* parent = nullptr);
    ~EngineProcess() override;

    // The choices kept between runs, and the program they name: the one
    // chosen, else Stockfish in /usr/games or on the PATH; empty when none
    // is there.
    static UserPrompts::EngineChoice StoredChoice();
    static void StoreChoice(const UserPrompts::EngineChoice& choice);
    static QString ProgramOf(const UserPrompts::EngineChoice& choice);

    // Starts the engine unless it runs; false, with ProblemKind() saying why,
    // when there is none to start.
    bool Start();
    bool IsRunning() const;
    // Takes new settings: a new program starts afresh, the rest is sent.
    void Reconfigure(const UserPrompts::EngineChoice& choice);
    // Searches `position` ("fen ... moves ...") until told otherwise, or
    // for `moveTimeMs`.
    void Analyse(const QString& position, int moveTimeMs = 0);
    void StopSearch();
    // Says goodbye and ends the process: at once when it leaves, else
    // after `graceMs`, without waiting unless `wait`.
    void Quit(int graceMs, bool wait);

    const UciSession& Session() const { return m_session; }
    // Why the engine is not there; None while it works.
    EngineProblem ProblemKind() const { return m_problemKind; }
    // The sentence that tells it; empty while it works.
    QString Problem() const { return m_problem; }
    QString Program() const { return m_program; }

signals:
    // New lines for the position searched (at most about ten a second).
    void LinesChanged();
    // A timed search ended; Session().BestMove() and Lines() hold its result.
    void SearchDone();
    // The engine started, became ready, stopped or failed.
    void StateChanged();

private:
    void OnOutput();
    void OnFinished();
    void Flush();
    // Ends the engine for `problem`; `detail` is the system's reason a
    // program could not start, `exitCode` how one that ended left.
    void Fail(EngineProblem problem, const QString& detail = QString(), int exitCode = 0);

    QProcess* m_process = nullptr;
    UciSession m_session;
    UserPrompts::EngineChoice m_choice;
    QString m_program;
    EngineProblem m_problemKind = EngineProblem::None;
    QString m_problem;
    QByteArray m_partial;
    QTimer m_linesTimer;
    QTimer m_answerTimer;
    bool m_firstLinesDue = false;
};
