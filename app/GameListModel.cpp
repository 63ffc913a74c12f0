#include "GameListModel.h"

#include <QFont>
#include <QPalette>
#include <algorithm>
#include <numeric>

#include "TextEncoding.h"

namespace {
const char* const kHeaders[] = {"#", "White", "Black", "Result", "Date", "Event", "Moves"};
}

GameListModel::GameListModel(const std::vector<IndexedGame>& games, QObject* parent)
    : QAbstractTableModel(parent) {
    m_rows.reserve(games.size());
    for (std::size_t i = 0; i < games.size(); ++i) {
        const IndexedGame& game = games[i];
        auto tag = [&game](int which) {
            return QString::fromStdString(DisplayUtf8(game.tags[which]));
        };
        Row row;
        row.cells = {QString::number(i + 1),
                     tag(CGameRecord::WhiteName),
                     tag(CGameRecord::BlackName),
                     tag(CGameRecord::Result),
                     tag(CGameRecord::Date),
                     tag(CGameRecord::Event),
                     QString::number((game.plies + 1) / 2)};
        row.lowered =
            (row.cells[White] + QChar('\n') + row.cells[Black] + QChar('\n') + row.cells[Event])
                .toLower();
        row.plies = game.plies;
        row.problem = QString::fromStdString(game.problem);
        m_rows.push_back(std::move(row));
    }
    m_order.resize(m_rows.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    m_shown = m_order;
}

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int GameListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Row& row =
        m_rows[static_cast<std::size_t>(m_shown[static_cast<std::size_t>(index.row())])];
    switch (role) {
        case Qt::DisplayRole:
            return row.cells[static_cast<std::size_t>(index.column())];
        case Qt::ToolTipRole:
            return row.problem.isEmpty() ? QVariant() : row.problem;
        case Qt::TextAlignmentRole:
            return index.column() == Number || index.column() == Moves
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant();
        case Qt::ForegroundRole:
            return row.problem.isEmpty() ? QVariant()
                                         : QPalette().brush(QPalette::Disabled, QPalette::Text);
        case Qt::FontRole: {
            if (row.problem.isEmpty()) return {};
            QFont font;
            font.setItalic(true);
            return font;
        }
        default:
            return {};
    }
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(kHeaders[section]);
}

bool GameListModel::Before(int a, int b) const {
    const Row& x = m_rows[static_cast<std::size_t>(a)];
    const Row& y = m_rows[static_cast<std::size_t>(b)];
    int order = 0;
    if (m_sortColumn == Moves)
        order = x.plies - y.plies;
    else if (m_sortColumn != Number)
        order = x.cells[static_cast<std::size_t>(m_sortColumn)].compare(
            y.cells[static_cast<std::size_t>(m_sortColumn)], Qt::CaseInsensitive);
    if (order == 0) order = a - b;  // equal keys stay in file order
    return m_sortOrder == Qt::AscendingOrder ? order < 0 : order > 0;
}

void GameListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount) return;
    emit layoutAboutToBeChanged();
    // The selection follows its game to its new row.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> games;
    for (const QModelIndex& index : before) games.push_back(GameAt(index.row()));
    m_sortColumn = column;
    m_sortOrder = order;
    std::sort(m_order.begin(), m_order.end(), [this](int a, int b) { return Before(a, b); });
    Refilter();
    std::vector<int> rowOf(m_rows.size(), -1);
    for (std::size_t row = 0; row < m_shown.size(); ++row)
        rowOf[static_cast<std::size_t>(m_shown[row])] = static_cast<int>(row);
    QModelIndexList after;
    for (int i = 0; i < before.size(); ++i) {
        const int game = games[static_cast<std::size_t>(i)];
        after.append(game < 0 ? QModelIndex()
                              : index(rowOf[static_cast<std::size_t>(game)], before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void GameListModel::SetFilter(const QString& text) {
    const QString lowered = text.trimmed().toLower();
    if (lowered == m_filter) return;
    beginResetModel();
    m_filter = lowered;
    Refilter();
    endResetModel();
}

void GameListModel::Refilter() {
    m_shown.clear();
    for (int row : m_order)
        if (m_filter.isEmpty() || m_rows[static_cast<std::size_t>(row)].lowered.contains(m_filter))
            m_shown.push_back(row);
}

int GameListModel::GameAt(int row) const {
    return row >= 0 && row < rowCount() ? m_shown[static_cast<std::size_t>(row)] : -1;
}

QString GameListModel::ProblemAt(int row) const {
    const int game = GameAt(row);
    return game < 0 ? QString() : m_rows[static_cast<std::size_t>(game)].problem;
}
