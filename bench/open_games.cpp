// The program as it starts, but with every game its command line names open
// at once, for the peak memory of several open games (startup.sh). Stays
// open until ended. With --heap it prints instead the heap each game's
// document took (the allocator's bytes in use before and after opening it,
// the game's notes apart) and ends.
//   open_games [--heap] FILE...
#include <malloc.h>

#include <QCoreApplication>
#include <cstdio>

#include "CMainFrame.h"
#include "CVexilApp.h"
#include "CVexilDoc.h"
#include "DocumentManager.h"

namespace {

std::size_t HeapInUse() { return mallinfo2().uordblks; }

std::size_t NoteBytes(const CGameRecord& game) {
    std::size_t bytes = game.m_startNote.capacity();
    for (int ply = 0; ply < game.m_plyCount; ++ply) bytes += game.m_ply[ply].note.capacity();
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    CVexilApp app(argc, argv);
    QStringList files = app.arguments();
    files.removeFirst();
    const bool heap = !files.isEmpty() && files.first() == QStringLiteral("--heap");
    if (heap) files.removeFirst();
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: open_games [--heap] FILE...\n");
        return 2;
    }
    if (!heap) {
        if (!app.InitInstance({files.takeFirst()})) return 1;
        for (const QString& file : files)
            if (app.MainFrame()->Documents().OpenDocument(file) == nullptr) return 1;
        return app.exec();
    }
    if (!app.InitInstance({})) return 1;
    QCoreApplication::processEvents();
    std::size_t total = 0, notes = 0;
    for (const QString& file : files) {
        std::size_t alone = 0;
        {
            // The document by itself, no window: its record and its history.
            const std::size_t before = HeapInUse();
            CVexilDoc document;
            if (!document.Load(file).Loaded()) return 1;
            alone = HeapInUse() - before;
        }
        const std::size_t before = HeapInUse();
        CVexilDoc* document = app.MainFrame()->Documents().OpenDocument(file);
        if (document == nullptr) return 1;
        QCoreApplication::processEvents();
        const std::size_t grew = HeapInUse() - before;
        const std::size_t own = NoteBytes(document->Game());
        std::printf("%8zu bytes with its window, %7zu alone, notes %7zu, plies %3d  %s\n", grew,
                    alone, own, document->Game().m_plyCount, qPrintable(file));
        total += grew;
        notes += own;
    }
    std::printf("mean heap per document beyond its notes: %.1f KB over %lld games\n",
                static_cast<double>(total - notes) / 1024 / static_cast<double>(files.size()),
                static_cast<long long>(files.size()));
    return 0;
}
