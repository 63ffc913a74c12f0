#include "StoredTextSize.h"

#include "GameTextEncoding.h"

int StoredTextSize(const QString& text, bool eightBit) {
    const auto breaks = text.count(QLatin1Char('\n'));
    return static_cast<int>(StoredSize(eightBit, text.toStdString()) + breaks);
}
