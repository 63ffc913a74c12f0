#pragma once

#include <QDialog>
#include <array>

class ByteLimitedLineEdit;
class QComboBox;

// "Game Header Information": the seven tags, each typed up to 245 bytes.
// OK takes the fields from the top down and stops, with a message, at one
// that is too long (a longer tag read from a file); Cancel takes nothing.
// The Result is chosen, not typed: a game ends in one of four results, and
// a typed one the movetext cannot end with would be lost on export. A
// file's other value is offered besides them, so OK keeps it.
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
    void accept() override;

    QString m_event, m_site, m_date, m_round, m_white, m_black, m_result;

private:
    QString* Member(int index);
    std::array<ByteLimitedLineEdit*, 6> m_edits{};
    QComboBox* m_resultBox = nullptr;
    bool m_eightBit = false;
};
