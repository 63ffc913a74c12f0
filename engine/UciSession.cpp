#include "UciSession.h"

#include <algorithm>

namespace {

constexpr int kMostLines = 3;

}  // namespace

void UciSession::Start(const EngineOptions& options) {
    m_options = options;
    m_optionsDue = true;
    m_state = State::Starting;
    Send("uci");
}

void UciSession::SetOptions(const EngineOptions& options) {
    m_options = options;
    m_optionsDue = true;
    Proceed();
}

void UciSession::Analyse(const std::string& position, int moveTimeMs) {
    if (m_state == State::Off) return;
    m_searchDue = true;
    m_duePosition = position;
    m_dueTimeMs = moveTimeMs;
    // Lines of the position before are never shown against this one.
    m_linesPosition = position;
    m_lines.clear();
    m_nps = 0;
    Proceed();
}

void UciSession::Stop() {
    m_searchDue = false;
    if (m_state == State::Searching) {
        Send("stop");
        m_state = State::Stopping;
    }
}

void UciSession::Quit() {
    if (m_state == State::Off) return;
    m_searchDue = false;
    if (m_state == State::Searching) Send("stop");
    Send("quit");
    m_state = State::Off;
}

void UciSession::Proceed() {
    if (m_state == State::Searching && (m_searchDue || m_optionsDue)) {
        // The engine finishes the old search first; its last words are
        // dropped. New options take the search up again once they are in.
        if (!m_searchDue) {
            m_searchDue = true;
            m_duePosition = m_linesPosition;
            m_dueTimeMs = m_searchTimeMs;
        }
        Send("stop");
        m_state = State::Stopping;
        return;
    }
    if (m_state != State::Idle) return;
    if (m_optionsDue) {
        m_optionsDue = false;
        Send("setoption name Threads value " + std::to_string(std::max(1, m_options.threads)));
        Send("setoption name Hash value " + std::to_string(std::max(1, m_options.hashMegabytes)));
        Send("setoption name MultiPV value " +
             std::to_string(std::clamp(m_options.lines, 1, kMostLines)));
        Send("isready");
        m_state = State::Syncing;
        return;
    }
    if (!m_searchDue) return;
    m_searchDue = false;
    m_linesPosition = m_duePosition;
    m_searchTimeMs = m_dueTimeMs;
    m_lines.clear();
    m_nps = 0;
    m_bestMove.clear();
    Send("position " + m_duePosition);
    Send(m_dueTimeMs > 0 ? "go movetime " + std::to_string(m_dueTimeMs) : "go infinite");
    m_state = State::Searching;
}

UciSession::Event UciSession::Feed(const std::string& line) {
    switch (m_state) {
        case State::Off:
            return Event::None;
        case State::Starting:
            if (ReadEngineName(line, m_name)) return Event::None;
            if (line.compare(0, 5, "uciok") != 0) return Event::None;
            Send("ucinewgame");
            m_state = State::Idle;
            Proceed();
            return Event::None;
        case State::Syncing:
            if (line.compare(0, 7, "readyok") != 0) return Event::None;
            m_state = State::Idle;
            Proceed();
            return Event::Ready;
        case State::Idle:
            return Event::None;
        case State::Stopping: {
            std::string move;
            if (!ReadBestMove(line, move)) return Event::None;
            m_state = State::Idle;
            Proceed();
            return Event::None;
        }
        case State::Searching:
            break;
    }
    if (ReadBestMove(line, m_bestMove)) {
        m_state = State::Idle;
        Proceed();
        return Event::SearchDone;
    }
    EngineInfo info;
    if (!ReadInfoLine(line, info)) return Event::None;
    if (info.nps > 0) m_nps = info.nps;
    // Lines without moves (a bare speed report, a bound while the search
    // fails high) do not replace a line that has them.
    if (!info.hasScore || info.pv.empty() || info.multipv < 1 || info.multipv > kMostLines)
        return Event::None;
    const std::size_t rank = static_cast<std::size_t>(info.multipv - 1);
    if (m_lines.size() <= rank) m_lines.resize(rank + 1);
    m_lines[rank] = std::move(info);
    return Event::Lines;
}

std::vector<std::string> UciSession::TakeCommands() {
    std::vector<std::string> commands;
    commands.swap(m_commands);
    return commands;
}
