#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <string_view>
#include <vector>

#include "FrameCloseGuard.h"
#include "RecentFiles.h"

class CChildFrame;
class CGameRecord;
class CVexilDoc;
struct IndexedGame;
struct LoadResult;
class QByteArray;
class QFileInfo;
class QMdiArea;

// The document steps of the program: new, open, save, save as, close, the
// save prompt, the window titles of documents with several windows, and the
// recent-file list. Every message and question goes through the prompts.
class DocumentManager : public QObject, public FrameCloseGuard {
    Q_OBJECT
public:
    explicit DocumentManager(QMdiArea* area, QObject* parent = nullptr);

    CVexilDoc* NewDocument();
    // Opens the file, or shows the game's window when it is open already;
    // nullptr, after telling the user why, when it cannot be read.
    // A file of several games lists them first and opens the one chosen.
    CVexilDoc* OpenDocument(const QString& path);
    // The last OpenDocument opened nothing because the user chose no game.
    bool OpenCancelled() const { return m_openCancelled; }
    // Files larger than `readWholeBytes` are listed a block at a time, their
    // progress shown once listing has taken `quietMs` (16 MB and 200 ms).
    void SetListingThresholds(qint64 readWholeBytes, qint64 quietMs) {
        m_readWholeBytes = readWholeBytes;
        m_quietListingMs = quietMs;
    }
    CVexilDoc* OpenWithDialog();
    // Opens text pasted or dropped: a PGN game (one of several chosen as from
    // a file) or a FEN position, as a new untitled game that is modified from
    // the start. Other text is refused with a sentence and changes nothing.
    CVexilDoc* OpenText(const QString& text);
    bool Save(CVexilDoc* document);
    bool SaveAs(CVexilDoc* document);
    // Writes the game in standard PGN for other programs to a file the user
    // names, never the game's own file; the document is left as it was.
    bool ExportPgn(CVexilDoc* document);
    // Asks "Save changes to ...?" for a modified document; false on Cancel.
    bool SaveModified(CVexilDoc* document);
    bool CloseDocument(CVexilDoc* document);
    // Undo and Redo of the document's last edit, in every window on it; not
    // while one of them sets up a position or carries a piece.
    bool CanUndoRedo(const CVexilDoc* document) const;
    void Undo(CVexilDoc* document);
    void Redo(CVexilDoc* document);
    // Closes every document, asking for each modified one; false on Cancel.
    bool CloseAll();
    CChildFrame* NewWindow(CVexilDoc* document);
    // Takes a document read elsewhere (a recovered game) and opens its window.
    void AddDocument(CVexilDoc* document);

    CChildFrame* ActiveFrame() const;
    CVexilDoc* ActiveDocument() const;
    QList<CVexilDoc*> Documents() const { return m_documents; }
    QList<CChildFrame*> Frames(const CVexilDoc* document) const;
    // "Untitled1", or "Untitled1:2" for the second of several windows.
    QString FrameTitle(const CChildFrame* frame) const;
    // The frame's title as the user sees it: an asterisk after it while the
    // game has unsaved changes.
    QString MarkedTitle(const CChildFrame* frame) const;
    // A window title ending in Qt's placeholder for the modified mark.
    static QString WithModifiedPlaceholder(QString title);
    RecentFiles& Recent() { return m_recent; }

    // Called by a game window about to close: its document asks to be saved
    // when this is its last window.
    bool CanCloseFrame(CChildFrame* frame) override;
    // A game window has closed (or is gone): its document goes with its last.
    void FrameClosed(CChildFrame* frame) override;

signals:
    void TitlesChanged();
    void RecentChanged();
    // A document is open: new, read or recovered.
    void DocumentAdded(CVexilDoc* document);
    // A document's edits changed: what Undo and Redo offer may have.
    void HistoryChanged();

private:
    CChildFrame* CreateFrame(CVexilDoc* document);
    void Activate(CVexilDoc* document);
    // What was read only in part, one message each.
    static void TellNotices(const LoadResult& result);
    // Says why a file was not opened; one that cannot be read leaves the
    // recent-file list.
    void RefuseFile(const QString& path, const LoadResult& result);
    // Lists `games` under `caption` and gives the one chosen: none when the
    // list is cancelled (OpenCancelled) or the game chosen cannot be opened,
    // which is said.
    const IndexedGame* ChooseListedGame(const QString& caption,
                                        const std::vector<IndexedGame>& games);
    // Lists `games`, those of the file `info`, and opens the one chosen (or
    // shows its window when it is open); its bytes come from `whole`, the
    // file read whole, or, when that is null, from the file.
    CVexilDoc* OpenFromList(const QFileInfo& info, const std::vector<IndexedGame>& games,
                            const std::string_view* whole);
    // A file too large to read whole: listed with progress and Cancel. False
    // when it holds one game, which takes the road of a whole file.
    bool OpenLargeFile(const QFileInfo& info, CVexilDoc*& opened);
    CVexilDoc* AdoptDocument(CVexilDoc* document);
    // A new untitled window on `game`, read from text rather than a file.
    CVexilDoc* OpenUntitled(std::unique_ptr<CGameRecord> game);
    // Every window on a document shows one game: after one publishes, the
    // others take its game.
    void CatchUpOtherWindows(CChildFrame* source);
    void UpdateTitles(const CVexilDoc* document);
    bool WriteDocument(CVexilDoc* document, const QString& path);
    // Asks before a file other than the document's own is replaced, saying
    // how many games it holds; true when there is nothing to ask or on OK.
    bool ConfirmReplace(const CVexilDoc* document, const QString& path);

    QMdiArea* m_area;
    QList<CVexilDoc*> m_documents;
    QList<CChildFrame*> m_frames;
    CChildFrame* m_lastActive = nullptr;
    RecentFiles m_recent;
    int m_untitledCount = 0;
    bool m_closingAll = false;
    bool m_openCancelled = false;
    qint64 m_readWholeBytes = qint64(16) << 20;
    qint64 m_quietListingMs = 200;
};
