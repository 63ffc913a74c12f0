#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "UserPrompts.h"

class ByteLimitedLineEdit;
class QAbstractButton;
class QComboBox;
class QPushButton;
class QTableWidget;

// "Game Header Information": the seven tags, each typed up to 245 bytes.
// OK takes the fields from the top down and stops, with a message, at one
// that is too long (a longer tag read from a file); Cancel takes nothing.
// The Result is chosen, not typed: a game ends in one of four results, and
// a typed one the movetext cannot end with would be lost on export. A
// file's other value is offered besides them, so OK keeps it.
// Below them, every other tag of the game is a row of a name (the common
// ones offered) and a value; OK takes the rows only when each is sound,
// else says why and stays open at the row at fault.
class CHeaderInfoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFieldLimit = 245;

    explicit CHeaderInfoDlg(QWidget* parent = nullptr);
    void SetFields(const std::array<QString, 7>& tags);
    // The tags are stored in 8-bit text: a character counts one byte.
    void SetEightBit(bool eightBit);
    // The dialog's fields: m_event to m_result.
    std::array<QString, 7> Fields() const {
        return {m_event, m_site, m_date, m_round, m_white, m_black, m_result};
    }
    // The boxes of the tags Event to Black, 0 to 5.
    ByteLimitedLineEdit* Field(int index) const { return m_edits[index]; }
    QComboBox* ResultBox() const { return m_resultBox; }
    void SetOtherTags(const std::vector<UserPrompts::TagRow>& rows);
    // The rows OK took, or those the dialog was given.
    std::vector<UserPrompts::TagRow> OtherTags() const { return m_otherTags; }
    // A new empty row, its name box given the focus.
    void AddTagRow(const QString& name = QString(), const QString& value = QString());
    int TagRowCount() const;
    QComboBox* TagNameBox(int row) const;
    ByteLimitedLineEdit* TagValueBox(int row) const;
    QAbstractButton* RemoveTagButton(int row) const;
    QPushButton* AddTagButton() const { return m_addTag; }
    void accept() override;

    QString m_event, m_site, m_date, m_round, m_white, m_black, m_result;

private:
    QString* Member(int index);
    // Every row is sound (else it says so, and focuses the row): stores them.
    bool TakeOtherTags();
    std::array<ByteLimitedLineEdit*, 6> m_edits{};
    QComboBox* m_resultBox = nullptr;
    bool m_eightBit = false;
    QTableWidget* m_tagTable = nullptr;
    QPushButton* m_addTag = nullptr;
    std::vector<UserPrompts::TagRow> m_otherTags;
};
