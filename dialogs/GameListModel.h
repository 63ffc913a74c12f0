#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <string>
#include <vector>

#include "GameIndex.h"

// The games of a file as the rows of the "Select Game" table, filtered and
// sorted in place. A row's text is made when it is shown, so a list of a
// million games costs its index and little more; the filter looks through
// texts lowered once, at the first keystroke, so each stays quick.
class GameListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, White, Black, Result, Date, Event, Moves, ColumnCount };

    // `games` must outlive the model.
    explicit GameListModel(const std::vector<IndexedGame>& games, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Keeps the rows whose White, Black or Event holds `text`, in any case.
    void SetFilter(const QString& text);
    // The game shown in `row` (its index in the list given), -1 for none.
    int GameAt(int row) const;
    // Why the game shown in `row` cannot be opened; empty when it can.
    QString ProblemAt(int row) const;

private:
    QString Cell(int game, int column) const;
    void Refilter();

    const std::vector<IndexedGame>& m_games;
    std::vector<int> m_order;  // every game, sorted
    std::vector<int> m_shown;  // the games the filter keeps, in that order
    // White, Black and Event of each game lowered, as UTF-8, one after another.
    std::string m_lowered;
    std::vector<std::size_t> m_loweredAt;
    std::string m_filter;  // lowered, as UTF-8
    int m_sortColumn = Number;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
