#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "AnnotationEdit.h"
#include "CVexilView.h"
#include "ClipboardText.h"
#include "GameTextEncoding.h"
#include "HeaderSummary.h"
#include "MoveListDelegate.h"
#include "MoveListNotes.h"
#include "NoteCommands.h"
#include "TextEncoding.h"
#include "TextField.h"
#include "UserPrompts.h"

// The note box, the header and what goes to the clipboard.

namespace {

const char kTooLong[] = "Please enter no more than %1 characters.";

}  // namespace

void CVexilView::Push() {
    // The words may take what the note's commands leave of its room.
    const int line = CurrentLine();
    const std::string note = line >= 0 ? NoteOfLine(*m_game, line) : std::string();
    const std::size_t commands = WithWords(note, "x").size() - 1;
    static_cast<AnnotationEdit*>(m_annotationBox)
        ->SetLimit(static_cast<int>(CGameRecord::kMaxNoteLength -
                                    std::min(commands, CGameRecord::kMaxNoteLength)));
    m_pushing = true;
    if (m_annotationBox->toPlainText() != m_annotation) m_annotationBox->setPlainText(m_annotation);
    if (m_headerBox->toPlainText() != m_headerText) m_headerBox->setPlainText(m_headerText);
    m_pushing = false;
}

bool CVexilView::Pull() {
    m_annotation = m_annotationBox->toPlainText();
    m_headerText = m_headerBox->toPlainText();
    const std::size_t limit = CGameRecord::kMaxNoteLength;
    if (NoteBytes(m_annotation).size() <= limit) return true;
    Prompts().Warn(QString::fromLatin1(kTooLong).arg(limit));
    m_annotationBox->setFocus();
    m_annotationBox->selectAll();
    return false;
}

// Notes keep CR LF line breaks, as the file writes them; the box shows LF.
QString CVexilView::NoteText(const std::string& bytes) const {
    QString text = GameText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string CVexilView::NoteBytes(const QString& text) {
    QString withBreaks = text;
    withBreaks.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return EncodeUserText(*m_game, withBreaks.toStdString());
}

namespace {

// The first bytes of a note that fit it, never half a character or half a
// CR LF line break.
std::string CutToNote(std::string bytes) {
    bytes.resize(Utf8SafeCut(bytes, CGameRecord::kMaxNoteLength));
    if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    return bytes;
}

}  // namespace

void CVexilView::OnChangeAnnotation() {
    const bool fits = Pull();
    StoreAnnotation(fits);
}

void CVexilView::StoreAnnotation(bool fits, const char* step) {
    const std::string bytes = CutToNote(NoteBytes(m_annotation));
    // The box holds the note's words; its commands stay where they stood.
    const std::size_t kept = StoreNoteWords(*m_game, CurrentLine(), bytes);
    if (!fits || kept < bytes.size()) {
        // The note keeps what fits, and the box shows just that, selected.
        m_annotation = NoteText(bytes.substr(0, kept));
        Push();
        m_annotationBox->setFocus();
        m_annotationBox->selectAll();
    }
    // Words typed as a clock command are one: the move list shows it.
    if (const int line = CurrentLine(); line > 0)
        if (QListWidgetItem* row = m_moveList->item(RowOfLine(line)))
            row->setData(MoveListDelegate::kClockRole,
                         QString::fromStdString(MoveClockText(NoteOfLine(*m_game, line))));
    UpdateEncoding();
    const bool typed = std::strcmp(step, kNoteStep) == 0;
    PublishGame(step, typed ? "note " + std::to_string(reinterpret_cast<std::uintptr_t>(this)) +
                                  ' ' + std::to_string(m_noteSession)
                            : std::string());
}

void CVexilView::UpdateEncoding() {
    static_cast<AnnotationEdit*>(m_annotationBox)->SetEightBit(UsesWindows1252(*m_game));
}

void CVexilView::RefreshHeaderText() {
    m_headerText = GameText(BuildHeaderSummary(*m_game));
    Push();
}

void CVexilView::OnEditHeader() {
    std::array<QString, 7> shown;
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        shown[static_cast<std::size_t>(tag)] = GameText(m_game->m_tag[tag]);
    std::array<QString, 7> fields = shown;
    std::vector<UserPrompts::TagRow> shownOthers, others;
    for (const auto& [name, value] : m_game->m_keptTags)
        shownOthers.emplace_back(GameText(name), GameText(value));
    others = shownOthers;
    Prompts().EditHeader(fields, others, UsesWindows1252(*m_game));
    // Only a changed field is stored anew, so untouched tags keep their bytes.
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag) {
        const auto index = static_cast<std::size_t>(tag);
        if (fields[index] != shown[index])
            m_game->SetTag(tag, EncodeUserText(*m_game, fields[index].toStdString()));
    }
    if (others != shownOthers) {
        // A value 8-bit text cannot hold turns the whole game to UTF-8 first,
        // the rows kept as they were with it.
        for (const auto& row : others)
            if (std::find(shownOthers.begin(), shownOthers.end(), row) == shownOthers.end())
                EncodeUserText(*m_game, row.second.toStdString());
        std::vector<std::pair<std::string, std::string>> kept;
        for (const auto& row : others) {
            const auto same = std::find(shownOthers.begin(), shownOthers.end(), row);
            if (same != shownOthers.end())
                kept.push_back(
                    m_game->m_keptTags[static_cast<std::size_t>(same - shownOthers.begin())]);
            else
                kept.emplace_back(row.first.toStdString(),
                                  EncodeUserText(*m_game, row.second.toStdString()));
        }
        m_game->m_keptTags = kept;
    }
    UpdateEncoding();
    PublishGame("Header");
    RefreshHeaderText();
}

void CVexilView::PutClipboardText(const std::string& bytes) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromStdString(DisplayUtf8(bytes)));
}

void CVexilView::OnCopyRecentMoves() {
    if (!StampShownPly(*m_game, TodayText())) return;
    PutClipboardText(RecentMovesText(*m_game));
}

void CVexilView::OnCopyGameScore() {
    if (!StampShownPly(*m_game, TodayText())) return;
    PutClipboardText(GameScoreText(*m_game));
}

void CVexilView::OnEditCopy() {
    const QTextCursor cursor = m_annotationBox->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    if (start == end) return;
    Pull();
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(m_annotation.mid(start, end - start));
}

void CVexilView::OnEditCut() {
    OnEditCopy();
    const QTextCursor cursor = m_annotationBox->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    if (end == 0 || start == end) return;
    m_annotation = m_annotation.left(start) + m_annotation.mid(end);
    Push();
    QTextCursor caret = m_annotationBox->textCursor();
    caret.setPosition(start);
    m_annotationBox->setTextCursor(caret);
    // Stored at once, so a cut is never lost by moving to another line.
    StoreAnnotation(Pull(), "Cut");
    update();
}

void CVexilView::OnEditPaste() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    QString pasted = clipboard != nullptr ? clipboard->text() : QString();
    if (pasted.isEmpty()) return;  // nothing readable there: nothing changes
    // Line breaks as the box holds them; the note stores each as CR LF.
    pasted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    pasted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Pull();
    const QTextCursor cursor = m_annotationBox->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    m_annotation = m_annotation.left(start) + pasted + m_annotation.mid(end);
    if (NoteBytes(m_annotation).size() > CGameRecord::kMaxNoteLength) {
        // Too long for a note: say so, and never lay out more than it holds
        // (a megabyte on one line would stall the box for minutes).
        Prompts().Warn(QString::fromLatin1(kTooLong).arg(CGameRecord::kMaxNoteLength));
        StoreAnnotation(false, "Paste");
        update();
        return;
    }
    Push();
    QTextCursor caret = m_annotationBox->textCursor();
    caret.setPosition(
        qMin(start + static_cast<int>(pasted.size()), static_cast<int>(m_annotation.size())));
    m_annotationBox->setTextCursor(caret);
    StoreAnnotation(true, "Paste");
    update();
}
