#include "CHeaderInfoDlg.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "ByteLimitedLineEdit.h"
#include "DialogUnits.h"
#include "OtherTags.h"
#include "StoredTextSize.h"
#include "UserPrompts.h"

namespace {
// The other tags' rows take this much more height, in dialog units, between
// the Result and the buttons.
constexpr int kOtherTagsHeight = 104;
constexpr int kOtherTagsTop = 138;
}  // namespace

CHeaderInfoDlg::CHeaderInfoDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate& form = layout::kHeaderDialog;
    const DialogUnits units(font());
    setWindowTitle(QString::fromLatin1(form.caption));
    setFixedSize(units.Size(form) + QSize(0, units.Y(kOtherTagsHeight)));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    PlaceItem(ok, *form.Find(1), units);
    ok->move(ok->pos() + QPoint(0, units.Y(kOtherTagsHeight)));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    PlaceItem(cancel, *form.Find(2), units);
    cancel->move(cancel->pos() + QPoint(0, units.Y(kOtherTagsHeight)));
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

    PlaceItem(new QLabel(QStringLiteral("Other tags:"), this),
              {-1, "", 10, kOtherTagsTop + 3, 60, 8}, units);
    m_addTag = new QPushButton(QStringLiteral("Add Tag"), this);
    PlaceItem(m_addTag, {-1, "", 174, kOtherTagsTop, 50, 14}, units);
    connect(m_addTag, &QPushButton::clicked, this, [this] { AddTagRow(); });
    m_tagTable = new QTableWidget(0, 3, this);
    m_tagTable->setHorizontalHeaderLabels({"Name", "Value", ""});
    m_tagTable->verticalHeader()->hide();
    m_tagTable->setSelectionMode(QAbstractItemView::NoSelection);
    m_tagTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_tagTable->setColumnWidth(0, units.X(70));
    m_tagTable->setColumnWidth(2, units.X(36));
    PlaceItem(m_tagTable, {-1, "", 10, kOtherTagsTop + 17, 265, kOtherTagsHeight - 14}, units);
    setTabOrder(previous, m_addTag);
    setTabOrder(m_addTag, m_tagTable);
}

void CHeaderInfoDlg::SetOtherTags(const std::vector<UserPrompts::TagRow>& rows) {
    m_otherTags = rows;
    m_tagTable->setRowCount(0);
    for (const auto& [name, value] : rows) AddTagRow(name, value);
}

void CHeaderInfoDlg::AddTagRow(const QString& name, const QString& value) {
    const int row = m_tagTable->rowCount();
    m_tagTable->insertRow(row);
    auto* nameBox = new QComboBox(m_tagTable);
    nameBox->setEditable(true);
    nameBox->setInsertPolicy(QComboBox::NoInsert);
    for (const char* common : kCommonTagNames) nameBox->addItem(QString::fromLatin1(common));
    nameBox->setCurrentIndex(-1);
    nameBox->setEditText(name);
    auto* valueBox = new ByteLimitedLineEdit(static_cast<int>(kMaxTagValueLength), m_tagTable);
    valueBox->SetEightBit(m_eightBit);
    valueBox->setText(value);
    auto* remove = new QToolButton(m_tagTable);
    remove->setText(QStringLiteral("Remove"));
    connect(remove, &QToolButton::clicked, this, [this, remove] {
        for (int r = 0; r < m_tagTable->rowCount(); ++r)
            if (m_tagTable->cellWidget(r, 2) == remove) m_tagTable->removeRow(r);
    });
    m_tagTable->setCellWidget(row, 0, nameBox);
    m_tagTable->setCellWidget(row, 1, valueBox);
    m_tagTable->setCellWidget(row, 2, remove);
    if (name.isEmpty()) {
        m_tagTable->scrollToBottom();
        nameBox->setFocus();
    }
}

int CHeaderInfoDlg::TagRowCount() const {
    return m_tagTable->rowCount();
}

QComboBox* CHeaderInfoDlg::TagNameBox(int row) const {
    return static_cast<QComboBox*>(m_tagTable->cellWidget(row, 0));
}

ByteLimitedLineEdit* CHeaderInfoDlg::TagValueBox(int row) const {
    return static_cast<ByteLimitedLineEdit*>(m_tagTable->cellWidget(row, 1));
}

QAbstractButton* CHeaderInfoDlg::RemoveTagButton(int row) const {
    return static_cast<QAbstractButton*>(m_tagTable->cellWidget(row, 2));
}

bool CHeaderInfoDlg::TakeOtherTags() {
    std::vector<UserPrompts::TagRow> rows;
    std::vector<TagPair> before, after;
    for (const auto& [name, value] : m_otherTags)
        before.emplace_back(name.toStdString(), value.toStdString());
    for (int row = 0; row < TagRowCount(); ++row) {
        rows.emplace_back(TagNameBox(row)->currentText().trimmed(), TagValueBox(row)->text());
        after.emplace_back(rows.back().first.toStdString(), rows.back().second.toStdString());
    }
    std::size_t at = 0;
    const TagRefusal refusal = CheckOtherTags(
        before, after,
        [this](const std::string& value) {
            return StoredTextSize(QString::fromStdString(value), m_eightBit);
        },
        at);
    if (refusal == TagRefusal::None) {
        m_otherTags = rows;
        return true;
    }
    Prompts().Warn(
        QString::fromStdString(TagRefusalSentence(refusal, after[at < after.size() ? at : 0])));
    const int row = static_cast<int>(at);
    const bool inValue = refusal == TagRefusal::ValueTooLong ||
                         refusal == TagRefusal::ValueLineBreak ||
                         refusal == TagRefusal::NotStandard;
    if (row < TagRowCount()) {
        QWidget* box = inValue ? static_cast<QWidget*>(TagValueBox(row)) : TagNameBox(row);
        m_tagTable->scrollTo(m_tagTable->model()->index(row, 0));
        box->setFocus();
        if (inValue)
            TagValueBox(row)->selectAll();
        else
            TagNameBox(row)->lineEdit()->selectAll();
    }
    return false;
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
            Prompts().Warn(
                QStringLiteral("Please enter no more than %1 characters.").arg(kFieldLimit));
            field->setFocus();
            if (i < 6) m_edits[i]->selectAll();
            return;
        }
    }
    if (!TakeOtherTags()) return;
    QDialog::accept();
}
