#include "CStartPositionDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const char* const kRightNames[4] = {"White O-O", "White O-O-O", "Black O-O", "Black O-O-O"};
const char kNoTarget[] = "none";
}  // namespace

CStartPositionDlg::CStartPositionDlg(const StartChoices& choices, QWidget* parent)
    : QDialog(parent), m_choices(choices) {
    setWindowTitle(QStringLiteral("Starting Position"));
    auto* form = new QVBoxLayout(this);

    auto* sideBox = new QGroupBox(QStringLiteral("Side to move"), this);
    auto* sideRow = new QHBoxLayout(sideBox);
    auto* sides = new QButtonGroup(this);
    const char* const sideNames[2] = {"&White", "&Black"};
    for (int side = 0; side < 2; ++side) {
        m_sides[side] = new QRadioButton(QString::fromLatin1(sideNames[side]), sideBox);
        sides->addButton(m_sides[side], side);
        sideRow->addWidget(m_sides[side]);
    }
    m_sides[choices.side == Black ? 1 : 0]->setChecked(true);
    form->addWidget(sideBox);

    auto* castlingBox = new QGroupBox(QStringLiteral("Castling rights"), this);
    auto* castlingGrid = new QFormLayout(castlingBox);
    for (int right = 0; right < 4; ++right) {
        m_castling[right] = new QCheckBox(QString::fromLatin1(kRightNames[right]), castlingBox);
        m_castling[right]->setChecked(choices.castling[right] && choices.castlingAllowed[right]);
        // A king or rook away from home has no right to give.
        m_castling[right]->setEnabled(choices.castlingAllowed[right]);
        castlingGrid->addRow(m_castling[right]);
    }
    form->addWidget(castlingBox);

    auto* numbers = new QFormLayout;
    m_enPassant = new QComboBox(this);
    numbers->addRow(QStringLiteral("&En passant target:"), m_enPassant);
    m_moveNumber = new QSpinBox(this);
    m_moveNumber->setRange(1, CGameRecord::kMaxFenMoveNumber);
    m_moveNumber->setValue(choices.moveNumber);
    numbers->addRow(QStringLiteral("&Move number:"), m_moveNumber);
    form->addLayout(numbers);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addWidget(buttons);

    ListTargets();
    const int chosen = m_enPassant->findText(QString::fromStdString(choices.enPassant));
    if (chosen > 0) m_enPassant->setCurrentIndex(chosen);
    connect(sides, &QButtonGroup::idClicked, this, [this] { ListTargets(); });
    // Wide enough that the caption shows whole beside the title bar's buttons.
    const int caption = fontMetrics().horizontalAdvance(windowTitle()) * 3 / 2 + 120;
    setFixedSize(sizeHint().expandedTo(QSize(caption, 0)));
}

void CStartPositionDlg::ListTargets() {
    const int side = m_sides[1]->isChecked() ? Black : White;
    const QString kept = m_enPassant->currentText();
    m_enPassant->clear();
    m_enPassant->addItem(QString::fromLatin1(kNoTarget));
    for (const std::string& target : m_choices.enPassantFor[side])
        m_enPassant->addItem(QString::fromStdString(target));
    m_enPassant->setCurrentIndex(qMax(0, m_enPassant->findText(kept)));
    m_enPassant->setEnabled(m_enPassant->count() > 1);
}

StartChoices CStartPositionDlg::Choices() const {
    StartChoices choices = m_choices;
    choices.side = m_sides[1]->isChecked() ? Black : White;
    for (int right = 0; right < 4; ++right)
        choices.castling[right] = choices.castlingAllowed[right] && m_castling[right]->isChecked();
    choices.enPassant = m_enPassant->currentIndex() > 0 ? m_enPassant->currentText().toStdString()
                                                        : std::string();
    choices.moveNumber = m_moveNumber->value();
    return choices;
}
