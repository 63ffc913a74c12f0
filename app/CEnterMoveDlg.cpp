#include "CEnterMoveDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

CEnterMoveDlg::CEnterMoveDlg(std::function<bool(const QString&)> play, QWidget* parent)
    : QDialog(parent), m_play(std::move(play)), m_field(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Enter Move"));
    // Longer than any move text; the reading decides what it means.
    m_field->setMaxLength(16);
    m_field->setPlaceholderText(QStringLiteral("Nf3, exd6, O-O, e8=N or g1f3"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Move:"), m_field);
    form->addRow(buttons);
}

void CEnterMoveDlg::accept() {
    if (m_play(m_field->text())) {
        QDialog::accept();
        return;
    }
    m_field->setFocus();
    m_field->selectAll();
}
