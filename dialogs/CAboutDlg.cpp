#include "CAboutDlg.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "DialogUnits.h"
#include "ResourceIds.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate& form = layout::kAboutBox;
    const DialogUnits units(font());
    setWindowTitle(QString::fromLatin1(form.caption));
    setFixedSize(units.Size(form));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/pictures/app-icon.svg")).pixmap(32, 32));
    icon->move(units.X(form.Find(res::kAboutIcon)->x), units.Y(form.Find(res::kAboutIcon)->y));
    icon->resize(32, 32);
    PlaceItem(new QLabel(QStringLiteral("Chess Ravelin Version 1.10"), this),
              *form.FindLabel("Chess Ravelin Version 1.10"), units);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    PlaceItem(ok, *form.Find(1), units);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
