#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>

#include "BoardImage.h"
#include "CMainFrame.h"
#include "CVexilDoc.h"
#include "CVexilView.h"
#include "DocumentManager.h"
#include "GameScorePrinter.h"
#include "ResourceIds.h"
#include "UserPrompts.h"

// The active game on paper and in pictures: its printed score, as a PDF, and
// the board shown as a picture.

namespace {

// The picture a first export offers; later ones offer the last answer.
int g_imagePixels = 480;
bool g_imageCoordinates = true;

// Whether `path` is the file of an open game, which a score or a picture must
// never replace; says so when it is.
bool IsOpenGameFile(DocumentManager& documents, const QString& path) {
    const QString target = CanonicalPath(path);
    for (const CVexilDoc* document : documents.Documents())
        if (!document->PathName().isEmpty() && document->PathName() == target) {
            Prompts().Warn(QStringLiteral(
                "A score or a picture cannot replace an open game's file. Choose another name."));
            return true;
        }
    return false;
}

}  // namespace

QString CMainFrame::NameBesideGame(const QString& suffix) const {
    const CVexilDoc* document = m_documents->ActiveDocument();
    if (document == nullptr) return {};
    if (document->PathName().isEmpty()) return document->Title() + suffix;
    // Game 3 of games.pgn gives games-3.pdf, a game alone game.pdf.
    const QFileInfo own(document->PathName());
    const int number = document->Place().number;
    return own.dir().filePath(own.completeBaseName() +
                              (number > 0 ? QStringLiteral("-%1").arg(number) : QString()) +
                              suffix);
}

bool CMainFrame::PrintActiveScore(QPrinter& printer) {
    CVexilView* view = ActiveView();
    return view != nullptr &&
           GameScorePrinter::Print(view->WholeGame(), Action(res::kCmdFigurines)->isChecked(),
                                   printer);
}

void CMainFrame::OnPrintScore() {
    if (ActiveView() == nullptr) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintActiveScore(printer))
        Prompts().Tell(QStringLiteral("The game score could not be printed."));
}

void CMainFrame::OnExportScorePdf() {
    CVexilView* view = ActiveView();
    if (view == nullptr) return;
    const QString path = Prompts().AskPdfFileName(NameBesideGame(QStringLiteral(".pdf")));
    if (path.isEmpty() || IsOpenGameFile(*m_documents, path)) return;
    const QString title = m_documents->FrameTitle(m_documents->ActiveFrame());
    if (!GameScorePrinter::WritePdf(view->WholeGame(), Action(res::kCmdFigurines)->isChecked(),
                                    path, title))
        Prompts().Tell(QStringLiteral("The game score could not be written to this file:\n") +
                       QDir::toNativeSeparators(path));
}

void CMainFrame::OnCopyBoardImage() {
    CVexilView* view = ActiveView();
    if (view == nullptr) return;
    QGuiApplication::clipboard()->setImage(
        BoardImage::Picture(view->Game(), g_imagePixels, view->IsFlipped(), g_imageCoordinates));
}

void CMainFrame::OnExportBoardImage() {
    CVexilView* view = ActiveView();
    if (view == nullptr) return;
    int pixels = g_imagePixels;
    bool coordinates = g_imageCoordinates;
    if (!Prompts().AskBoardImage(pixels, coordinates)) return;
    // Whatever the dialog allows, a picture no smaller than a square a pixel.
    pixels = qBound(8, pixels, 8192);
    g_imagePixels = pixels;
    g_imageCoordinates = coordinates;
    QString path = Prompts().AskImageFileName(NameBesideGame(QStringLiteral(".png")));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
    if (IsOpenGameFile(*m_documents, path)) return;
    if (!BoardImage::Write(path, view->Game(), pixels, view->IsFlipped(), coordinates))
        Prompts().Tell(QStringLiteral("The board image could not be written to this file:\n") +
                       QDir::toNativeSeparators(path));
}
