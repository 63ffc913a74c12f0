#include "EngineProcess.h"

#include <unistd.h>

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace {

const char kProgramKey[] = "Engine/Program";
const char kThreadsKey[] = "Engine/Threads";
const char kHashKey[] = "Engine/Hash";
const char kLinesKey[] = "Engine/Lines";
const char kCheckKey[] = "Engine/CheckMilliseconds";

// How long an engine may take to say it speaks UCI.
constexpr int kAnswerMs = 10000;
// A line longer than this is no engine's: what comes before its end is dropped.
constexpr int kLongestLine = 1 << 20;

EngineOptions OptionsOf(const UserPrompts::EngineChoice& choice) {
    return {choice.threads, choice.hashMegabytes, choice.lines};
}

// What the pane and Check Game say for `problem` of the engine `program`.
QString ProblemSentence(EngineProblem problem, const QString& program, const QString& detail,
                        int exitCode) {
    switch (problem) {
        case EngineProblem::None:
            return QString();
        case EngineProblem::NotFound:
            return QStringLiteral(
                "No chess engine was found. Install Stockfish (Debian's package stockfish) or "
                "choose an engine with Options > Engine...");
        case EngineProblem::CannotStart:
            return QStringLiteral(
                       "The engine %1 could not be started: %2. Choose another with Options > "
                       "Engine...")
                .arg(program, detail);
        case EngineProblem::NoAnswer:
            return QStringLiteral(
                       "%1 did not answer as a UCI chess engine. Choose another with Options > "
                       "Engine...")
                .arg(QFileInfo(program).fileName());
        case EngineProblem::Crashed:
            return QStringLiteral("The engine stopped unexpectedly.");
        case EngineProblem::Exited:
            return QStringLiteral("The engine stopped unexpectedly (exit code %1).").arg(exitCode);
    }
    return QString();
}

}  // namespace

EngineProcess::EngineProcess(QObject* parent) : QObject(parent) {
    m_linesTimer.setSingleShot(true);
    m_linesTimer.setInterval(100);
    connect(&m_linesTimer, &QTimer::timeout, this, &EngineProcess::LinesChanged);
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setInterval(kAnswerMs);
    connect(&m_answerTimer, &QTimer::timeout, this, [this] {
        if (m_session.GetState() == UciSession::State::Starting) Fail(EngineProblem::NoAnswer);
    });
}

EngineProcess::~EngineProcess() {
    Quit(1000, true);
    // Engines told to quit earlier and not gone yet: a moment more, then the end.
    for (QProcess* leaving : findChildren<QProcess*>()) {
        leaving->disconnect();
        if (!leaving->waitForFinished(200)) {
            leaving->kill();
            leaving->waitForFinished(1000);
        }
    }
}

UserPrompts::EngineChoice EngineProcess::StoredChoice() {
    QSettings settings;
    UserPrompts::EngineChoice choice;
    choice.program = settings.value(QString::fromLatin1(kProgramKey)).toString();
    choice.threads = qBound(1, settings.value(QString::fromLatin1(kThreadsKey), 1).toInt(), 512);
    choice.hashMegabytes =
        qBound(16, settings.value(QString::fromLatin1(kHashKey), 64).toInt(), 4096);
    choice.lines = qBound(1, settings.value(QString::fromLatin1(kLinesKey), 1).toInt(), 3);
    choice.checkMilliseconds =
        qBound(50, settings.value(QString::fromLatin1(kCheckKey), 300).toInt(), 60000);
    return choice;
}

void EngineProcess::StoreChoice(const UserPrompts::EngineChoice& choice) {
    QSettings settings;
    settings.setValue(QString::fromLatin1(kProgramKey), choice.program);
    settings.setValue(QString::fromLatin1(kThreadsKey), choice.threads);
    settings.setValue(QString::fromLatin1(kHashKey), choice.hashMegabytes);
    settings.setValue(QString::fromLatin1(kLinesKey), choice.lines);
    settings.setValue(QString::fromLatin1(kCheckKey), choice.checkMilliseconds);
}

QString EngineProcess::ProgramOf(const UserPrompts::EngineChoice& choice) {
    if (!choice.program.isEmpty()) return choice.program;
    const QString games =
        QStandardPaths::findExecutable(QStringLiteral("stockfish"), {QStringLiteral("/usr/games")});
    return !games.isEmpty() ? games : QStandardPaths::findExecutable(QStringLiteral("stockfish"));
}

bool EngineProcess::IsRunning() const {
    return m_process != nullptr && m_process->state() != QProcess::NotRunning;
}

bool EngineProcess::Start() {
    if (IsRunning()) return true;
    if (m_process != nullptr) Quit(0, true);
    m_choice = StoredChoice();
    m_program = ProgramOf(m_choice);
    m_problemKind = EngineProblem::None;
    m_problem.clear();
    if (m_program.isEmpty()) {
        Fail(EngineProblem::NotFound);
        return false;
    }
    m_process = new QProcess(this);
    m_process->setProgram(m_program);
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->setStandardErrorFile(QProcess::nullDevice());
    // The engine gives way to the window: a search on every core must not
    // make a keystroke wait.
    m_process->setChildProcessModifier([] { (void)::nice(10); });
    connect(m_process, &QProcess::readyReadStandardOutput, this, &EngineProcess::OnOutput);
    connect(m_process, &QProcess::finished, this, &EngineProcess::OnFinished);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Fail(EngineProblem::CannotStart, m_process->errorString());
    });
    m_partial.clear();
    m_session = UciSession();
    m_session.Start(OptionsOf(m_choice));
    m_process->start(QIODevice::ReadWrite | QIODevice::Unbuffered);
    if (m_problemKind != EngineProblem::None) return false;
    m_answerTimer.start();
    Flush();
    emit StateChanged();
    return true;
}

void EngineProcess::Reconfigure(const UserPrompts::EngineChoice& choice) {
    const bool running = IsRunning();
    if (ProgramOf(choice) != m_program) {
        Quit(1000, false);
        m_problemKind = EngineProblem::None;
        m_problem.clear();
        if (running) Start();
        emit StateChanged();
        return;
    }
    m_choice = choice;
    m_session.SetOptions(OptionsOf(choice));
    Flush();
}

void EngineProcess::Analyse(const QString& position, int moveTimeMs) {
    if (!IsRunning()) return;
    m_linesTimer.stop();
    m_firstLinesDue = true;
    m_session.Analyse(position.toStdString(), moveTimeMs);
    Flush();
}

void EngineProcess::StopSearch() {
    if (!IsRunning()) return;
    m_session.Stop();
    Flush();
}

void EngineProcess::Quit(int graceMs, bool wait) {
    m_linesTimer.stop();
    m_answerTimer.stop();
    if (m_process == nullptr) return;
    QProcess* process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    m_session.Quit();
    if (process->state() == QProcess::Running) {
        for (const std::string& command : m_session.TakeCommands())
            process->write(QByteArray::fromStdString(command + '\n'));
    }
    m_session.TakeCommands();
    if (process->state() == QProcess::NotRunning) {
        delete process;
        return;
    }
    process->closeWriteChannel();
    if (wait) {
        // At exit: a short grace, then the engine is ended whatever it does.
        if (!process->waitForFinished(graceMs)) {
            process->kill();
            process->waitForFinished(1000);
        }
        delete process;
        return;
    }
    // Otherwise the window goes on; an engine that will not leave is killed
    // later, and at the latest when this object goes.
    QTimer::singleShot(graceMs, process, [process] { process->kill(); });
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    emit StateChanged();
}

void EngineProcess::Flush() {
    if (m_process == nullptr) {
        m_session.TakeCommands();
        return;
    }
    QByteArray bytes;
    for (const std::string& command : m_session.TakeCommands())
        bytes += QByteArray::fromStdString(command) + '\n';
    if (!bytes.isEmpty() && m_process->state() != QProcess::NotRunning) m_process->write(bytes);
}

void EngineProcess::OnOutput() {
    if (m_process == nullptr) return;
    m_partial += m_process->readAllStandardOutput();
    bool lines = false, done = false, ready = false;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_partial.indexOf('\n', start);
        if (end < 0) break;
        QByteArray line = m_partial.mid(start, end - start);
        start = end + 1;
        if (line.endsWith('\r')) line.chop(1);
        const UciSession::State before = m_session.GetState();
        switch (m_session.Feed(line.toStdString())) {
            case UciSession::Event::Lines:
                lines = true;
                break;
            case UciSession::Event::SearchDone:
                done = true;
                break;
            case UciSession::Event::Ready:
                ready = true;
                break;
            case UciSession::Event::None:
                break;
        }
        if (before == UciSession::State::Starting &&
            m_session.GetState() != UciSession::State::Starting) {
            m_answerTimer.stop();
            ready = true;
        }
    }
    m_partial.remove(0, start);
    if (m_partial.size() > kLongestLine) m_partial.clear();
    Flush();
    if (ready) emit StateChanged();
    // The first lines of a position at once; after them, a few a second.
    if (lines && m_firstLinesDue) {
        m_firstLinesDue = false;
        m_linesTimer.stop();
        emit LinesChanged();
    } else if (lines && !m_linesTimer.isActive()) {
        m_linesTimer.start();
    }
    if (done) {
        m_linesTimer.stop();
        emit LinesChanged();
        emit SearchDone();
    }
}

void EngineProcess::OnFinished() {
    if (m_process == nullptr) return;
    const int code = m_process->exitCode();
    const bool crashed = m_process->exitStatus() == QProcess::CrashExit;
    const bool starting = m_session.GetState() == UciSession::State::Starting;
    m_process->deleteLater();
    m_process = nullptr;
    if (starting)
        Fail(EngineProblem::NoAnswer);
    else
        Fail(crashed ? EngineProblem::Crashed : EngineProblem::Exited, QString(), code);
}

void EngineProcess::Fail(EngineProblem problem, const QString& detail, int exitCode) {
    m_problemKind = problem;
    m_problem = ProblemSentence(problem, m_program, detail, exitCode);
    m_linesTimer.stop();
    m_answerTimer.stop();
    if (m_process != nullptr) {
        QProcess* process = m_process;
        m_process = nullptr;
        process->disconnect(this);
        process->kill();
        process->waitForFinished(500);
        process->deleteLater();
    }
    m_session = UciSession();
    emit StateChanged();
}
