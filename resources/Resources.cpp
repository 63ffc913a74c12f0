#include "Resources.h"

#include <QtGlobal>

void InitRavelinResources() {
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(help);
}
