#pragma once

#include <QDialog>
#include <vector>

#include "GameIndex.h"

class GameListModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// "Select Game": the games of a file in a table sortable by any column, with
// a filter on White, Black and Event. Enter or a double click opens the game
// chosen; a game that cannot be opened says why and stays.
class CSelectGameDlg : public QDialog {
    Q_OBJECT
public:
    CSelectGameDlg(const QString& fileName, const std::vector<IndexedGame>& games,
                   QWidget* parent = nullptr);

    // The index in the list given of the game chosen; -1 until one is.
    int ChosenGame() const { return m_chosen; }
    QLineEdit* FilterBox() const { return m_filter; }
    QTableView* Table() const { return m_table; }

    void accept() override;

protected:
    // The keys that move through a list move through the table from the
    // filter box, so a game is found and chosen without leaving the keyboard.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnFilterChanged(const QString& text);
    void OnCurrentChanged();

    GameListModel* m_model;
    QLineEdit* m_filter;
    QTableView* m_table;
    QLabel* m_problem;
    QPushButton* m_open;
    int m_chosen = -1;
};
