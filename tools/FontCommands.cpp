// The main window's font commands: the font window, and the writes it makes.
#include "app/MainDialog.h"

#include "FontDialog.h"
#include "resources/ResourceIds.h"
#include "rom/RomExpansion.h"

namespace scrivlet {

void MainDialog::openFontEditor()
{
    if (!romOpen())
        return;
    FontDialog dialog(*this);
    platform_.runModal(ids::FontDialogTemplate, dialog, *window_);
}

void MainDialog::fontsChanged()
{
    layoutSetup = readLayoutSetup(romFile, windowEntry);
    const std::string text = window_->controlText(ids::EditBox);
    updateFitMarks(text);
    updatePreview(text);
}

void MainDialog::fontWritten(FontKind kind)
{
    rememberWrite(WriteKind::Font);
    writes_.back().font = kind;
    fontsChanged();
}

FontChange MainDialog::writeGlyph(FontKind kind, int glyph, const GlyphBits& bits, int width)
{
    if (romFile.isReadOnly())
        return {FontChangeOutcome::ReadOnlyRom};
    const FontChange change = scrivlet::writeGlyph(romFile, kind, glyph, bits, width);
    if (change.outcome == FontChangeOutcome::Written)
        fontWritten(kind);
    return change;
}

FontChange MainDialog::makeRoomInFont(FontKind kind)
{
    if (romFile.isReadOnly())
        return {FontChangeOutcome::ReadOnlyRom};
    const FontChange change = moveFontForMoreLetters(romFile, kind);
    if (change.outcome == FontChangeOutcome::Written) {
        fontWritten(kind);
        if (listingSource == 2)
            refreshListingKeepingRow(); // the font's blocks leave the expanded listing
    }
    return change;
}

} // namespace scrivlet
