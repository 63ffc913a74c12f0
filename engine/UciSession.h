#pragma once

#include <string>
#include <vector>

#include "UciLines.h"

// The settings an engine is started with.
struct EngineOptions {
    int threads = 1;
    int hashMegabytes = 64;
    int lines = 1;  // best lines searched at once (MultiPV), 1 to 3
};

// One conversation with a UCI engine, without the process: the owner
// writes the commands this gathers to the engine and feeds back each line
// the engine prints. A search for a new position never shows lines of the
// one before: a running search is stopped, and everything the engine says
// until its "bestmove" belongs to the old position.
class UciSession {
public:
    enum class State {
        Off,        // not started, or quit
        Starting,   // "uci" sent, waiting for "uciok"
        Syncing,    // options sent, waiting for "readyok"
        Idle,       // ready, not searching
        Searching,  // "go" sent
        Stopping,   // "stop" sent, waiting for "bestmove"
    };
    // What a line fed in changed, for the owner to show.
    enum class Event { None, Ready, Lines, SearchDone };

    // Starts the conversation: "uci", then the options once the engine has
    // listed its own.
    void Start(const EngineOptions& options);
    // Changes the options; they are sent before the next search.
    void SetOptions(const EngineOptions& options);
    // Searches `position` ("fen <FEN> [moves ...]", as "position" takes it)
    // until told otherwise, or for `moveTimeMs` when it is more than zero.
    // Replaces any search asked for before.
    void Analyse(const std::string& position, int moveTimeMs = 0);
    // Ends the search, and forgets any asked for; the lines held stay.
    void Stop();
    // Says goodbye: the owner ends the process if it does not leave.
    void Quit();

    Event Feed(const std::string& line);
    // The commands gathered since the last call, in order, without line ends.
    std::vector<std::string> TakeCommands();

    State GetState() const { return m_state; }
    bool IsReady() const { return m_state == State::Idle || m_state == State::Searching; }
    const std::string& EngineName() const { return m_name; }
    // The position the lines held belong to, and the lines themselves by
    // their rank (the first the best); each holds the last info of its rank
    // that had moves.
    const std::string& LinesPosition() const { return m_linesPosition; }
    const std::vector<EngineInfo>& Lines() const { return m_lines; }
    // The last "info" of the search held that told a speed.
    long long NodesPerSecond() const { return m_nps; }
    // The move "bestmove" gave at the end of the last search.
    const std::string& BestMove() const { return m_bestMove; }

private:
    void Send(const std::string& command) { m_commands.push_back(command); }
    // Sends what is waiting: options, then the search asked for.
    void Proceed();

    State m_state = State::Off;
    EngineOptions m_options;
    bool m_optionsDue = false;
    bool m_searchDue = false;
    std::string m_duePosition;
    int m_dueTimeMs = 0;
    int m_searchTimeMs = 0;
    std::string m_name;
    std::string m_linesPosition;
    std::vector<EngineInfo> m_lines;
    long long m_nps = 0;
    std::string m_bestMove;
    std::vector<std::string> m_commands;
};
