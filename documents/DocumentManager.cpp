#include "DocumentManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QSaveFile>
#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "CChildFrame.h"
#include "CVexilDoc.h"
#include "CVexilView.h"
#include "GameClipboardText.h"
#include "GameIndex.h"
#include "PgnExport.h"
#include "PgnReader.h"
#include "UserPrompts.h"

namespace {
const char kFailedToSave[] = "Failed to save document.";
const char kWouldLoseData[] =
    "The game could not be saved without losing part of it, so the file was left as it was.";
const char kChangedAsk[] =
    "%1 has changed on disk since this game was read from it, so Save did not write over it. "
    "Save the game under another name?";
const char kChangedTell[] =
    "%1 has changed on disk since this game was read from it, so it was left as it was.";
const char kListing[] = "Listing the games of %1...";
const char kFailedToExport[] = "Failed to export the game.";
const char kReplaceFile[] = "%1 already exists.\nDo you want to replace it?";
const char kReplaceGames[] =
    "%1 already exists and holds %2 games.\nDo you want to replace the whole file, all %2 games, "
    "with this one game?";

// The bytes [begin, end) of the file at `path`; false when they cannot all be read.
bool ReadSpan(const QString& path, std::size_t begin, std::size_t end, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(static_cast<qint64>(begin))) return false;
    bytes = file.read(static_cast<qint64>(end - begin));
    return bytes.size() == static_cast<qsizetype>(end - begin);
}

// Lists the file at `path` a block at a time into `index`. `progress` is
// told the bytes listed; false stops.
GameIndex::Listing ListFile(const QString& path, GameIndex& index,
                            const GameIndex::Progress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return GameIndex::Listing::ReadFailed;
    return index.List(
        [&file](char* into, std::size_t room) -> std::int64_t {
            return file.read(into, static_cast<qint64>(room));
        },
        progress, static_cast<std::uint64_t>(std::max<qint64>(0, file.size())));
}

// How many games the file at `path` holds; 1 for one that cannot be read.
std::size_t GamesInFile(const QString& path) {
    GameIndex index;
    if (ListFile(path, index, nullptr) != GameIndex::Listing::Done) return 1;
    return std::max<std::size_t>(1, index.Games().size());
}

// Hands what a closed list held back to the system, not only to the allocator.
void ReturnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
const char kExportOverOwnFile[] =
    "The export cannot replace the game's own file. Choose another name for it.";
}  // namespace

DocumentManager::DocumentManager(QMdiArea* area, QObject* parent) : QObject(parent), m_area(area) {
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (auto* frame = qobject_cast<CChildFrame*>(window)) m_lastActive = frame;
    });
}

CVexilDoc* DocumentManager::AdoptDocument(CVexilDoc* document) {
    m_documents.append(document);
    connect(document, &CVexilDoc::TitleChanged, this, [this, document] { UpdateTitles(document); });
    connect(document, &CVexilDoc::ModifiedChanged, this,
            [this, document] { UpdateTitles(document); });
    connect(document, &CVexilDoc::GameRestored, this, [this, document] {
        for (CChildFrame* frame : Frames(document)) frame->View()->CatchUp();
    });
    connect(document, &CVexilDoc::HistoryChanged, this, &DocumentManager::HistoryChanged);
    emit DocumentAdded(document);
    return document;
}

CVexilDoc* DocumentManager::NewDocument() {
    auto* document = new CVexilDoc(this);
    if (!document->OnNewDocument()) {
        delete document;
        return nullptr;
    }
    document->SetTitle(QStringLiteral("Untitled%1").arg(++m_untitledCount));
    AdoptDocument(document);
    CreateFrame(document);
    return document;
}

void DocumentManager::Activate(CVexilDoc* document) {
    const QList<CChildFrame*> frames = Frames(document);
    if (!frames.isEmpty()) m_area->setActiveSubWindow(frames.first());
}

CVexilDoc* DocumentManager::OpenDocument(const QString& path) {
    m_openCancelled = false;
    const QString absolute = CanonicalPath(path);
    for (CVexilDoc* open : m_documents) {
        if (!open->PathName().isEmpty() && open->PathName() == absolute &&
            open->Place().number == 0) {
            Activate(open);
            return open;
        }
    }
    const QFileInfo info(absolute);
    // A file read whole gives, from one read, the game of a file of one game
    // or the list of several. A larger one is listed a block at a time and
    // only the chosen game's bytes are read, so a file of any size takes the
    // memory of its list.
    if (info.size() > m_readWholeBytes) {
        CVexilDoc* opened = nullptr;
        const bool handled = OpenLargeFile(info, opened);
        ReturnFreedMemory();
        if (handled) return opened;
    }
    // Read once: the bytes give the game of a file of one, or the list of several.
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        RefuseFile(absolute, CannotReadFile());
        return nullptr;
    }
    file.close();
    auto game = std::make_unique<CGameRecord>();
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const FileOfGames read = ReadFileOfGames(text, *game);
    if (read.HoldsSeveral()) {
        CVexilDoc* opened = OpenFromList(info, read.list.Games(), &text);
        ReturnFreedMemory();
        return opened;
    }
    if (!read.whole.Loaded()) {
        RefuseFile(absolute, read.whole);
        return nullptr;
    }
    auto* document = new CVexilDoc(this);
    document->TakeGame(absolute, std::move(*game), read.whole);
    AdoptDocument(document);
    m_recent.Add(absolute);
    emit RecentChanged();
    CreateFrame(document);
    TellNotices(read.whole);
    return document;
}

bool DocumentManager::OpenLargeFile(const QFileInfo& info, CVexilDoc*& opened) {
    const QString path = info.filePath();
    const qint64 size = std::max<qint64>(1, info.size());
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<UserPrompts::Progress> shown;
    bool cancelled = false;
    GameIndex index;
    const GameIndex::Listing listing = ListFile(path, index, [&](std::uint64_t listed) {
        // Shown once listing takes longer than a moment, and kept up to date.
        if (!shown && clock.elapsed() >= m_quietListingMs)
            shown = Prompts().ShowProgress(QString::fromLatin1(kListing).arg(info.fileName()), 1000,
                                           [&cancelled] { cancelled = true; });
        if (shown) {
            shown->SetValue(static_cast<int>(
                std::min<std::uint64_t>(1000, listed * 1000 / static_cast<std::uint64_t>(size))));
            QCoreApplication::processEvents();
        } else {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return !cancelled;
    });
    shown.reset();
    if (listing == GameIndex::Listing::Cancelled) {
        m_openCancelled = true;
    } else if (listing == GameIndex::Listing::ReadFailed) {
        RefuseFile(path, CannotReadFile());
    } else if (index.HoldsSeveral()) {
        opened = OpenFromList(info, index.Games(), nullptr);
    } else if (index.HoldsNul()) {
        // Binary, UTF-16 or damaged: refused as the reader refuses it, without reading it whole.
        LoadResult refused;
        refused.message = pgnmsg::kUnexpectedFormat;
        RefuseFile(path, refused);
    } else {
        return false;  // one large game
    }
    return true;
}

void DocumentManager::RefuseFile(const QString& path, const LoadResult& result) {
    Prompts().Tell(QString::fromStdString(result.message));
    if (result.kind == LoadResult::Kind::CannotRead) {
        m_recent.Remove(path);
        emit RecentChanged();
    }
}

void DocumentManager::TellNotices(const LoadResult& result) {
    // Said once the game is on screen, so the user sees what it refers to.
    for (const std::string& notice : result.notices) Prompts().Tell(QString::fromStdString(notice));
}

const IndexedGame* DocumentManager::ChooseListedGame(const QString& caption,
                                                    const std::vector<IndexedGame>& games) {
    const int chosen = Prompts().ChooseGame(caption, games);
    if (chosen < 0 || chosen >= static_cast<int>(games.size())) {
        m_openCancelled = true;
        return nullptr;
    }
    const IndexedGame& game = games[static_cast<std::size_t>(chosen)];
    if (!game.problem.empty()) {
        Prompts().Tell(
            QString::fromUtf8(game.problem.data(), static_cast<qsizetype>(game.problem.size())));
        return nullptr;
    }
    return &game;
}

CVexilDoc* DocumentManager::OpenFromList(const QFileInfo& info,
                                         const std::vector<IndexedGame>& games,
                                         const std::string_view* whole) {
    const QString path = info.filePath();
    const qint64 size = info.size();
    const QDateTime time = info.lastModified();
    const IndexedGame* listed = ChooseListedGame(info.fileName(), games);
    if (listed == nullptr) return nullptr;
    const IndexedGame& game = *listed;
    const int number = static_cast<int>(listed - games.data()) + 1;
    for (CVexilDoc* open : m_documents) {
        if (open->PathName() == path && open->Place().number == number) {
            Activate(open);
            return open;
        }
    }
    // Only the chosen game's bytes: from those read whole, or from the file.
    QByteArray read;
    std::string_view bytes;
    if (whole != nullptr) {
        bytes = whole->substr(std::min(game.begin, whole->size()), game.end - game.begin);
    } else if (ReadSpan(path, game.begin, game.end, read)) {
        bytes = std::string_view(read.constData(), static_cast<std::size_t>(read.size()));
    } else {
        RefuseFile(path, CannotReadFile());
        return nullptr;
    }
    auto* document = new CVexilDoc(this);
    const LoadResult result =
        document->LoadGame(path, bytes, {number, game.begin, game.end, size, time});
    if (!result.Loaded()) {
        delete document;
        Prompts().Tell(QString::fromStdString(result.message));
        return nullptr;
    }
    AdoptDocument(document);
    m_recent.Add(path);
    emit RecentChanged();
    CreateFrame(document);
    TellNotices(result);
    return document;
}

CVexilDoc* DocumentManager::OpenWithDialog() {
    const QString path = Prompts().AskOpenFileName();
    return path.isEmpty() ? nullptr : OpenDocument(path);
}

CVexilDoc* DocumentManager::OpenText(const QString& text) {
    m_openCancelled = false;
    const QByteArray bytes = text.toUtf8();
    const PastedText pasted =
        ReadPastedText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    auto game = std::make_unique<CGameRecord>();
    if (pasted.kind == PastedText::Kind::Neither) {
        Prompts().Tell(QString::fromStdString(pasted.why));
        return nullptr;
    }
    if (pasted.kind == PastedText::Kind::Position) {
        for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
            game->SetTag(tag, tag == CGameRecord::Result ? "*" : "?");
        game->SetFromFen(pasted.text);  // read once already: it takes
        return OpenUntitled(std::move(game));
    }
    // The games are read as a file's would be, with its refusals and notices.
    const FileOfGames read = ReadFileOfGames(pasted.text, *game);
    LoadResult result = read.whole;
    if (read.HoldsSeveral()) {
        const IndexedGame* listed =
            ChooseListedGame(QStringLiteral("The pasted text"), read.list.Games());
        if (listed == nullptr) return nullptr;
        game = std::make_unique<CGameRecord>();
        const std::string_view whole(pasted.text);
        result = LoadGameOfFile(whole.substr(std::min(listed->begin, whole.size()),
                                             listed->end - listed->begin),
                                0, *game);
    }
    if (!result.Loaded()) {
        Prompts().Tell(QString::fromStdString(result.message));
        return nullptr;
    }
    CVexilDoc* document = OpenUntitled(std::move(game));
    TellNotices(result);
    return document;
}

CVexilDoc* DocumentManager::OpenUntitled(std::unique_ptr<CGameRecord> game) {
    auto* document = new CVexilDoc(this);
    document->TakeUntitledGame(std::move(*game),
                               QStringLiteral("Untitled%1").arg(++m_untitledCount));
    AdoptDocument(document);
    CreateFrame(document);
    return document;
}

bool DocumentManager::WriteDocument(CVexilDoc* document, const QString& path) {
    const CVexilDoc::Placement before = document->Place();
    const QString oldPath = document->PathName();
    switch (document->Save(path)) {
        case CVexilDoc::SaveResult::Saved:
            break;
        case CVexilDoc::SaveResult::FileChanged:
            Prompts().Tell(QString::fromLatin1(kChangedTell).arg(QFileInfo(oldPath).fileName()));
            return false;
        case CVexilDoc::SaveResult::WriteFailed:
            Prompts().Tell(QString::fromLatin1(kFailedToSave) + QLatin1Char('\n') +
                           QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                           document->SaveFailure());
            return false;
        case CVexilDoc::SaveResult::WouldLoseData:
            Prompts().Tell(QString::fromLatin1(kWouldLoseData));
            return false;
    }
    const CVexilDoc::Placement& after = document->Place();
    if (before.number > 0 && after.number > 0) {
        // Its file's other open games moved with the bytes written before them.
        const auto shift =
            static_cast<std::ptrdiff_t>(after.end) - static_cast<std::ptrdiff_t>(before.end);
        for (CVexilDoc* other : m_documents)
            if (other != document && other->PathName() == oldPath)
                other->FollowSave(before, before.end, shift, after);
    }
    m_recent.Add(document->PathName());
    emit RecentChanged();
    return true;
}

bool DocumentManager::Save(CVexilDoc* document) {
    if (document->SaveNeedsNewName()) return SaveAs(document);
    if (document->FileChanged()) {
        const QString name = QFileInfo(document->PathName()).fileName();
        return Prompts().AskWarning(QString::fromLatin1(kChangedAsk).arg(name)) && SaveAs(document);
    }
    return WriteDocument(document, document->PathName());
}

bool DocumentManager::SaveAs(CVexilDoc* document) {
    QString suggested = document->PathName();
    if (suggested.isEmpty()) suggested = document->Title() + QStringLiteral(".pgn");
    if (const int number = document->Place().number; number > 0) {
        const QFileInfo file(suggested);
        suggested = file.dir().filePath(
            QStringLiteral("%1-%2.pgn").arg(file.completeBaseName()).arg(number));
    }
    const QString path = Prompts().AskSaveFileName(suggested);
    if (path.isEmpty() || !ConfirmReplace(document, path)) return false;
    return WriteDocument(document, path);
}

bool DocumentManager::ConfirmReplace(const CVexilDoc* document, const QString& path) {
    const QFileInfo target(path);
    // Only a plain file is read to count its games; Save refuses the others.
    if (!target.isFile() || CanonicalPath(path) == document->PathName()) return true;
    const std::size_t games = GamesInFile(path);
    const QString name = target.fileName();
    return Prompts().AskWarning(games > 1 ? QString::fromLatin1(kReplaceGames).arg(name).arg(games)
                                          : QString::fromLatin1(kReplaceFile).arg(name));
}

bool DocumentManager::ExportPgn(CVexilDoc* document) {
    const QFileInfo own(document->PathName());
    // Never the game's own file, which the export may not replace: game.pgn
    // is offered game-export.pgn beside it, game 3 of games.pgn games-3.pgn.
    QString suggested = document->Title() + QStringLiteral(".pgn");
    if (!document->PathName().isEmpty()) {
        const int number = document->Place().number;
        suggested = own.dir().filePath(
            QStringLiteral("%1-%2.pgn")
                .arg(own.completeBaseName(),
                     number > 0 ? QString::number(number) : QStringLiteral("export")));
    }
    const QString path = Prompts().AskExportFileName(suggested);
    if (path.isEmpty() || !ConfirmReplace(document, path)) return false;
    const QFileInfo target(path);
    if (!document->PathName().isEmpty() &&
        (target.absoluteFilePath() == own.absoluteFilePath() ||
         (target.exists() && target.canonicalFilePath() == own.canonicalFilePath()))) {
        Prompts().Warn(QString::fromLatin1(kExportOverOwnFile));
        return false;
    }
    const std::string bytes = ::ExportPgnToString(document->Game());
    QSaveFile file(CanonicalPath(path));  // through a link, into the file it names
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size ||
        !file.commit()) {
        Prompts().Tell(QString::fromLatin1(kFailedToExport) + QLatin1Char('\n') +
                       QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
        return false;
    }
    return true;
}

bool DocumentManager::SaveModified(CVexilDoc* document) {
    if (!document->IsModified()) return true;
    switch (Prompts().AskSaveChanges(document->Title())) {
        case UserPrompts::SaveAnswer::Yes:
            return Save(document);
        case UserPrompts::SaveAnswer::No:
            return true;
        case UserPrompts::SaveAnswer::Cancel:
            return false;
    }
    return false;
}

bool DocumentManager::CloseDocument(CVexilDoc* document) {
    if (!SaveModified(document)) return false;
    const bool wasClosingAll = m_closingAll;
    m_closingAll = true;  // asked once for the document: its windows close unasked
    for (CChildFrame* frame : Frames(document)) {
        frame->close();
    }
    m_closingAll = wasClosingAll;
    return true;
}

bool DocumentManager::CanUndoRedo(const CVexilDoc* document) const {
    if (document == nullptr) return false;
    for (CChildFrame* frame : Frames(document))
        if (frame->View()->IsSetupActive() || frame->View()->IsCarrying()) return false;
    return true;
}

void DocumentManager::Undo(CVexilDoc* document) {
    if (CanUndoRedo(document)) document->Undo();
}

void DocumentManager::Redo(CVexilDoc* document) {
    if (CanUndoRedo(document)) document->Redo();
}

bool DocumentManager::CloseAll() {
    for (CVexilDoc* document : m_documents)
        if (!SaveModified(document)) return false;
    m_closingAll = true;
    for (CChildFrame* frame : QList<CChildFrame*>(m_frames)) frame->close();
    m_closingAll = false;
    return true;
}

void DocumentManager::AddDocument(CVexilDoc* document) {
    document->setParent(this);
    AdoptDocument(document);
    CreateFrame(document);
}

CChildFrame* DocumentManager::NewWindow(CVexilDoc* document) {
    return CreateFrame(document);
}

CChildFrame* DocumentManager::CreateFrame(CVexilDoc* document) {
    auto* frame = new CChildFrame(document, this);
    m_frames.append(frame);
    connect(frame, &QObject::destroyed, this, [this, frame] { FrameClosed(frame); });
    connect(frame->View(), &CVexilView::Published, this,
            [this, frame] { CatchUpOtherWindows(frame); });
    m_area->addSubWindow(frame);
    frame->View()->OnInitialUpdate();
    UpdateTitles(document);
    frame->show();
    frame->ShowWholeForm();
    frame->KeepInArea();
    if (CVexilView::FitsWindow()) frame->showMaximized();
    m_area->setActiveSubWindow(frame);
    m_lastActive = frame;
    return frame;
}

void DocumentManager::CatchUpOtherWindows(CChildFrame* source) {
    for (CChildFrame* frame : Frames(source->Document()))
        if (frame != source) frame->View()->CatchUp();
}

bool DocumentManager::CanCloseFrame(CChildFrame* frame) {
    if (m_closingAll) return true;
    if (Frames(frame->Document()).size() > 1) return true;
    return SaveModified(frame->Document());
}

void DocumentManager::FrameClosed(CChildFrame* frame) {
    if (!m_frames.removeAll(frame)) return;
    if (m_lastActive == frame) m_lastActive = m_frames.isEmpty() ? nullptr : m_frames.last();
    for (CVexilDoc* document : QList<CVexilDoc*>(m_documents)) {
        if (!Frames(document).isEmpty()) continue;
        m_documents.removeAll(document);
        document->deleteLater();
    }
    for (CVexilDoc* document : m_documents) UpdateTitles(document);
    emit TitlesChanged();
}

QList<CChildFrame*> DocumentManager::Frames(const CVexilDoc* document) const {
    QList<CChildFrame*> frames;
    for (CChildFrame* frame : m_frames)
        if (frame->Document() == document) frames.append(frame);
    return frames;
}

QString DocumentManager::FrameTitle(const CChildFrame* frame) const {
    const QList<CChildFrame*> frames = Frames(frame->Document());
    const QString title = frame->Document()->Title();
    if (frames.size() < 2) return title;
    return QStringLiteral("%1:%2").arg(title).arg(frames.indexOf(const_cast<CChildFrame*>(frame)) +
                                                  1);
}

QString DocumentManager::MarkedTitle(const CChildFrame* frame) const {
    return FrameTitle(frame) + (frame->Document()->IsModified() ? QStringLiteral("*") : QString());
}

QString DocumentManager::WithModifiedPlaceholder(QString title) {
    // A "[*]" of the name itself is written twice, which Qt shows as itself.
    return title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) + QStringLiteral("[*]");
}

void DocumentManager::UpdateTitles(const CVexilDoc* document) {
    for (CChildFrame* frame : Frames(document)) {
        frame->setWindowTitle(WithModifiedPlaceholder(FrameTitle(frame)));
        frame->setWindowModified(document->IsModified());
    }
    emit TitlesChanged();
}

CChildFrame* DocumentManager::ActiveFrame() const {
    // The area forgets its active window while the main window is inactive
    // (a dialog is open, or no window system gives focus): the last one
    // activated still counts.
    if (auto* frame = qobject_cast<CChildFrame*>(m_area->activeSubWindow())) return frame;
    return m_lastActive;
}

CVexilDoc* DocumentManager::ActiveDocument() const {
    CChildFrame* frame = ActiveFrame();
    return frame != nullptr ? frame->Document() : nullptr;
}
