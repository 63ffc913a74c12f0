#include "CEnterMoveDlg.h"

#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace {
// The blank a line edit keeps on each side of its text, besides its margins.
constexpr int kLineEditTextMargin = 2;
}  // namespace

CEnterMoveDlg::CEnterMoveDlg(std::function<bool(const QString&)> play, QWidget* parent)
    : QDialog(parent), m_play(std::move(play)), m_field(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Enter Move"));
    // Longer than any move text; the reading decides what it means.
    m_field->setMaxLength(16);
    m_field->setPlaceholderText(QStringLiteral("Nf3, exd6, O-O, e8=N or g1f3"));
    // Wide enough for the whole hint: the text, the box's own margins and frame.
    QStyleOptionFrame frame;
    frame.initFrom(m_field);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, m_field);
    const QMargins margins = m_field->textMargins();
    // Measured in fractions, as the box lays the text out: a rounded width
    // can fall short of it and cut the last letters.
    const qreal textWidth =
        QFontMetricsF(m_field->font()).horizontalAdvance(m_field->placeholderText());
    const int hint = static_cast<int>(std::ceil(textWidth)) + 1 + margins.left() +
                     margins.right() + 2 * kLineEditTextMargin;
    const QSize text(hint, m_field->fontMetrics().height());
    m_field->setMinimumWidth(
        style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, m_field).width());
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
