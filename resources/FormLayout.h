#pragma once

// Where the controls of the forms and dialogs stand, in dialog units: a
// horizontal unit is a quarter of the form font's average character width, a
// vertical unit an eighth of its height. One table per template.
struct DialogItem {
    int id;  // control identifier, or -1 for a label
    const char* text;
    int x, y, width, height;
};

struct DialogTemplate {
    int id;
    const char* caption;
    int width, height;
    const DialogItem* items;
    int itemCount;

    const DialogItem* Find(int controlId) const;
    const DialogItem* FindLabel(const char* text) const;
};

namespace layout {
extern const DialogTemplate kGameForm;
extern const DialogTemplate kPromotionDialog;
extern const DialogTemplate kHeaderDialog;
extern const DialogTemplate kSetupPieceDialog;
extern const DialogTemplate kAboutBox;
}  // namespace layout
