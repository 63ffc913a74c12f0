#pragma once

#include <QPointer>

#include "CHelpDlg.h"
#include "UserPrompts.h"

// The prompts a person sees: Qt's message boxes and file dialogs, captioned
// with the application's title, and the program's own dialogs.
class QtUserPrompts : public UserPrompts {
public:
    void Tell(const QString& text) override;
    void Warn(const QString& text) override;
    bool AskWarning(const QString& text) override;
    BranchAnswer AskBranch(const QString& text) override;
    bool AskRecover(const QString& text) override;
    bool AskStartPosition(StartChoices& choices) override;
    SaveAnswer AskSaveChanges(const QString& title) override;
    QString AskOpenFileName() override;
    int ChooseGame(const QString& fileName, const std::vector<IndexedGame>& games) override;
    QString AskSaveFileName(const QString& suggested) override;
    QString AskExportFileName(const QString& suggested) override;
    bool AskBoardImage(int& pixels, bool& coordinates) override;
    QString AskImageFileName(const QString& suggested) override;
    QString AskPdfFileName(const QString& suggested) override;
    int AskPromotion() override;
    void ShowAbout() override;
    void ShowShortcuts(const ShortcutList& rows) override;
    void ShowHelp() override;
    void EditHeader(std::array<QString, 7>& tags, std::vector<TagRow>& otherTags,
                    bool eightBit) override;
    void ChooseSetupPiece(int& pieceChoice, int& colorChoice) override;
    void EnterMove(const std::function<bool(const QString&)>& play) override;
    bool AskEngine(EngineChoice& choice) override;
    std::unique_ptr<Progress> ShowProgress(const QString& text, int maximum,
                                           const std::function<void()>& onCancel) override;

private:
    static QWidget* Owner();
    static QString AskFileToWrite(const QString& caption, const QString& suggested,
                                  const QString& filters = QString(),
                                  const QString& suffix = QStringLiteral("pgn"));

    QPointer<CHelpDlg> m_guide;
};
