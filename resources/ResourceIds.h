#pragma once

// Identifiers of the program's commands, controls, dialogs and pictures. The
// menus, the form and the handlers meet through these numbers.
namespace res {

// Main window (menu, title, accelerators, toolbar, icon) and the game
// document's template (menu, document strings, icon).
inline constexpr int kMainFrame = 128;
inline constexpr int kGameDocument = 129;

// Dialog templates.
inline constexpr int kAboutBox = 100;
inline constexpr int kGameForm = 101;
inline constexpr int kPromotionDialog = 173;
inline constexpr int kHeaderDialog = 176;
inline constexpr int kSetupPieceDialog = 182;
inline constexpr int kAboutIcon = 181;

// Commands of the board view.
inline constexpr int kCmdFlipBoard = 32771;
inline constexpr int kCmdEditHeader = 32773;
inline constexpr int kCmdSetupPosition = 32775;
inline constexpr int kCmdExportPgn = 32777;
inline constexpr int kCmdEnterMove = 32790;
inline constexpr int kCmdBoardNormal = 32791;  // squares of 32, 48 and 64 pixels
inline constexpr int kCmdBoardLarge = 32792;
inline constexpr int kCmdBoardHuge = 32793;
inline constexpr int kCmdBoardFit = 32799;  // the board as large as the window allows
inline constexpr int kCmdPromoteVariation = 32794;
inline constexpr int kCmdDeleteVariation = 32795;

// Commands of the Help menu besides About.
inline constexpr int kCmdShortcuts = 32796;
inline constexpr int kCmdHelp = 32797;
// Edit > Correct Move.
inline constexpr int kCmdCorrectMove = 32798;
// Edit > Move Symbol and Position Symbol: the first id, then one for each
// symbol in the order the menus list them; Edit > Diagram.
inline constexpr int kCmdMoveSymbol1 = 32830;      // to 32835
inline constexpr int kCmdPositionSymbol1 = 32840;  // to 32847
inline constexpr int kCmdDiagram = 32850;
// View > Go: along the line shown and into and out of variations.
inline constexpr int kCmdGoPrevious = 32851;
inline constexpr int kCmdGoNext = 32852;
inline constexpr int kCmdGoStart = 32853;
inline constexpr int kCmdGoEnd = 32854;
inline constexpr int kCmdGoInto = 32855;
inline constexpr int kCmdGoOut = 32856;

// The engine: the analysis pane, its settings and the game check.
inline constexpr int kCmdAnalysis = 32860;
inline constexpr int kCmdEngine = 32861;
inline constexpr int kCmdCheckGame = 32862;

// Board pictures and the printed game score.
inline constexpr int kCmdCopyBoardImage = 32810;
inline constexpr int kCmdExportBoardImage = 32811;
inline constexpr int kCmdPrintScore = 32812;
inline constexpr int kCmdExportScorePdf = 32813;
inline constexpr int kCmdFigurines = 32814;  // figurine or letter notation in the score

// Games in and out as text.
inline constexpr int kCmdPasteGame = 32815;
inline constexpr int kCmdCopyGame = 32816;
inline constexpr int kCmdCopyPosition = 32817;

// Framework commands.
inline constexpr int kCmdNew = 57600;
inline constexpr int kCmdOpen = 57601;
inline constexpr int kCmdClose = 57602;
inline constexpr int kCmdSave = 57603;
inline constexpr int kCmdSaveAs = 57604;
inline constexpr int kCmdPrint = 57607;
inline constexpr int kCmdRecentFile1 = 57616;  // to 57619
inline constexpr int kCmdCopy = 57634;
inline constexpr int kCmdCut = 57635;
inline constexpr int kCmdPaste = 57637;
inline constexpr int kCmdUndo = 57643;
inline constexpr int kCmdRedo = 57644;
inline constexpr int kCmdNewWindow = 57648;
inline constexpr int kCmdArrangeIcons = 57649;
inline constexpr int kCmdCascade = 57650;
inline constexpr int kCmdTile = 57651;
inline constexpr int kCmdAbout = 57664;
inline constexpr int kCmdExit = 57665;
inline constexpr int kCmdNextPane = 57680;
inline constexpr int kCmdPrevPane = 57681;
inline constexpr int kCmdToolbar = 59392;
inline constexpr int kCmdStatusBar = 59393;

// Controls of the game form.
inline constexpr int kMoveList = 1020;
inline constexpr int kAnnotationBox = 1022;
inline constexpr int kHeaderBox = 1023;
inline constexpr int kCopyButton = 1032;
inline constexpr int kReportButton = 1047;
inline constexpr int kGoToStartButton = 1048;
inline constexpr int kGoToEndButton = 1049;

// Radio buttons of the promotion dialog.
inline constexpr int kPromoteQueen = 1016;
inline constexpr int kPromoteKnight = 1017;
inline constexpr int kPromoteRook = 1018;
inline constexpr int kPromoteBishop = 1019;

// Pictures: board backgrounds and empty squares.
inline constexpr int kBoardFlipped = 174;
inline constexpr int kBoardNormal = 175;
inline constexpr int kLightSquare = 138;
inline constexpr int kDarkSquare = 139;

// Piece pictures by [colour][kind][shade], shade 0 light and 1 dark, and the
// piece pointers by [colour][kind]; kinds in the order P N B R Q K.
inline constexpr int kPieceOnSquare[2][6][2] = {
    {{141, 140}, {134, 133}, {142, 143}, {144, 145}, {146, 147}, {148, 149}},
    {{136, 135}, {132, 131}, {150, 151}, {152, 153}, {154, 155}, {156, 157}},
};
inline constexpr int kPiecePointer[2][6] = {
    {166, 167, 168, 169, 170, 171},
    {161, 158, 162, 163, 164, 165},
};

}  // namespace res
