#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include "CMainFrame.h"
#include "CVexilView.h"
#include "DocumentManager.h"
#include "GameClipboardText.h"

// Games in and out as text: Paste Game, Copy Game, Copy Position, and what
// is dropped on the window. The note box's Cut, Copy and Paste are the view's.

namespace {

// The local files a drop brings; empty when it brings something else.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files.append(url.toLocalFile());
    return files;
}

}  // namespace

void CMainFrame::OnPasteGame() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    m_documents->OpenText(clipboard != nullptr ? clipboard->text() : QString());
}

void CMainFrame::OnCopyGame() {
    CVexilView* view = ActiveView();
    if (view == nullptr) return;
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(CopiedGameText(view->WholeGame())));
}

void CMainFrame::OnCopyPosition() {
    CVexilView* view = ActiveView();
    if (view == nullptr) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(view->Game().MakeFullFen()));
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!DroppedFiles(data).isEmpty() || data->hasText()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    const QStringList files = DroppedFiles(data);
    event->acceptProposedAction();
    // Opened after the drop has ended, so a question or a list of games does
    // not hold the program that dragged.
    if (!files.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this, files] { OpenFiles(files); }, Qt::QueuedConnection);
    } else if (data->hasText()) {
        const QString text = data->text();
        QMetaObject::invokeMethod(
            this, [this, text] { m_documents->OpenText(text); }, Qt::QueuedConnection);
    }
}

void CMainFrame::OpenFiles(const QStringList& files) {
    for (const QString& file : files) {
        m_documents->OpenDocument(file);
        // Cancel in the list of one file stops the rest as well.
        if (m_documents->OpenCancelled()) break;
    }
}
