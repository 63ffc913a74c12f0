#include "CSetupPieceDlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "DialogUnits.h"

CSetupPieceDlg::CSetupPieceDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate& form = layout::kSetupPieceDialog;
    const DialogUnits units(font());
    setWindowTitle(QString::fromLatin1(form.caption));
    setFixedSize(units.Size(form));

    for (int id : {1035, 1042}) {
        auto* group = new QGroupBox(QString::fromLatin1(form.Find(id)->text), this);
        PlaceItem(group, *form.Find(id), units);
    }
    auto* colors = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        m_colors[i] = new QRadioButton(QString::fromLatin1(form.Find(1033 + i)->text), this);
        PlaceItem(m_colors[i], *form.Find(1033 + i), units);
        colors->addButton(m_colors[i], i);
    }
    auto* pieces = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        m_pieces[i] = new QRadioButton(QString::fromLatin1(form.Find(1036 + i)->text), this);
        PlaceItem(m_pieces[i], *form.Find(1036 + i), units);
        pieces->addButton(m_pieces[i], i);
    }
    auto makeButton = [&](int id) {
        auto* button = new QPushButton(QString::fromLatin1(form.Find(id)->text), this);
        PlaceItem(button, *form.Find(id), units);
        return button;
    };
    connect(makeButton(1043), &QPushButton::clicked, this, [this] { CloseWith(kEmptySquare); });
    connect(makeButton(1044), &QPushButton::clicked, this, [this] { CloseWith(kClearBoard); });
    QPushButton* ok = makeButton(1);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSetupPieceDlg::accept);
    connect(makeButton(2), &QPushButton::clicked, this, &CSetupPieceDlg::reject);
}

int CSetupPieceDlg::exec() {
    if (m_pieceChoice >= 0 && m_pieceChoice < 6) m_pieces[m_pieceChoice]->setChecked(true);
    if (m_colorChoice >= 0 && m_colorChoice < 2) m_colors[m_colorChoice]->setChecked(true);
    return QDialog::exec();
}

void CSetupPieceDlg::accept() {
    for (int i = 0; i < 6; ++i)
        if (m_pieces[i]->isChecked()) m_pieceChoice = i;
    for (int i = 0; i < 2; ++i)
        if (m_colors[i]->isChecked()) m_colorChoice = i;
    QDialog::accept();
}

void CSetupPieceDlg::reject() {
    m_pieceChoice = m_colorChoice = kCancelled;
    QDialog::reject();
}

void CSetupPieceDlg::CloseWith(int code) {
    m_pieceChoice = m_colorChoice = code;
    QDialog::done(QDialog::Accepted);
}
