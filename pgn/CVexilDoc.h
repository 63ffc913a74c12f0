#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "GameRecord.h"

// One open game file: the game as its views last published it, the file's
// path, the title shown for it and whether it has changes not yet saved.
class CVexilDoc : public QObject {
    Q_OBJECT
public:
    explicit CVexilDoc(QObject* parent = nullptr);
    ~CVexilDoc() override;

    // A new game: the standard start, tags "?" and a Result of "*".
    bool OnNewDocument();
    // Reads the file; on failure `message` says why and the game is unchanged.
    bool Load(const QString& path, QString& message);
    enum class SaveResult {
        Saved,
        WriteFailed,   // the file could not be written; the old one is as it was
        WouldLoseData  // the new file did not read back as the game; not used
    };
    // Writes the game beside `path`, reads it back, and only when it holds the
    // same game replaces the file with it. On success the document takes the
    // path and is clean; otherwise the old file and the modified flag stay.
    SaveResult Save(const QString& path);

    QString PathName() const { return m_path; }
    QString Title() const { return m_title; }
    void SetTitle(const QString& title);
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified);
    // The file held further games after the one read: a plain Save must ask
    // for a name, so those games are never overwritten unawares.
    bool SaveNeedsNewName() const { return m_path.isEmpty() || m_holdsMoreGames; }

    CGameRecord& Game() { return *m_game; }
    const CGameRecord& Game() const { return *m_game; }

signals:
    void ModifiedChanged(bool modified);
    void TitleChanged(const QString& title);

private:
    std::unique_ptr<CGameRecord> m_game;  // large: kept off the stack
    QString m_path;
    QString m_title;
    bool m_modified = false;
    bool m_holdsMoreGames = false;
};
