#pragma once

#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <memory>

class CVexilDoc;
class DocumentManager;

// Copies of the games with unsaved changes, so a crash loses nothing: each
// written to Ravelin's own data folder (never to the user's file) within a
// few seconds of a change, and removed once the game is saved or closed
// without saving. Each instance holds a lock file of its own; the copies of
// an instance whose lock is free again are offered back at the next start.
class RecoveryStore : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 2000;

    explicit RecoveryStore(DocumentManager* documents, QObject* parent = nullptr);
    ~RecoveryStore() override;

    // Asks whether to recover the games that instances no longer running
    // left behind, and opens them or discards them; the number opened.
    int OfferRecovery();
    // Starts writing every copy that is due now rather than after the
    // delay, and unless told not to, waits until they are written.
    void WriteDue(bool wait = true);
    QString Folder() const { return m_folder; }
    // The copy kept for `document`, written or not.
    QString CopyPath(const CVexilDoc* document) const;

private:
    // Marks this instance as running before its first copy is written, so
    // that no other instance takes its copies; not at start, where the
    // window waits for nothing it does not need.
    void ClaimInstance();
    void Follow(CVexilDoc* document);
    void Changed(CVexilDoc* document);
    // Takes the game as it stands and writes it on the writing thread, so
    // that making the text of a long game never holds up the window.
    void Write(CVexilDoc* document);
    void Remove(const QObject* document);
    // Waits for the writing thread, then tells what it found.
    void Finish();
    // Says once, until a copy can be written again, that none can.
    void Failed(const QString& reason);

    DocumentManager* m_documents;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;  // this instance's, held while it runs
    QHash<const QObject*, int> m_numbers;
    QSet<CVexilDoc*> m_due;
    QTimer m_timer;
    int m_nextNumber = 1;
    bool m_failureTold = false;
    // One thread, so a game's copies are written and removed in order.
    QThreadPool m_writer;
};
