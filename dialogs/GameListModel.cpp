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
    : QAbstractTableModel(parent), m_games(games) {
    m_order.resize(m_games.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    m_shown = m_order;
}

QString GameListModel::Cell(int game, int column) const {
    const IndexedGame& listed = m_games[static_cast<std::size_t>(game)];
    auto tag = [&listed](int which) {
        return QString::fromStdString(DisplayUtf8(std::string(listed.Tag(which))));
    };
    switch (column) {
        case Number:
            return QString::number(game + 1);
        case White:
            return tag(CGameRecord::WhiteName);
        case Black:
            return tag(CGameRecord::BlackName);
        case Result:
            return tag(CGameRecord::Result);
        case Date:
            return tag(CGameRecord::Date);
        case Event:
            return tag(CGameRecord::Event);
        case Moves:
            return QString::number((listed.plies + 1) / 2);
        default:
            return {};
    }
}

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int GameListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int game = m_shown[static_cast<std::size_t>(index.row())];
    const bool refused = !m_games[static_cast<std::size_t>(game)].problem.empty();
    switch (role) {
        case Qt::DisplayRole:
            return Cell(game, index.column());
        case Qt::ToolTipRole:
            return refused ? QVariant(ProblemAt(index.row())) : QVariant();
        case Qt::TextAlignmentRole:
            return index.column() == Number || index.column() == Moves
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant();
        case Qt::ForegroundRole:
            return refused ? QPalette().brush(QPalette::Disabled, QPalette::Text) : QVariant();
        case Qt::FontRole: {
            if (!refused) return {};
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

void GameListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount) return;
    emit layoutAboutToBeChanged();
    // The selection follows its game to its new row.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> games;
    for (const QModelIndex& index : before) games.push_back(GameAt(index.row()));
    m_sortColumn = column;
    m_sortOrder = order;
    // The column's texts are made once for the sort, not at each comparison.
    std::vector<QString> keys;
    if (column != Number && column != Moves) {
        keys.reserve(m_games.size());
        for (std::size_t game = 0; game < m_games.size(); ++game)
            keys.push_back(Cell(static_cast<int>(game), column));
    }
    auto compare = [&](int a, int b) {
        if (column == Moves)
            return m_games[static_cast<std::size_t>(a)].plies -
                   m_games[static_cast<std::size_t>(b)].plies;
        if (column == Number) return 0;
        return keys[static_cast<std::size_t>(a)].compare(keys[static_cast<std::size_t>(b)],
                                                         Qt::CaseInsensitive);
    };
    std::sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        int sign = compare(a, b);
        if (sign == 0) sign = a - b;  // equal keys stay in file order
        return order == Qt::AscendingOrder ? sign < 0 : sign > 0;
    });
    Refilter();
    std::vector<int> rowOf(m_games.size(), -1);
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
    const std::string lowered = text.trimmed().toLower().toStdString();
    if (lowered == m_filter) return;
    beginResetModel();
    m_filter = lowered;
    if (!m_filter.empty() && m_loweredAt.empty()) {
        // UTF-8 keeps a lowered text's characters whole, so a match of bytes
        // is a match of characters.
        m_loweredAt.reserve(m_games.size() + 1);
        for (std::size_t game = 0; game < m_games.size(); ++game) {
            m_loweredAt.push_back(m_lowered.size());
            const int row = static_cast<int>(game);
            m_lowered +=
                (Cell(row, White) + QChar('\n') + Cell(row, Black) + QChar('\n') + Cell(row, Event))
                    .toLower()
                    .toStdString();
        }
        m_loweredAt.push_back(m_lowered.size());
    }
    Refilter();
    endResetModel();
}

void GameListModel::Refilter() {
    m_shown.clear();
    const std::string_view all(m_lowered);
    for (int game : m_order) {
        const auto at = static_cast<std::size_t>(game);
        if (m_filter.empty() ||
            all.substr(m_loweredAt[at], m_loweredAt[at + 1] - m_loweredAt[at]).find(m_filter) !=
                std::string_view::npos)
            m_shown.push_back(game);
    }
}

int GameListModel::GameAt(int row) const {
    return row >= 0 && row < rowCount() ? m_shown[static_cast<std::size_t>(row)] : -1;
}

QString GameListModel::ProblemAt(int row) const {
    const int game = GameAt(row);
    if (game < 0) return {};
    const std::string_view problem = m_games[static_cast<std::size_t>(game)].problem;
    return QString::fromUtf8(problem.data(), static_cast<qsizetype>(problem.size()));
}
