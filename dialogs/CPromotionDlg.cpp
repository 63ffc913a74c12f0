#include "CPromotionDlg.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "DialogUnits.h"
#include "PieceTypes.h"
#include "ResourceIds.h"

CPromotionDlg::CPromotionDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate& form = layout::kPromotionDialog;
    const DialogUnits units(font());
    setWindowTitle(QString::fromLatin1(form.caption));
    auto* text = new QLabel(tr("Indicate piece to promote to, then click OK."), this);
    PlaceItem(text, form.items[0], units);
    // The instruction may be wider than its entry in the desktop's font: the
    // dialog grows to keep the same margin after it.
    const int textRight = text->geometry().right() + 1 + units.X(form.items[0].x);
    setFixedSize(units.Size(form).expandedTo(QSize(textRight, 0)));
    auto* group = new QGroupBox(this);
    PlaceItem(group, *form.Find(0), units);
    const int ids[4] = {res::kPromoteQueen, res::kPromoteKnight, res::kPromoteRook,
                        res::kPromoteBishop};
    for (int i = 0; i < 4; ++i) {
        const DialogItem& item = *form.Find(ids[i]);
        m_buttons[i] = new QRadioButton(QString::fromLatin1(item.text), this);
        PlaceItem(m_buttons[i], item, units);
        m_buttons[i]->raise();
    }
    auto* ok = new QPushButton(tr("OK"), this);
    PlaceItem(ok, *form.Find(1), units);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

int CPromotionDlg::exec() {
    m_choice = 0;
    m_buttons[m_choice]->setChecked(true);
    const int result = QDialog::exec();
    if (result != QDialog::Accepted) m_choice = -1;
    return result;
}

void CPromotionDlg::accept() {
    for (int i = 0; i < 4; ++i)
        if (m_buttons[i]->isChecked()) m_choice = i;
    QDialog::accept();
}

int CPromotionDlg::ChosenPiece() const {
    static const int kPieces[4] = {Queen, Knight, Rook, Bishop};
    return m_choice >= 0 && m_choice < 4 ? kPieces[m_choice] : NoPiece;
}
