#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "FormLayout.h"

class QWidget;

// Converts dialog units to pixels for one font: the average width of the
// letters A-Z and a-z over 4, and the line height over 8.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const;
    int Y(int units) const;
    QRect Rect(const DialogItem& item) const;
    QSize Size(const DialogTemplate& form) const;

private:
    int m_baseX;
    int m_baseY;
};

// Puts a widget where its table entry says; a label with no size of its own
// gets its text's width and one line, and a label or radio button whose text
// needs more room than its entry gives grows to hold it.
void PlaceItem(QWidget* widget, const DialogItem& item, const DialogUnits& units);
