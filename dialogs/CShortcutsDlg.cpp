#include "CShortcutsDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

CShortcutsDlg::CShortcutsDlg(const UserPrompts::ShortcutList& rows, QWidget* parent)
    : QDialog(parent), m_table(new QTableWidget(static_cast<int>(rows.size()), 2, this)) {
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Command"), QStringLiteral("Keys")});
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setWordWrap(false);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(rows[row].first));
        m_table->setItem(row, 1, new QTableWidgetItem(rows[row].second));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    // Wide enough for both columns; as tall as the rows, within the screen.
    const int width = m_table->horizontalHeader()->length() + 2 * m_table->frameWidth() + 48;
    const int height = m_table->horizontalHeader()->height() + m_table->verticalHeader()->length() +
                       2 * m_table->frameWidth();
    m_table->setMinimumWidth(width);
    m_table->setMinimumHeight(qMin(height, 560));
}
