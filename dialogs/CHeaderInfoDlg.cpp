#include "CHeaderInfoDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "ByteLimitedLineEdit.h"
#include "DialogUnits.h"
#include "StoredTextSize.h"
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
        QWidget* field = nullptr;
        if (i < 6) {
            field = m_edits[i] = new ByteLimitedLineEdit(kFieldLimit, this);
        } else {
            field = m_resultBox = new QComboBox(this);
            m_resultBox->addItems({"1-0", "0-1", "1/2-1/2", "*"});
        }
        PlaceItem(field, *form.Find(1023 + i), units);
        setTabOrder(previous, field);
        previous = field;
    }
}

void CHeaderInfoDlg::SetEightBit(bool eightBit) {
    m_eightBit = eightBit;
    for (ByteLimitedLineEdit* edit : m_edits) edit->SetEightBit(eightBit);
}

QString* CHeaderInfoDlg::Member(int index) {
    QString* members[7] = {&m_event, &m_site, &m_date, &m_round, &m_white, &m_black, &m_result};
    return members[index];
}

void CHeaderInfoDlg::SetFields(const std::array<QString, 7>& tags) {
    for (int i = 0; i < 7; ++i) *Member(i) = tags[static_cast<std::size_t>(i)];
    for (int i = 0; i < 6; ++i) m_edits[i]->setText(tags[static_cast<std::size_t>(i)]);
    while (m_resultBox->count() > 4) m_resultBox->removeItem(4);
    if (m_resultBox->findText(m_result, Qt::MatchExactly) < 0) m_resultBox->addItem(m_result);
    m_resultBox->setCurrentIndex(m_resultBox->findText(m_result, Qt::MatchExactly));
}

void CHeaderInfoDlg::accept() {
    for (int i = 0; i < 7; ++i) {
        QWidget* field = i < 6 ? static_cast<QWidget*>(m_edits[i]) : m_resultBox;
        *Member(i) = i < 6 ? m_edits[i]->text() : m_resultBox->currentText();
        if (StoredTextSize(*Member(i), m_eightBit) > kFieldLimit) {
            Prompts().Warn(QStringLiteral("Please enter no more than %1 characters.").arg(kFieldLimit));
            field->setFocus();
            if (i < 6) m_edits[i]->selectAll();
            return;
        }
    }
    QDialog::accept();
}
