#include "FormLayout.h"

#include <cstring>

#include "ResourceIds.h"

const DialogItem* DialogTemplate::Find(int controlId) const {
    for (int i = 0; i < itemCount; ++i)
        if (items[i].id == controlId) return &items[i];
    return nullptr;
}

const DialogItem* DialogTemplate::FindLabel(const char* text) const {
    for (int i = 0; i < itemCount; ++i)
        if (items[i].id == -1 && std::strcmp(items[i].text, text) == 0) return &items[i];
    return nullptr;
}

namespace {

// Labels have no size of their own in the tables below: they take the width
// of their text and one line of height.
constexpr int kLabel = -1;

const DialogItem kGameFormItems[] = {
    {kLabel, "Move List", 187, 3, 0, 0},
    {res::kMoveList, "", 187, 12, 79, 146},
    {res::kGoToStartButton, "<|", 195, 159, 11, 14},
    {res::kCopyButton, "Copy", 208, 159, 19, 14},
    {res::kReportButton, "Rpt", 229, 159, 15, 14},
    {res::kGoToEndButton, "|>", 246, 159, 11, 14},
    {kLabel, "Game Header Information", 269, 3, 0, 0},
    {res::kHeaderBox, "", 270, 11, 131, 43},
    {kLabel, "Move-by-move annotation", 269, 54, 0, 0},
    {res::kAnnotationBox, "", 270, 63, 131, 110},
};

const DialogItem kPromotionItems[] = {
    {kLabel, "Indicate piece to promote to, then click OK.", 15, 18, 138, 8},
    {0, "", 33, 25, 60, 55},  // the untitled group box
    {res::kPromoteQueen, "Queen", 40, 32, 37, 10},
    {res::kPromoteKnight, "Knight", 40, 44, 36, 10},
    {res::kPromoteRook, "Rook", 40, 56, 33, 10},
    {res::kPromoteBishop, "Bishop", 40, 68, 37, 10},
    {1, "OK", 115, 64, 50, 14},
};

const DialogItem kHeaderItems[] = {
    {kLabel, "Event:", 10, 32, 0, 0},  {1023, "", 36, 29, 188, 14},
    {kLabel, "Site:", 10, 47, 0, 0},   {1024, "", 36, 44, 188, 14},
    {kLabel, "Date:", 10, 62, 0, 0},   {1025, "", 36, 59, 188, 14},
    {kLabel, "Round:", 10, 77, 0, 0},  {1026, "", 36, 74, 188, 14},
    {kLabel, "White:", 10, 92, 0, 0},  {1027, "", 36, 89, 188, 14},
    {kLabel, "Black:", 10, 107, 0, 0}, {1028, "", 36, 104, 188, 14},
    {kLabel, "Result:", 10, 122, 0, 0}, {1029, "", 36, 119, 188, 14},
    {1, "OK", 67, 156, 50, 14},        {2, "Cancel", 162, 156, 50, 14},
};

const DialogItem kSetupPieceItems[] = {
    {1035, "Color", 7, 7, 61, 34},         {1033, "White", 11, 17, 35, 10},
    {1034, "Black", 11, 28, 35, 10},       {1042, "Piece", 7, 51, 60, 76},
    {1036, "King", 11, 62, 35, 10},        {1037, "Queen", 11, 73, 35, 10},
    {1038, "Rook", 11, 84, 35, 10},        {1039, "Bishop", 11, 95, 35, 10},
    {1040, "Knight", 11, 106, 35, 10},     {1041, "Pawn", 11, 117, 35, 10},
    {1043, "Empty Square", 72, 63, 50, 14}, {1044, "Clear Board", 72, 79, 50, 14},
    {1, "OK", 72, 95, 50, 14},             {2, "Cancel", 72, 111, 50, 14},
};

const DialogItem kAboutItems[] = {
    {res::kAboutIcon, "", 11, 17, 0, 0},
    {kLabel, "Chess Ravelin Version 1.10", 40, 10, 119, 8},
    {1, "OK", 178, 7, 32, 14},
};

template <int N>
constexpr int Count(const DialogItem (&)[N]) {
    return N;
}

}  // namespace

namespace layout {
const DialogTemplate kGameForm = {res::kGameForm, "", 408, 180, kGameFormItems,
                                  Count(kGameFormItems)};
const DialogTemplate kPromotionDialog = {res::kPromotionDialog, "Promotion!", 186, 95,
                                         kPromotionItems, Count(kPromotionItems)};
const DialogTemplate kHeaderDialog = {res::kHeaderDialog, "Game Header Information", 285, 177,
                                      kHeaderItems, Count(kHeaderItems)};
const DialogTemplate kSetupPieceDialog = {res::kSetupPieceDialog, "Setup Piece", 129, 134,
                                          kSetupPieceItems, Count(kSetupPieceItems)};
const DialogTemplate kAboutBox = {res::kAboutBox, "About Chess Ravelin", 217, 55, kAboutItems,
                                  Count(kAboutItems)};
}  // namespace layout
