#include "AnalysisPane.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "CVexilView.h"
#include "EngineLine.h"
#include "EngineProcess.h"
#include "UserPrompts.h"

namespace {

const char kAddStep[] = "Add Variation";

QString GameText(const std::string& bytes) {
    // Move text is ASCII but for the unclear sign.
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

AnalysisPane::AnalysisPane(EngineProcess* engine, QWidget* parent)
    : QWidget(parent), m_engine(engine) {
    setObjectName(QStringLiteral("analysis"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(m_status, 1);
    top->addWidget(new QLabel(QStringLiteral("Lines:"), this));
    m_lineCount = new QSpinBox(this);
    m_lineCount->setRange(1, kMostLines);
    m_lineCount->setValue(EngineProcess::StoredChoice().lines);
    m_lineCount->setToolTip(QStringLiteral("How many of the engine's best lines are shown"));
    top->addWidget(m_lineCount);
    layout->addLayout(top);
    m_restart = new QPushButton(QStringLiteral("&Restart Engine"), this);
    m_restart->hide();
    layout->addWidget(m_restart, 0, Qt::AlignLeft);

    auto* grid = new QGridLayout;
    QFont bold = font();
    bold.setBold(true);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    for (int i = 0; i < kMostLines; ++i) {
        m_scores[i] = new QLabel(this);
        m_scores[i]->setFont(bold);
        m_scores[i]->setMinimumWidth(m_scores[i]->fontMetrics().horizontalAdvance("-99.99") + 6);
        m_depths[i] = new QLabel(this);
        m_depths[i]->setFont(small);
        m_moves[i] = new QLabel(this);
        m_moves[i]->setWordWrap(true);
        m_moves[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Two lines of moves at most, so the pane keeps its height while
        // the lines grow and change.
        m_moves[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        m_moves[i]->setFixedHeight(m_moves[i]->fontMetrics().lineSpacing() * 2 + 2);
        m_moves[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_adds[i] = new QPushButton(QStringLiteral("Add as variation"), this);
        m_adds[i]->setToolTip(QStringLiteral("Add this line to the game at the position shown"));
        grid->addWidget(m_scores[i], i, 0, Qt::AlignTop);
        grid->addWidget(m_depths[i], i, 1, Qt::AlignTop);
        grid->addWidget(m_moves[i], i, 2, Qt::AlignTop);
        grid->addWidget(m_adds[i], i, 3, Qt::AlignTop);
        connect(m_adds[i], &QPushButton::clicked, this, [this, i] { AddLine(i); });
    }
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);
    m_speed = new QLabel(this);
    m_speed->setFont(small);
    layout->addWidget(m_speed);
    layout->addStretch(1);

    connect(m_engine, &EngineProcess::LinesChanged, this, &AnalysisPane::ShowLines);
    connect(m_engine, &EngineProcess::StateChanged, this, &AnalysisPane::OnEngineState);
    connect(m_restart, &QPushButton::clicked, this, [this] {
        m_fen.clear();
        if (m_engine->Start()) ShowPosition();
    });
    connect(m_lineCount, qOverload<int>(&QSpinBox::valueChanged), this,
            &AnalysisPane::OnLinesChosen);
    ShowLines();
}

AnalysisPane::~AnalysisPane() = default;

void AnalysisPane::Follow(CVexilView* view) {
    if (m_view == view) return;
    if (m_view) disconnect(m_view, nullptr, this, nullptr);
    m_view = view;
    if (view != nullptr)
        connect(view, &CVexilView::PositionShown, this, &AnalysisPane::PositionMayHaveChanged);
    PositionMayHaveChanged();
}

void AnalysisPane::SetActive(bool active, const QString& why) {
    m_active = active;
    m_fen.clear();
    if (!active) {
        m_engine->StopSearch();
        if (!why.isEmpty()) ShowMessage(why);
        m_shown.clear();
        ShowLines();
        return;
    }
    if (!m_engine->IsRunning()) m_engine->Start();
    ShowPosition();
}

void AnalysisPane::PositionMayHaveChanged() {
    // At once, so the lines of the position before are gone before the
    // next paint; and again once the change is complete, since a window
    // may tell in the middle of one (a list refilled, then a row chosen).
    ShowPosition();
    if (m_showPending) return;
    m_showPending = true;
    QTimer::singleShot(0, this, [this] {
        m_showPending = false;
        ShowPosition();
    });
}

void AnalysisPane::SetLineCount(int lines) {
    // Already stored and sent to the engine by whoever chose it.
    const QSignalBlocker quiet(m_lineCount);
    m_lineCount->setValue(lines);
    ShowLines();
}

void AnalysisPane::ShowMessage(const QString& text) {
    m_status->setText(text);
    m_statusIsEngine = false;
    m_shown.clear();
    ShowLines();
}

void AnalysisPane::ShowPosition() {
    if (!m_active) return;
    if (m_engine->ProblemKind() != EngineProblem::None || !m_engine->IsRunning()) {
        m_fen.clear();
        OnEngineState();
        return;
    }
    CVexilView* view = m_view;
    QString pause;
    if (view == nullptr) {
        pause = QStringLiteral("Open a game to see the engine's lines for its positions.");
    } else if (view->IsSetupActive()) {
        pause = QStringLiteral("Analysis waits while the position is set up.");
    } else if (view->IsCarrying()) {
        return;  // the carried piece lands first
    } else if (view->Game().m_status == 'M' || view->Game().m_status == 'S') {
        pause = view->Game().m_status == 'M' ? QStringLiteral("Checkmate: no moves to analyse.")
                                             : QStringLiteral("Stalemate: no moves to analyse.");
    }
    if (!pause.isEmpty()) {
        m_fen.clear();
        m_engine->StopSearch();
        ShowMessage(pause);
        return;
    }
    // The board the view shows is the position: no copy of the game on
    // the way from a key to the engine.
    const CGameRecord& line = view->Game();
    const QString fen = QString::fromStdString(line.MakeFullFen());
    if (fen == m_fen && m_plies == line.m_curPly && m_path == view->ShownLine()) return;
    m_fen = fen;
    m_line.reset();
    m_plies = line.m_curPly;
    m_path = view->ShownLine();
    m_shown.clear();
    m_position = QString::fromStdString(EnginePosition(line, m_plies));
    ShowEngineText();
    m_engine->Analyse(m_position);
    ShowLines();
}

bool AnalysisPane::ViewShowsPosition() const {
    return m_view && !m_view->IsSetupActive() && !m_view->IsCarrying() &&
           m_view->Game().m_curPly == m_plies && m_view->ShownLine() == m_path &&
           QString::fromStdString(m_view->Game().MakeFullFen()) == m_fen;
}

void AnalysisPane::ShowLines() {
    const UciSession& session = m_engine->Session();
    const bool forThisPosition = m_active && !m_fen.isEmpty() && !session.Lines().empty() &&
                                 QString::fromStdString(session.LinesPosition()) == m_position;
    if (forThisPosition && !m_line && ViewShowsPosition()) {
        // The line up to the position, without its notes and variations:
        // all the engine's moves need to be played and numbered.
        m_line = std::make_unique<CGameRecord>(m_view->Game());
        CutLine(*m_line, m_plies);
        for (int ply = 0; ply < m_plies; ++ply) {
            m_line->m_ply[ply].ClearNote();
            m_line->m_ply[ply].variations.clear();
        }
    }
    if (forThisPosition && m_line) {
        m_shown.clear();
        const bool whiteToMove = m_line->SideOfPly(m_plies) == White;
        for (const EngineInfo& info : session.Lines()) {
            if (static_cast<int>(m_shown.size()) == m_lineCount->value()) break;
            ShownLine shown;
            shown.plies = PlayEngineLine(*m_line, m_plies, info.pv);
            shown.note = EngineNote(info.score, whiteToMove, info.depth);
            shown.score = QString::fromStdString(ScoreText(info.score, whiteToMove));
            shown.depth = QStringLiteral("depth %1").arg(info.depth);
            m_shown.push_back(std::move(shown));
        }
    }
    for (int i = 0; i < kMostLines; ++i) {
        const bool room = i < m_lineCount->value();
        const bool here = room && i < static_cast<int>(m_shown.size()) && !m_shown[i].plies.empty();
        QString score, depth, moves;
        if (here) {
            score = m_shown[i].score;
            depth = m_shown[i].depth;
            moves = GameText(EngineLineText(*m_line, m_plies, m_shown[i].plies));
        }
        m_scores[i]->setText(score);
        m_depths[i]->setText(depth);
        m_moves[i]->setText(moves);
        m_scores[i]->setVisible(room);
        m_depths[i]->setVisible(room);
        m_moves[i]->setVisible(room);
        if (!here) KeepFocusFrom(m_adds[i]);
        m_adds[i]->setVisible(room);
        m_adds[i]->setEnabled(here);
    }
    const long long nps = session.NodesPerSecond();
    m_speed->setText(
        nps > 0 && !m_shown.empty()
            ? QStringLiteral("%1 thousand positions a second").arg(QLocale().toString(nps / 1000))
            : QString());
}

QString AnalysisPane::EngineText() const {
    if (m_engine->Session().GetState() == UciSession::State::Starting)
        return QStringLiteral("Starting %1...").arg(QFileInfo(m_engine->Program()).fileName());
    return QString::fromStdString(m_engine->Session().EngineName());
}

void AnalysisPane::ShowEngineText() {
    m_status->setText(EngineText());
    m_statusIsEngine = true;
}

void AnalysisPane::OnEngineState() {
    const EngineProblem problem = m_engine->ProblemKind();
    // An engine that was never found has nothing to restart.
    const bool offerRestart = problem != EngineProblem::None && problem != EngineProblem::NotFound;
    if (!offerRestart) KeepFocusFrom(m_restart);
    m_restart->setVisible(offerRestart);
    if (problem != EngineProblem::None) {
        m_fen.clear();
        ShowMessage(m_engine->Problem());
        return;
    }
    // A message (a pause, a checkmate) stays; only the engine's own text follows the engine.
    if (m_engine->IsRunning() && (m_statusIsEngine || m_status->text().isEmpty())) ShowEngineText();
    if (m_active && m_fen.isEmpty() && m_engine->IsRunning()) PositionMayHaveChanged();
}

void AnalysisPane::KeepFocusFrom(QWidget* widget) {
    // Hidden or disabled with the focus, a button hands it on along the tab
    // chain, perhaps into another game window, which then becomes the active
    // one and has its position analysed: the focus stays in the pane instead.
    if (widget->hasFocus()) m_lineCount->setFocus(Qt::OtherFocusReason);
}

void AnalysisPane::OnLinesChosen(int lines) {
    UserPrompts::EngineChoice choice = EngineProcess::StoredChoice();
    if (choice.lines == lines) return;
    choice.lines = lines;
    EngineProcess::StoreChoice(choice);
    m_engine->Reconfigure(choice);
    ShowLines();
}

QString AnalysisPane::StatusText() const {
    return m_status->text();
}

QStringList AnalysisPane::LineTexts() const {
    QStringList texts;
    for (int i = 0; i < kMostLines; ++i) {
        if (m_moves[i]->text().isEmpty()) continue;
        texts.append(m_scores[i]->text() + QLatin1Char('|') + m_depths[i]->text() +
                     QLatin1Char('|') + m_moves[i]->text());
    }
    return texts;
}

void AnalysisPane::AddLine(int index) {
    CVexilView* view = m_view;
    if (view == nullptr || index < 0 || index >= static_cast<int>(m_shown.size()) ||
        m_shown[index].plies.empty() || view->IsSetupActive())
        return;
    // Only onto the position the line was found for.
    if (!ViewShowsPosition()) return;
    auto whole = std::make_unique<CGameRecord>(view->WholeGame());
    VariationRefusal refusal = VariationRefusal::None;
    switch (AddEngineLine(*whole, m_path, m_plies, m_shown[index].plies, m_shown[index].note,
                          refusal)) {
        case EngineLineAdded::Refused:
            Prompts().Tell(QString::fromLatin1(VariationRefusalSentence(refusal)));
            return;
        case EngineLineAdded::AlreadyThere:
            emit Announce(QStringLiteral("The game already holds this line."));
            return;
        case EngineLineAdded::AsVariation:
        case EngineLineAdded::AtLineEnd:
            break;
    }
    view->TakeWholeGame(*whole, kAddStep);
    emit Announce(QStringLiteral("The engine's line is in the game."));
}
