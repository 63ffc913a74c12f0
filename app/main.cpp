#include "CVexilApp.h"
#include "StartupWarmUp.h"

int main(int argc, char** argv) {
    CVexilApp app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    {
        // Done long before the first window is up; joined before the event loop starts.
        StartupWarmUp warmUp;
        if (!app.InitInstance(arguments)) return 1;
    }
    return app.exec();
}
