#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <cstddef>
#include <memory>
#include <string_view>

#include "EditedGame.h"
#include "GameFile.h"
#include "GameHistory.h"
#include "GameRecord.h"

// One open game file: the game as its views last published it, the file's
// path, the title shown for it and whether it has changes not yet saved.
class CVexilDoc : public QObject, public EditedGame {
    Q_OBJECT
public:
    explicit CVexilDoc(QObject* parent = nullptr);
    ~CVexilDoc() override;

    // A new game: the standard start, tags "?" and a Result of "*".
    bool OnNewDocument();
    // Reads the file; on failure the result says why and the game is unchanged.
    LoadResult Load(const QString& path);
    // Takes `game`, read from the whole file at `path` as `read` tells.
    void TakeGame(const QString& path, CGameRecord&& game, const LoadResult& read);
    // Takes a game that came as text, pasted or dropped: it has no file yet,
    // so it starts modified and closing asks before it is lost.
    void TakeUntitledGame(CGameRecord&& game, const QString& title);

    // Where a game of a file of several lies, and the file as it was read.
    struct Placement {
        int number = 0;  // from 1; 0 for a document that is its whole file
        std::size_t begin = 0, end = 0;
        qint64 fileSize = -1;
        QDateTime fileTime;
    };
    // Reads `game`, the bytes that `place` finds in the file at `path`.
    LoadResult LoadGame(const QString& path, std::string_view game, const Placement& place);
    const Placement& Place() const { return m_place; }
    // The file of a game of several changed on disk since it was read.
    bool FileChanged() const;
    // Another game of the same file was saved in place, so this one's bytes
    // moved by `shift` when they lie after `from`, in the file as `before`.
    void FollowSave(const Placement& before, std::size_t from, std::ptrdiff_t shift,
                    const Placement& after);

    // What a recovery copy keeps besides the game: enough to save the
    // recovered game where the lost one would have gone.
    struct Origin {
        QString path, title;
        Placement place;
        bool holdsMoreGames = false;
    };
    Origin GetOrigin() const { return {m_path, m_title, m_place, m_holdsMoreGames}; }
    // Reads the game of a recovery copy: a modified document of `origin`'s
    // file and title; nothing is written until the user saves.
    LoadResult LoadRecovered(std::string_view game, const Origin& origin);

    enum class SaveResult {
        Saved,
        WriteFailed,    // the file could not be written; the old one is as it was
        WouldLoseData,  // the new file did not read back as the game; not used
        FileChanged     // a game of several whose file changed since it was read
    };
    // Writes the game beside `path`, reads it back, and only when it holds the
    // same game replaces the file with it. On success the document takes the
    // path and is clean; otherwise the old file and the modified flag stay.
    // A game of a file of several saved to that file replaces its own bytes
    // alone; the others' bytes are checked unchanged before the file is.
    SaveResult Save(const QString& path);
    // Why the last Save gave WriteFailed, in the system's words.
    QString SaveFailure() const { return m_saveFailure; }

    QString PathName() const { return m_path; }
    QString Title() const { return m_title; }
    void SetTitle(const QString& title);
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified);
    // The file held further games after the one read: a plain Save must ask
    // for a name, so those games are never overwritten unawares.
    bool SaveNeedsNewName() const { return m_path.isEmpty() || m_holdsMoreGames; }

    CGameRecord& Game() { return *m_game; }
    const CGameRecord& Game() const override { return *m_game; }
    void PublishGame(const CGameRecord& game, const std::string& step,
                     const std::string& group) override;

    // Undo and Redo of the edits published since the game was read. The
    // modified flag follows: back at the state saved, the game is unmodified.
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    QString UndoName() const { return QString::fromStdString(m_history.UndoName()); }
    QString RedoName() const { return QString::fromStdString(m_history.RedoName()); }
    bool Undo();
    bool Redo();
    // The next edit is a step of its own, whatever its group.
    void CloseEditGroup() { m_history.CloseGroup(); }
    const GameHistory& History() const { return m_history; }

signals:
    void ModifiedChanged(bool modified);
    // An edit was published, undone or redone.
    void HistoryChanged();
    // Undo or Redo put an earlier game in place: the views must show it.
    void GameRestored();
    void TitleChanged(const QString& title);

private:
    SaveResult Failed(const QString& reason);
    // The history starts anew from the game as read.
    void StartHistory();
    // After Undo or Redo took a step: the flag, and the views told.
    bool Restored(bool stepped);

    std::unique_ptr<CGameRecord> m_game;  // large: kept off the stack
    GameHistory m_history;
    QString m_path;
    QString m_title;
    bool m_modified = false;
    bool m_holdsMoreGames = false;
    Placement m_place;
    QString m_saveFailure;
};

// The real path of a file, links followed, so one file has one name; for a
// file not yet written, the real path of its folder and its name.
QString CanonicalPath(const QString& path);
