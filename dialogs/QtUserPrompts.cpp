#include "QtUserPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>

#include "CAboutDlg.h"
#include "CEngineDlg.h"
#include "CEnterMoveDlg.h"
#include "CHeaderInfoDlg.h"
#include "CHelpDlg.h"
#include "CPromotionDlg.h"
#include "CSelectGameDlg.h"
#include "CSetupPieceDlg.h"
#include "CShortcutsDlg.h"
#include "CStartPositionDlg.h"

namespace {
const char kFilters[] = "PGN Files (*.pgn);;All Files (*.*)";

QWidget* MainWindow() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top) != nullptr && top->isVisible()) return top;
    return nullptr;
}

// Runs a modal dialog and gives the keyboard back to the window that had it
// before, or to the main window. A window manager hands the focus to the
// closed box's owner, and to nobody when that owner has gone meanwhile (the
// Enter Move box that asked a question) or is another top-level window: the
// next key, Ctrl+S after "CheckMate!", would go nowhere until a click.
int Exec(QDialog& dialog) {
    const QPointer<QWidget> before = QApplication::activeWindow();
    const int result = dialog.exec();
    QWidget* back = before != nullptr && before->isVisible() ? before.data() : MainWindow();
    if (back != nullptr && back != &dialog) back->activateWindow();
    return result;
}

// Shows the box no narrower than its caption needs beside the title bar's
// icon and buttons, so a short message ("CheckMate!") keeps its title whole.
int Run(QMessageBox& box) {
    const int caption = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 150;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(caption, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return Exec(box);
}
}  // namespace

QWidget* QtUserPrompts::Owner() {
    QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active : QApplication::activeModalWidget();
}

void QtUserPrompts::Tell(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, Owner());
    Run(box);
}

void QtUserPrompts::Warn(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, Owner());
    Run(box);
}

bool QtUserPrompts::AskWarning(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning!"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, Owner());
    return Run(box) == QMessageBox::Ok;
}

UserPrompts::BranchAnswer QtUserPrompts::AskBranch(const QString& text) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, Owner());
    QPushButton* variation =
        box.addButton(QStringLiteral("New &Variation"), QMessageBox::AcceptRole);
    QPushButton* replace = box.addButton(QStringLiteral("&Replace"), QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(variation);
    Run(box);
    if (box.clickedButton() == variation) return BranchAnswer::NewVariation;
    if (box.clickedButton() == replace) return BranchAnswer::Replace;
    return BranchAnswer::Cancel;
}

bool QtUserPrompts::AskRecover(const QString& text) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, Owner());
    QPushButton* recover = box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(recover);
    Run(box);
    return box.clickedButton() == recover;
}

UserPrompts::SaveAnswer QtUserPrompts::AskSaveChanges(const QString& title) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    QStringLiteral("Save changes to %1?").arg(title),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Owner());
    switch (Run(box)) {
        case QMessageBox::Yes:
            return SaveAnswer::Yes;
        case QMessageBox::No:
            return SaveAnswer::No;
        default:
            return SaveAnswer::Cancel;
    }
}

QString QtUserPrompts::AskOpenFileName() {
    QFileDialog dialog(Owner(), QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromLatin1(kFilters));
    if (Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

int QtUserPrompts::ChooseGame(const QString& fileName, const std::vector<IndexedGame>& games) {
    CSelectGameDlg dialog(fileName, games, Owner());
    return Exec(dialog) == QDialog::Accepted ? dialog.ChosenGame() : -1;
}

QString QtUserPrompts::AskSaveFileName(const QString& suggested) {
    return AskFileToWrite(QStringLiteral("Save As"), suggested);
}

QString QtUserPrompts::AskExportFileName(const QString& suggested) {
    return AskFileToWrite(QStringLiteral("Export PGN"), suggested);
}

bool QtUserPrompts::AskBoardImage(int& pixels, bool& coordinates) {
    QDialog dialog(Owner());
    dialog.setWindowTitle(QStringLiteral("Export Board Image"));
    auto* form = new QFormLayout(&dialog);
    auto* size = new QSpinBox(&dialog);
    size->setRange(64, 4096);
    size->setSuffix(QStringLiteral(" pixels"));
    size->setValue(pixels);
    form->addRow(QStringLiteral("&Size:"), size);
    auto* withCoordinates = new QCheckBox(QStringLiteral("&Coordinates beside the board"), &dialog);
    withCoordinates->setChecked(coordinates);
    form->addRow(withCoordinates);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    // No narrower than its caption needs beside the title bar's icon and buttons.
    dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 150);
    if (Exec(dialog) != QDialog::Accepted) return false;
    pixels = size->value();
    coordinates = withCoordinates->isChecked();
    return true;
}

QString QtUserPrompts::AskImageFileName(const QString& suggested) {
    return AskFileToWrite(QStringLiteral("Export Board Image"), suggested,
                          QStringLiteral("PNG Image (*.png);;SVG Image (*.svg)"),
                          QStringLiteral("png"));
}

QString QtUserPrompts::AskPdfFileName(const QString& suggested) {
    return AskFileToWrite(QStringLiteral("Export Game Score as PDF"), suggested,
                          QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("pdf"));
}

QString QtUserPrompts::AskFileToWrite(const QString& caption, const QString& suggested,
                                      const QString& filters, const QString& suffix) {
    QFileDialog dialog(Owner(), caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filters.isEmpty() ? QString::fromLatin1(kFilters) : filters);
    dialog.setDefaultSuffix(suffix);
    if (!filters.isEmpty()) {
        // The filter chosen gives a name without a suffix its own.
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
                dialog.setDefaultSuffix(
                    filter.section(QStringLiteral("*."), 1).section(QLatin1Char(')'), 0, 0));
            });
    }
    // A game file's replacement the program asks about itself, saying how
    // many games the file holds; a picture's or a PDF's the dialog asks.
    if (filters.isEmpty()) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(suggested);
    if (Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

int QtUserPrompts::AskPromotion() {
    CPromotionDlg dialog(Owner());
    Exec(dialog);
    return dialog.ChosenPiece();
}

void QtUserPrompts::ShowAbout() {
    CAboutDlg dialog(Owner());
    Exec(dialog);
}

void QtUserPrompts::ShowShortcuts(const ShortcutList& rows) {
    CShortcutsDlg dialog(rows, Owner());
    Exec(dialog);
}

void QtUserPrompts::ShowHelp() {
    // One guide at a time; asked again, the open one comes to the front.
    if (m_guide.isNull()) {
        // Owned by the main window, so it goes when the program does.
        QWidget* main = MainWindow();
        m_guide = new CHelpDlg(main != nullptr ? main : Owner());
        m_guide->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

void QtUserPrompts::EditHeader(std::array<QString, 7>& tags, std::vector<TagRow>& otherTags,
                               bool eightBit) {
    CHeaderInfoDlg dialog(Owner());
    dialog.SetEightBit(eightBit);
    dialog.SetFields(tags);
    dialog.SetOtherTags(otherTags);
    Exec(dialog);
    tags = dialog.Fields();
    otherTags = dialog.OtherTags();
}

void QtUserPrompts::ChooseSetupPiece(int& pieceChoice, int& colorChoice) {
    CSetupPieceDlg dialog(Owner());
    dialog.m_pieceChoice = pieceChoice;
    dialog.m_colorChoice = colorChoice;
    Exec(dialog);
    pieceChoice = dialog.m_pieceChoice;
    colorChoice = dialog.m_colorChoice;
}

bool QtUserPrompts::AskStartPosition(StartChoices& choices) {
    CStartPositionDlg dialog(choices, Owner());
    if (Exec(dialog) != QDialog::Accepted) return false;
    choices = dialog.Choices();
    return true;
}

void QtUserPrompts::EnterMove(const std::function<bool(const QString&)>& play) {
    CEnterMoveDlg dialog(play, Owner());
    Exec(dialog);
}

bool QtUserPrompts::AskEngine(EngineChoice& choice) {
    CEngineDlg dialog(choice, Owner());
    if (Exec(dialog) != QDialog::Accepted) return false;
    choice = dialog.Choice();
    return true;
}

namespace {

// Qt's progress window, modal to the main window while the task runs.
class ProgressWindow : public UserPrompts::Progress {
public:
    ProgressWindow(const QString& text, int maximum, const std::function<void()>& onCancel,
                   QWidget* owner)
        : m_dialog(text, QStringLiteral("Cancel"), 0, maximum, owner) {
        m_dialog.setWindowTitle(QApplication::applicationDisplayName());
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(0);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        // Cancel is answered from the event loop: the task may end this window.
        QObject::connect(
            &m_dialog, &QProgressDialog::canceled, &m_dialog, [onCancel] { onCancel(); },
            Qt::QueuedConnection);
        m_dialog.setValue(0);
    }
    // A modal progress window runs the event loop inside setValue: from the
    // loop, never from inside the task's own handler.
    void SetValue(int value) override {
        QMetaObject::invokeMethod(
            &m_dialog, [this, value] { m_dialog.setValue(value); }, Qt::QueuedConnection);
    }

private:
    QProgressDialog m_dialog;
};

}  // namespace

std::unique_ptr<UserPrompts::Progress> QtUserPrompts::ShowProgress(
    const QString& text, int maximum, const std::function<void()>& onCancel) {
    return std::make_unique<ProgressWindow>(text, maximum, onCancel, Owner());
}
