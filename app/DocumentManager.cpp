#include "DocumentManager.h"

#include <QFileInfo>
#include <QMdiArea>

#include "CChildFrame.h"
#include "CVexilDoc.h"
#include "CVexilView.h"
#include "UserPrompts.h"

namespace {
const char kFailedToOpen[] = "Failed to open document.";
const char kFailedToSave[] = "Failed to save document.";
const char kWouldLoseData[] =
    "The game could not be saved without losing part of it, so the file was left as it was.";
const char kMoreGames[] =
    "This file holds more than one game; only the first is shown. To keep the others, Save "
    "will ask for a new file name.";
}  // namespace

DocumentManager::DocumentManager(QMdiArea* area, QObject* parent)
    : QObject(parent), m_area(area) {
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (auto* frame = qobject_cast<CChildFrame*>(window)) m_lastActive = frame;
    });
}

CVexilDoc* DocumentManager::AdoptDocument(CVexilDoc* document) {
    m_documents.append(document);
    connect(document, &CVexilDoc::TitleChanged, this, [this, document] { UpdateTitles(document); });
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

CVexilDoc* DocumentManager::OpenDocument(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CVexilDoc* open : m_documents) {
        if (!open->PathName().isEmpty() && open->PathName() == absolute) {
            const QList<CChildFrame*> frames = Frames(open);
            if (!frames.isEmpty()) m_area->setActiveSubWindow(frames.first());
            return open;
        }
    }
    auto* document = new CVexilDoc(this);
    QString message;
    if (!document->Load(path, message)) {
        delete document;
        Prompts().Tell(message);
        if (message == QString::fromLatin1(kFailedToOpen)) {
            m_recent.Remove(absolute);
            emit RecentChanged();
        }
        return nullptr;
    }
    AdoptDocument(document);
    m_recent.Add(absolute);
    emit RecentChanged();
    CreateFrame(document);
    if (document->SaveNeedsNewName()) Prompts().Tell(QString::fromLatin1(kMoreGames));
    return document;
}

CVexilDoc* DocumentManager::OpenWithDialog() {
    const QString path = Prompts().AskOpenFileName();
    return path.isEmpty() ? nullptr : OpenDocument(path);
}

bool DocumentManager::WriteDocument(CVexilDoc* document, const QString& path) {
    switch (document->Save(path)) {
        case CVexilDoc::SaveResult::Saved: break;
        case CVexilDoc::SaveResult::WriteFailed:
            Prompts().Tell(QString::fromLatin1(kFailedToSave));
            return false;
        case CVexilDoc::SaveResult::WouldLoseData:
            Prompts().Tell(QString::fromLatin1(kWouldLoseData));
            return false;
    }
    m_recent.Add(document->PathName());
    emit RecentChanged();
    return true;
}

bool DocumentManager::Save(CVexilDoc* document) {
    if (document->SaveNeedsNewName()) return SaveAs(document);
    return WriteDocument(document, document->PathName());
}

bool DocumentManager::SaveAs(CVexilDoc* document) {
    QString suggested = document->PathName();
    if (suggested.isEmpty()) suggested = document->Title() + QStringLiteral(".pgn");
    const QString path = Prompts().AskSaveFileName(suggested);
    if (path.isEmpty()) return false;
    return WriteDocument(document, path);
}

bool DocumentManager::SaveModified(CVexilDoc* document) {
    if (!document->IsModified()) return true;
    switch (Prompts().AskSaveChanges(document->Title())) {
        case UserPrompts::SaveAnswer::Yes: return Save(document);
        case UserPrompts::SaveAnswer::No: return true;
        case UserPrompts::SaveAnswer::Cancel: return false;
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

bool DocumentManager::CloseAll() {
    for (CVexilDoc* document : m_documents)
        if (!SaveModified(document)) return false;
    m_closingAll = true;
    for (CChildFrame* frame : QList<CChildFrame*>(m_frames)) frame->close();
    m_closingAll = false;
    return true;
}

CChildFrame* DocumentManager::NewWindow(CVexilDoc* document) { return CreateFrame(document); }

CChildFrame* DocumentManager::CreateFrame(CVexilDoc* document) {
    auto* frame = new CChildFrame(document, this);
    m_frames.append(frame);
    connect(frame, &QObject::destroyed, this, [this, frame] { FrameClosed(frame); });
    m_area->addSubWindow(frame);
    frame->View()->OnInitialUpdate();
    UpdateTitles(document);
    frame->show();
    // The normal board keeps the window's first size; a larger one needs more.
    if (frame->View()->SquareSize() != CVexilView::kNormalSquare) frame->ShowWholeForm();
    m_area->setActiveSubWindow(frame);
    m_lastActive = frame;
    return frame;
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
    return QStringLiteral("%1:%2").arg(title).arg(frames.indexOf(const_cast<CChildFrame*>(frame)) + 1);
}

void DocumentManager::UpdateTitles(const CVexilDoc* document) {
    for (CChildFrame* frame : Frames(document)) frame->setWindowTitle(FrameTitle(frame));
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
