#include "DialogUnits.h"

#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

namespace {
int MulDiv(int value, int numerator, int denominator) {
    return (value * numerator + denominator / 2) / denominator;
}
}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    m_baseY = metrics.height();
    if (m_baseX < 1) m_baseX = 1;
    if (m_baseY < 1) m_baseY = 1;
}

int DialogUnits::X(int units) const { return MulDiv(units, m_baseX, 4); }
int DialogUnits::Y(int units) const { return MulDiv(units, m_baseY, 8); }

QRect DialogUnits::Rect(const DialogItem& item) const {
    return QRect(X(item.x), Y(item.y), X(item.width), Y(item.height));
}

QSize DialogUnits::Size(const DialogTemplate& form) const {
    return QSize(X(form.width), Y(form.height));
}

void PlaceItem(QWidget* widget, const DialogItem& item, const DialogUnits& units) {
    QRect rect = units.Rect(item);
    if (item.width == 0 || item.height == 0)
        rect.setSize(widget->sizeHint());
    else if (qobject_cast<QLabel*>(widget) || qobject_cast<QRadioButton*>(widget))
        rect.setSize(rect.size().expandedTo(widget->sizeHint()));  // whole text in any font
    widget->setGeometry(rect);
}
