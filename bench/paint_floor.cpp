// The least Qt Widgets program that shows a main window and paints it: the
// floor under the program's start-up on the same machine and platform
// (startup.sh). Prints "first-paint MS" on standard error as the program
// does when RAVELIN_REPORT_FIRST_PAINT is set.
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPainter>
#include <QTimer>
#include <cstdio>

namespace {

const QElapsedTimer g_sinceStart = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
}();

class Page : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawText(20, 20, QStringLiteral("Ravelin"));
        static bool reported = false;
        if (reported) return;
        reported = true;
        QTimer::singleShot(0, [] {
            std::fprintf(stderr, "first-paint %.2f\n",
                         static_cast<double>(g_sinceStart.nsecsElapsed()) / 1e6);
        });
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new Page);
    window.resize(640, 480);
    window.show();
    return app.exec();
}
