#include "CHeaderInfoDlg.h"

#include <QLabel>
#include <QPushButton>

#include "ByteLimitedLineEdit.h"
#include "DialogUnits.h"
#include "UserPrompts.h"

CHeaderInfoDlg::CHeaderInfoDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate& form = layout::kHeaderDialog;
    const DialogUnits units(font());
    setWindowTitle(QString::fromLatin1(form.caption));
    setFixedSize(units.Size(form));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    PlaceItem(ok, *form.Find(1), units);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    PlaceItem(cancel, *form.Find(2), units);
    connect(ok, &QPushButton::clicked, this, &CHeaderInfoDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    static const char* const kLabels[7] = {"Event:", "Site:",  "Date:",  "Round:",
                                           "White:", "Black:", "Result:"};
    QWidget* previous = cancel;
    setTabOrder(ok, cancel);
    for (int i = 0; i < 7; ++i) {
        PlaceItem(new QLabel(QString::fromLatin1(kLabels[i]), this), *form.FindLabel(kLabels[i]),
                  units);
        m_edits[i] = new ByteLimitedLineEdit(kFieldLimit, this);
        PlaceItem(m_edits[i], *form.Find(1023 + i), units);
        setTabOrder(previous, m_edits[i]);
        previous = m_edits[i];
    }
}

void CHeaderInfoDlg::SetEightBit(bool eightBit) {
    for (ByteLimitedLineEdit* edit : m_edits) edit->SetEightBit(eightBit);
}

QString* CHeaderInfoDlg::Member(int index) {
    QString* members[7] = {&m_event, &m_site, &m_date, &m_round, &m_white, &m_black, &m_result};
    return members[index];
}

void CHeaderInfoDlg::SetFields(const std::array<QString, 7>& tags) {
    for (int i = 0; i < 7; ++i) {
        *Member(i) = tags[static_cast<std::size_t>(i)];
        m_edits[i]->setText(tags[static_cast<std::size_t>(i)]);
    }
}

void CHeaderInfoDlg::accept() {
    for (int i = 0; i < 7; ++i) {
        *Member(i) = m_edits[i]->text();
        if (m_edits[i]->StoredSize() > kFieldLimit) {
            Prompts().Warn(QStringLiteral("Please enter no more than %1 characters.").arg(kFieldLimit));
            m_edits[i]->setFocus();
            m_edits[i]->selectAll();
            return;
        }
    }
    QDialog::accept();
}
