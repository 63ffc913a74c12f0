#pragma once

// Prompts answered by a test: messages recorded, questions given the next scripted answer.
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "GameIndex.h"
#include "PieceTypes.h"
#include "StartChoices.h"
#include "UserPrompts.h"

class ScriptedPrompts : public UserPrompts {
public:
    ScriptedPrompts() { m_previous = SetPrompts(this); }
    ~ScriptedPrompts() override { SetPrompts(m_previous); }

    void Tell(const QString& text) override { told.append(text); }
    void Warn(const QString& text) override { warned.append(text); }
    bool AskWarning(const QString& text) override {
        warningsAsked.append(text);
        return Next(warningAnswers, true);
    }
    // A new variation unless the script says otherwise, as the box's default.
    BranchAnswer AskBranch(const QString& text) override {
        branchQuestions.append(text);
        return Next(branchAnswers, BranchAnswer::NewVariation);
    }
    bool AskRecover(const QString& text) override {
        recoveryQuestions.append(text);
        return true;
    }
    SaveAnswer AskSaveChanges(const QString& title) override {
        saveQuestions.append(title);
        return Next(saveAnswers, SaveAnswer::Cancel);
    }
    QString AskOpenFileName() override { return Next(openNames, QString()); }
    int ChooseGame(const QString&, const std::vector<IndexedGame>& games) override {
        listedProblems.clear();
        for (const IndexedGame& game : games)
            listedProblems.append(QString::fromUtf8(game.problem.data(),
                                                    static_cast<qsizetype>(game.problem.size())));
        return Next(gameChoices, -1);
    }
    QString AskSaveFileName(const QString&) override { return Next(saveNames, QString()); }
    QString AskExportFileName(const QString& suggested) override {
        exportSuggestions.append(suggested);
        return Next(exportNames, QString());
    }
    // The scripted size and coordinates, or cancelled when none is left.
    bool AskBoardImage(int& pixels, bool& coordinates) override {
        boardImagePresets.push_back({pixels, coordinates});
        if (boardImageAnswers.empty()) return false;
        std::tie(pixels, coordinates) = Next(boardImageAnswers, {});
        return true;
    }
    QString AskImageFileName(const QString& suggested) override {
        exportSuggestions.append(suggested);
        return Next(imageNames, QString());
    }
    QString AskPdfFileName(const QString& suggested) override {
        exportSuggestions.append(suggested);
        return Next(pdfNames, QString());
    }
    int AskPromotion() override { return Queen; }
    void ShowAbout() override {}
    void ShowShortcuts(const ShortcutList& rows) override { shortcuts = rows; }
    void ShowHelp() override { ++helpShown; }
    void EditHeader(std::array<QString, 7>& tags, std::vector<TagRow>& otherTags,
                    bool eightBit) override {
        ++headerDialogs;
        if (editHeader) editHeader(tags);
        if (editWholeHeader) editWholeHeader(tags, otherTags, eightBit);
    }
    void ChooseSetupPiece(int& pieceChoice, int& colorChoice) override {
        setupPresets.push_back({pieceChoice, colorChoice});
        std::tie(pieceChoice, colorChoice) = Next(setupAnswers, std::make_pair(-2, -2));
    }
    // The scripted change to the choices, or the defaults taken as they are.
    bool AskStartPosition(StartChoices& choices) override {
        ++startPositionsAsked;
        if (!startAnswers.empty()) {
            const auto answer = Next(startAnswers, {});
            if (!answer) return false;
            answer(choices);
        }
        return true;
    }
    // Plays the scripted texts until one closes the box.
    void EnterMove(const std::function<bool(const QString&)>& play) override {
        while (!typedMoves.empty())
            if (play(Next(typedMoves, QString()))) return;
    }

    // The scripted engine choice, or cancelled when none is left.
    bool AskEngine(EngineChoice& choice) override {
        if (engineChoices.empty()) return false;
        choice = Next(engineChoices, {});
        return true;
    }
    // Records the values shown; cancels, from the event loop, once the
    // value reaches cancelAt.
    std::unique_ptr<Progress> ShowProgress(const QString& text, int,
                                           const std::function<void()>& onCancel) override {
        progressTexts.append(text);
        struct Shown : Progress {
            ScriptedPrompts* owner;
            std::function<void()> onCancel;
            void SetValue(int value) override {
                owner->progressValues.push_back(value);
                if (owner->cancelAt >= 0 && value >= owner->cancelAt) {
                    owner->cancelAt = -1;
                    QTimer::singleShot(0, onCancel);
                }
            }
        };
        auto shown = std::make_unique<Shown>();
        shown->owner = this;
        shown->onCancel = onCancel;
        return shown;
    }

    // Everything said so far, for a failure message.
    QString Transcript() const { return told.join(" | "); }

    QStringList told, warned, warningsAsked, saveQuestions, exportSuggestions, branchQuestions,
        recoveryQuestions;
    std::deque<BranchAnswer> branchAnswers;
    QStringList listedProblems;  // of each game of the last list, empty when it may open
    std::deque<int> gameChoices;
    std::deque<bool> warningAnswers;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<QString> openNames, saveNames, typedMoves, exportNames, imageNames, pdfNames;
    std::deque<std::pair<int, bool>> boardImageAnswers;
    std::vector<std::pair<int, bool>> boardImagePresets;
    int headerDialogs = 0, startPositionsAsked = 0, helpShown = 0;
    // Each answer changes the choices; an empty one cancels.
    std::deque<std::function<void(StartChoices&)>> startAnswers;
    ShortcutList shortcuts;
    std::deque<EngineChoice> engineChoices;
    QStringList progressTexts;
    std::vector<int> progressValues;
    int cancelAt = -1;
    std::function<void(std::array<QString, 7>&)> editHeader;
    std::function<void(std::array<QString, 7>&, std::vector<TagRow>&, bool)> editWholeHeader;
    std::deque<std::pair<int, int>> setupAnswers;
    std::vector<std::pair<int, int>> setupPresets;

private:
    template <typename T>
    static T Next(std::deque<T>& answers, T fallback) {
        if (answers.empty()) return fallback;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
    UserPrompts* m_previous = nullptr;
};
