// The program as it starts, but with every game its command line names open
// at once, for the peak memory of several open games (startup.sh). Stays
// open until ended.
//   open_games FILE...
#include <cstdio>

#include "CMainFrame.h"
#include "CVexilApp.h"
#include "DocumentManager.h"

int main(int argc, char** argv) {
    CVexilApp app(argc, argv);
    QStringList files = app.arguments();
    files.removeFirst();
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: open_games FILE...\n");
        return 2;
    }
    if (!app.InitInstance({files.takeFirst()})) return 1;
    for (const QString& file : files)
        if (app.MainFrame()->Documents().OpenDocument(file) == nullptr) return 1;
    return app.exec();
}
