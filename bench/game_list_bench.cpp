// The "Select Game" list on a file of many games (list-vs-pgn-extract.sh
// makes one): the time to list the games, to build and show the dialog, to
// sort by each column, and to answer each keystroke in the filter box, the
// table painted again each time.
//   game_list_bench FILE [FILTER=petrosian]
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "CSelectGameDlg.h"
#include "GameIndex.h"

namespace {

double Ms(qint64 ns) { return static_cast<double>(ns) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: game_list_bench FILE [FILTER]\n");
        return 2;
    }
    const QString filter = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("petrosian");
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "game_list_bench: cannot read %s\n", argv[1]);
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    const QByteArray bytes = file.readAll();
    const qint64 read = timer.nsecsElapsed();
    const GameIndex index(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    const qint64 listed = timer.nsecsElapsed() - read;

    timer.restart();
    CSelectGameDlg dialog(QStringLiteral("games.pgn"), index.Games());
    dialog.show();
    dialog.repaint();
    QCoreApplication::processEvents();
    const qint64 shown = timer.nsecsElapsed();
    std::printf("file: %lld bytes, %zu games\n", static_cast<long long>(bytes.size()),
                index.Games().size());
    std::printf("read the file      : %8.2f ms\n", Ms(read));
    std::printf("list the games     : %8.2f ms\n", Ms(listed));
    std::printf("build and show     : %8.2f ms\n", Ms(shown));

    QTableView* table = dialog.Table();
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        timer.restart();
        table->horizontalHeader()->setSortIndicator(column, Qt::DescendingOrder);
        table->repaint();
        QCoreApplication::processEvents();
        std::printf("sort by %-10s : %8.2f ms\n",
                    qPrintable(table->model()->headerData(column, Qt::Horizontal).toString()),
                    Ms(timer.nsecsElapsed()));
    }

    // Typed, then erased, a key at a time: each keystroke until the table is painted.
    std::vector<qint64> keys;
    auto key = [&](auto press) {
        QCoreApplication::processEvents();
        timer.restart();
        press();
        dialog.repaint();
        QCoreApplication::processEvents();
        keys.push_back(timer.nsecsElapsed());
    };
    for (QChar c : filter) key([&] { QTest::keyClick(dialog.FilterBox(), c.toLatin1()); });
    const int kept = table->model()->rowCount();
    for (int i = 0; i < filter.size(); ++i)
        key([&] { QTest::keyClick(dialog.FilterBox(), Qt::Key_Backspace); });
    std::sort(keys.begin(), keys.end());
    std::printf("filter \"%s\" keeps %d rows; %zu keystrokes: median %.2f ms, worst %.2f ms\n",
                qPrintable(filter), kept, keys.size(), Ms(keys[keys.size() / 2]), Ms(keys.back()));
    return 0;
}
