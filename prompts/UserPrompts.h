#pragma once

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

struct IndexedGame;
struct StartChoices;

// Everything the program tells or asks the user goes through here, so tests
// can answer in place of a person. The application owns the one in use.
class UserPrompts {
public:
    enum class SaveAnswer { Yes, No, Cancel };
    enum class BranchAnswer { NewVariation, Replace, Cancel };
    // One row per command: its name, then every key it answers to.
    using ShortcutList = std::vector<std::pair<QString, QString>>;

    virtual ~UserPrompts() = default;

    // A message with an OK button and the application's title as caption.
    virtual void Tell(const QString& text) = 0;
    // The same with an exclamation icon.
    virtual void Warn(const QString& text) = 0;
    // A question with the caption "Warning!", OK and Cancel and an
    // exclamation icon; true for OK.
    virtual bool AskWarning(const QString& text) = 0;
    // A move played where the line goes on with another: `text` names both;
    // the buttons are "New Variation" (the default), "Replace" and "Cancel".
    virtual BranchAnswer AskBranch(const QString& text) = 0;
    // Games left unsaved by an instance that ended: `text` says how many;
    // "Recover" (the default) or "Discard". True for Recover.
    virtual bool AskRecover(const QString& text) = 0;
    // "Save changes to <title>?" with Yes, No and Cancel.
    virtual SaveAnswer AskSaveChanges(const QString& title) = 0;
    // A file to open, or an empty text when the user cancelled.
    virtual QString AskOpenFileName() = 0;
    // "Select Game" on the games of the file `fileName`: the index in `games`
    // of the one chosen, or -1 when cancelled. Games with a problem are listed
    // with it and cannot be chosen.
    virtual int ChooseGame(const QString& fileName, const std::vector<IndexedGame>& games) = 0;
    // A file name to save under, starting from `suggested`; empty when cancelled.
    virtual QString AskSaveFileName(const QString& suggested) = 0;
    // The same for the file an export is written to.
    virtual QString AskExportFileName(const QString& suggested) = 0;
    // "Export Board Image": the picture's width and height in pixels and
    // whether the file letters and rank digits go beside the board, preset
    // with the values given; false when cancelled.
    virtual bool AskBoardImage(int& pixels, bool& coordinates) = 0;
    // The file a board picture is written to (PNG or SVG, by its suffix),
    // starting from `suggested`; empty when cancelled.
    virtual QString AskImageFileName(const QString& suggested) = 0;
    // The same for the PDF of a game score.
    virtual QString AskPdfFileName(const QString& suggested) = 0;
    // The piece a pawn on the last rank becomes (a PieceType), or NoPiece
    // when the user cancelled: the move is then taken back.
    virtual int AskPromotion() = 0;
    // The About box.
    virtual void ShowAbout() = 0;
    // The keyboard shortcuts, listed in a window with the application's
    // title as caption.
    virtual void ShowShortcuts(const ShortcutList& rows) = 0;
    // The program's short guide, in a window of its own that needs neither
    // a browser nor the network.
    virtual void ShowHelp() = 0;
    // One of a game's tags beyond the seven: its name and its value.
    using TagRow = std::pair<QString, QString>;
    // "Game Header Information" on the seven tags, Event to Result, and the
    // game's other tags as rows to change, add and remove, stored in 8-bit
    // text when `eightBit`. Whichever button closes it, `tags` gets what the
    // dialog took from its fields; `otherTags` changes only after an OK that
    // found every row sound.
    virtual void EditHeader(std::array<QString, 7>& tags, std::vector<TagRow>& otherTags,
                            bool eightBit) = 0;
    // "Setup Piece", preset with the given choices. Both come back as the
    // radio indices after OK, or as a result code: -1 Empty Square,
    // -2 cancelled, -3 Clear Board.
    virtual void ChooseSetupPiece(int& pieceChoice, int& colorChoice) = 0;
    // "Starting Position" as setup ends, preset with `choices`: false when
    // cancelled, setup then going on; otherwise `choices` holds the answer.
    virtual bool AskStartPosition(StartChoices& choices) = 0;
    // "Enter Move": each text the user enters goes to `play`, which says
    // whether the box may close; after a false the box stays open with the
    // text selected. Closing the box otherwise plays nothing.
    virtual void EnterMove(const std::function<bool(const QString&)>& play) = 0;

    // The engine analysis runs: its program and settings.
    struct EngineChoice {
        QString program;  // empty: Stockfish where Debian puts it, or on the PATH
        int threads = 1;
        int hashMegabytes = 64;
        int lines = 1;                // best lines shown, 1 to 3
        int checkMilliseconds = 300;  // Check Game's time for each move
    };
    // "Engine" preset with `choice`; false when cancelled.
    virtual bool AskEngine(EngineChoice& choice) = 0;
    // A long task's progress with a Cancel button, shown while the returned
    // object lives. `onCancel` runs, later from the event loop, when the
    // user cancels.
    class Progress {
    public:
        virtual ~Progress() = default;
        virtual void SetValue(int value) = 0;
    };
    virtual std::unique_ptr<Progress> ShowProgress(const QString& text, int maximum,
                                                   const std::function<void()>& onCancel) = 0;
};

// The prompts in use. Never null once the application has started.
UserPrompts& Prompts();
// Installs `prompts` (not owned) and returns the one it replaces.
UserPrompts* SetPrompts(UserPrompts* prompts);
