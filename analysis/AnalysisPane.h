#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "GameLines.h"
#include "GameRecord.h"

class CVexilView;
class EngineProcess;
class QLabel;
class QPushButton;
class QSpinBox;

// The engine's best lines for the position the active game window shows,
// with a button to add each to the game. It follows the board: each new
// position is sent to the engine at once, and lines of the one before are
// never shown against it.
class AnalysisPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMostLines = 3;

    AnalysisPane(EngineProcess* engine, QWidget* parent = nullptr);
    ~AnalysisPane() override;

    // The game window whose position is analysed; null for none.
    void Follow(CVexilView* view);
    // Analysing, or paused (hidden, or the engine lent to a game check),
    // saying `why` when there is something to say.
    void SetActive(bool active, const QString& why = QString());
    bool IsActive() const { return m_active; }
    // Looks at the followed view's position again, now and once the events
    // now waiting have run.
    void PositionMayHaveChanged();
    // Shows `lines` best lines from now on, chosen elsewhere (Options > Engine).
    void SetLineCount(int lines);

    // What the pane shows, for the window's tests: the message or the
    // engine's name, and each line as "score|depth|moves".
    QString StatusText() const;
    QStringList LineTexts() const;
    // "Add as variation" on line `index` (0 the best).
    void AddLine(int index);

signals:
    // A sentence for the status bar.
    void Announce(const QString& text);

private:
    void ShowPosition();
    void ShowLines();
    // The followed view still shows the position searched.
    bool ViewShowsPosition() const;
    void ShowMessage(const QString& text);
    // The engine's name once it has answered; until then, that it is starting.
    QString EngineText() const;
    void ShowEngineText();
    void OnEngineState();
    void OnLinesChosen(int lines);
    // Moves the focus off `widget` when it has it and is about to be hidden
    // or disabled.
    void KeepFocusFrom(QWidget* widget);

    EngineProcess* m_engine;
    QPointer<CVexilView> m_view;
    bool m_active = false;
    bool m_showPending = false;
    bool m_statusIsEngine = false;  // the status shows EngineText(), not a message
    // The position searched: its FEN, the line and ply it is taken from, and
    // that line up to it, taken once the engine has lines to play on it.
    QString m_fen;
    QString m_position;  // as the engine is told it, with the moves since a capture
    std::unique_ptr<CGameRecord> m_line;
    int m_plies = 0;
    LinePath m_path;
    // The lines shown, played out, with the note each carries into the game.
    struct ShownLine {
        std::vector<PlyRecord> plies;
        std::string note;
        QString score, depth;
    };
    std::vector<ShownLine> m_shown;

    QLabel* m_status;
    QSpinBox* m_lineCount;
    QPushButton* m_restart;
    QLabel* m_scores[kMostLines];
    QLabel* m_depths[kMostLines];
    QLabel* m_moves[kMostLines];
    QPushButton* m_adds[kMostLines];
    QLabel* m_speed;
};
