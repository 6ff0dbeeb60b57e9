#pragma once

#include "FontPictures.h"
#include "text/GameFont.h"
#include "ui/Window.h"

namespace scrivlet {

class MainDialog;

// Tools > Font: the glyphs of the main (or Mr. Saturn's) font in a grid;
// the chosen one large, to draw on with the mouse, with its width. Apply
// writes the glyph and its width as one write that Undo last write takes
// back; unapplied pixels are asked about before they would be lost.
class FontDialog : public ui::DialogHandler {
public:
    explicit FontDialog(MainDialog& owner) : owner_(owner) {}
    void onInitDialog() override;
    void onCommand(int id) override;
    void onNotify(int controlId, ui::Notification notification) override;
    void onPictureMouse(int controlId, ui::MouseAction action, int x, int y) override;
    bool onCloseRequest() override;

    // The glyph shown large (0-127) and whether its pixels or width differ from the image's.
    int chosenGlyph() const { return chosen_; }
    bool hasUnappliedChanges();

private:
    void readFont();
    void choose(int glyph);
    void showGrid();
    void showChosen();
    // Typed width, or -1 when it is not 0 to 16.
    int typedWidth();
    bool apply();
    // Before the chosen glyph's changes would be dropped: Yes applies, No drops, Cancel stays.
    bool settleChanges();
    void makeRoom();
    void switchFont();

    MainDialog& owner_;
    FontKind kind_ = FontKind::Main;
    GameFont font_;
    int room_ = 0; // glyphs the font has room for where it lies (0: its entry is unknown)
    int chosen_ = 0x21; // A
    GlyphBits pixels_{};
    bool painting_ = true; // a press on a blank pixel draws, on ink clears
    int lastX_ = 0, lastY_ = 0; // the glyph pixel the mouse was last reported on
};

} // namespace scrivlet
