#include "CVexilApp.h"

int main(int argc, char** argv) {
    CVexilApp app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    if (!app.InitInstance(arguments)) return 1;
    return app.exec();
}
