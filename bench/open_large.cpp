// Opening a large file of many games as File > Open does: the time until its
// listing shows progress, until the "Select Game" list shows, and the
// memory held before, while the list is open and after it closes (Cancel).
// large-file.sh makes the files.
//   open_large FILE
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "CMainFrame.h"
#include "CSelectGameDlg.h"
#include "CVexilApp.h"
#include "DocumentManager.h"
#include "QtUserPrompts.h"

namespace {

// Resident memory in MB, from /proc.
double ResidentMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

// The real windows, measured: the progress as it first shows, the list once
// shown and painted, then closed as Cancel closes it.
class MeasuredPrompts : public QtUserPrompts {
public:
    QElapsedTimer clock;
    double progressMs = -1, listMs = -1, listMb = -1, peakMb = 0;
    std::unique_ptr<Progress> ShowProgress(const QString& text, int maximum,
                                           const std::function<void()>& onCancel) override {
        if (progressMs < 0) progressMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        struct Watched : Progress {
            std::unique_ptr<Progress> shown;
            MeasuredPrompts* owner;
            void SetValue(int value) override {
                owner->peakMb = std::max(owner->peakMb, ResidentMb());
                shown->SetValue(value);
            }
        };
        auto watched = std::make_unique<Watched>();
        watched->shown = QtUserPrompts::ShowProgress(text, maximum, onCancel);
        watched->owner = this;
        return watched;
    }
    int ChooseGame(const QString& fileName, const std::vector<IndexedGame>& games) override {
        CSelectGameDlg dialog(fileName, games);
        dialog.show();
        dialog.repaint();
        QCoreApplication::processEvents();
        listMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        listMb = ResidentMb();
        peakMb = std::max(peakMb, listMb);
        std::printf("games listed           : %zu\n", games.size());
        return -1;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    CVexilApp app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_large FILE\n");
        return 2;
    }
    MeasuredPrompts prompts;
    UserPrompts* before = SetPrompts(&prompts);
    if (!app.InitInstance({})) return 1;
    QCoreApplication::processEvents();
    const double startMb = ResidentMb();
    prompts.clock.start();
    app.MainFrame()->Documents().OpenDocument(QString::fromLocal8Bit(argv[1]));
    const double openMs = static_cast<double>(prompts.clock.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    const double afterMb = ResidentMb();
    std::printf("resident before        : %8.1f MB\n", startMb);
    std::printf("progress shown after   : %8.1f ms\n", prompts.progressMs);
    std::printf("list shown after       : %8.1f ms\n", prompts.listMs);
    std::printf("resident, list open    : %8.1f MB (peak while listing %.1f MB)\n", prompts.listMb,
                prompts.peakMb);
    std::printf("list closed after      : %8.1f ms\n", openMs);
    std::printf("resident after closing : %8.1f MB (%+.1f MB)\n", afterMb, afterMb - startMb);
    SetPrompts(before);
    return 0;
}
