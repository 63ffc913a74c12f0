#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <vector>

#include "GameIndex.h"

// The games of a file as the rows of the "Select Game" table, filtered and
// sorted in place: the filter looks through texts lowered once, so a
// keystroke stays quick on a list of thousands.
class GameListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, White, Black, Result, Date, Event, Moves, ColumnCount };

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
    struct Row {
        std::array<QString, ColumnCount> cells;
        QString lowered;  // White, Black and Event, for the filter
        int plies = 0;
        QString problem;
    };
    bool Before(int a, int b) const;
    void Refilter();

    std::vector<Row> m_rows;
    std::vector<int> m_order;  // every row, sorted
    std::vector<int> m_shown;  // the rows the filter keeps, in that order
    QString m_filter;
    int m_sortColumn = Number;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
