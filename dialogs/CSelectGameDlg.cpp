#include "CSelectGameDlg.h"

#include <QDialogButtonBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "GameListModel.h"

CSelectGameDlg::CSelectGameDlg(const QString& fileName, const std::vector<IndexedGame>& games,
                               QWidget* parent)
    : QDialog(parent), m_model(new GameListModel(games, this)) {
    setWindowTitle(QStringLiteral("Select Game"));
    auto* layout = new QVBoxLayout(this);
    auto* heading =
        new QLabel(QStringLiteral("%1 holds %2 games.").arg(fileName).arg(games.size()));
    heading->setTextFormat(Qt::PlainText);
    layout->addWidget(heading);

    m_filter = new QLineEdit;
    m_filter->setPlaceholderText(QStringLiteral("Filter by White, Black or Event"));
    m_filter->setClearButtonEnabled(true);
    layout->addWidget(m_filter);

    m_table = new QTableView;
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Fixed row heights: a view of thousands of rows never measures them.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* columns = m_table->horizontalHeader();
    int widths[] = {50, 170, 170, 60, 90, 200, 60};
    // The "#" column holds the largest number whole, beside the sort mark.
    widths[GameListModel::Number] = std::max(
        widths[GameListModel::Number],
        fontMetrics().horizontalAdvance(QString::number(games.size())) + 40);
    for (int column = 0; column < GameListModel::ColumnCount; ++column)
        columns->resizeSection(column, widths[column]);
    columns->setSectionResizeMode(GameListModel::Event, QHeaderView::Stretch);
    columns->setSortIndicator(GameListModel::Number, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    layout->addWidget(m_table);

    m_problem = new QLabel;
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    layout->addWidget(m_problem);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    m_open = buttons->button(QDialogButtonBox::Open);
    m_open->setDefault(true);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectGameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSelectGameDlg::reject);
    connect(m_table, &QTableView::doubleClicked, this, &CSelectGameDlg::accept);
    connect(m_filter, &QLineEdit::textChanged, this, &CSelectGameDlg::OnFilterChanged);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CSelectGameDlg::OnCurrentChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (m_model->rowCount() > 0) m_table->selectRow(0);
        OnCurrentChanged();
    });
    if (m_model->rowCount() > 0) m_table->selectRow(0);
    OnCurrentChanged();
    m_filter->installEventFilter(this);
    m_filter->setFocus();
    resize(900, 520);
}

bool CSelectGameDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QCoreApplication::sendEvent(m_table, event);
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CSelectGameDlg::OnFilterChanged(const QString& text) {
    m_model->SetFilter(text);
}

void CSelectGameDlg::OnCurrentChanged() {
    const int row = m_table->currentIndex().isValid() ? m_table->currentIndex().row() : -1;
    const QString problem = m_model->ProblemAt(row);
    m_problem->setText(problem.isEmpty() ? QString()
                                         : QStringLiteral("Game %1 cannot be opened: %2")
                                               .arg(m_model->GameAt(row) + 1)
                                               .arg(problem));
    m_open->setEnabled(row >= 0 && problem.isEmpty());
}

void CSelectGameDlg::accept() {
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid() || !m_model->ProblemAt(current.row()).isEmpty()) return;
    m_chosen = m_model->GameAt(current.row());
    QDialog::accept();
}
