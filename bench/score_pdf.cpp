// The printed score as a PDF: the time to write the heaviest game's (300
// plies, a 4096-character note on every ply and at the start), median of
// several runs, or one game read from a file, for a picture of its page.
//   score_pdf [--runs N] OUT.pdf            the heaviest game
//   score_pdf [--figurines] OUT.pdf GAME.pgn
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "GameScorePrinter.h"
#include "LongGame.h"
#include "PgnReader.h"
#include "Resources.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InitRavelinResources();
    QStringList args = app.arguments();
    args.removeFirst();
    int runs = 5;
    bool figurines = false;
    if (args.size() >= 2 && args[0] == QStringLiteral("--runs")) {
        runs = std::max(1, args[1].toInt());
        args = args.mid(2);
    }
    if (!args.isEmpty() && args[0] == QStringLiteral("--figurines")) {
        figurines = true;
        args.removeFirst();
    }
    if (args.isEmpty()) {
        std::fprintf(stderr,
                     "usage: score_pdf [--runs N] OUT.pdf | [--figurines] OUT.pdf GAME.pgn\n");
        return 2;
    }
    std::unique_ptr<CGameRecord> game;
    if (args.size() > 1) {
        QFile file(args[1]);
        if (!file.open(QIODevice::ReadOnly)) return 1;
        game = std::make_unique<CGameRecord>();
        game->SetStartPosition();
        ReadPgnFromString(file.readAll().toStdString(), *game);
        runs = 1;
    } else {
        game = BuildLongGame(true);
        if (!game) return 1;
    }
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!GameScorePrinter::WritePdf(*game, figurines, args[0], QStringLiteral("Score")))
            return 1;
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("score-pdf %.1f ms (median of %d), %lld bytes\n", times[times.size() / 2], runs,
                static_cast<long long>(QFileInfo(args[0]).size()));
    return 0;
}
