#include "FontDialog.h"

#include "app/MainDialog.h"
#include "edit/FontChanges.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"
#include "text/CharacterTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace scrivlet {

namespace {

std::string formatted(const char* sentence, int byte, const char* name)
{
    char text[512];
    std::snprintf(text, sizeof text, sentence, byte, name);
    return text;
}

GlyphBits glyphOf(const GameFont& font, int glyph) { return font.glyphs[static_cast<std::size_t>(glyph)]; }

} // namespace

void FontDialog::onInitDialog()
{
    window().setEditLimit(ids::GlyphWidthEdit, 2);
    readFont();
    choose(chosen_);
}

void FontDialog::readFont()
{
    font_ = readGameFont(owner_.romFile, kind_);
    const FontEntry entry = fontEntry(owner_.romFile, kind_);
    room_ = entry == FontEntry::Unknown ? 0 : glyphRoom(entry);
    window().setControlText(ids::FontSwitchButton, kind_ == FontKind::Main ? messages::FontShowSaturn : messages::FontShowMain);
    window().enableControl(ids::FontMakeRoomButton, entry == FontEntry::Original);
}

void FontDialog::showGrid() { window().setControlPicture(ids::FontGrid, fontGridPicture(font_, room_ == 0 ? FontGlyphCount : room_, chosen_)); }

void FontDialog::showChosen()
{
    const int width = typedWidth();
    window().setControlPicture(ids::GlyphPicture, largeGlyphPicture(pixels_, width < 0 ? GlyphSize : width));
}

void FontDialog::choose(int glyph)
{
    chosen_ = glyph;
    pixels_ = glyphOf(font_, glyph);
    const int byte = 0x50 + glyph;
    char label[256];
    std::snprintf(label, sizeof label, messages::GlyphLabelText, byte, glyph, fontName(kind_));
    std::string text = label;
    if (const CharacterTable& table = currentCharacterTable(); table.has(byte)) {
        std::string inTable(table.text(byte).size() + 64, '\0');
        inTable.resize(static_cast<std::size_t>(std::snprintf(inTable.data(), inTable.size(), messages::GlyphInTable, table.text(byte).c_str())));
        text += inTable;
    }
    window().setControlText(ids::GlyphLabel, text);
    window().setControlText(ids::GlyphWidthEdit, std::to_string(font_.widths[static_cast<std::size_t>(glyph)]));
    if (room_ == 0) // the font table's entry is not one Scrivlet may write through
        window().setControlText(ids::FontNote, fontChangeMessage({FontChangeOutcome::UnknownEntry}, kind_));
    else
        window().setControlText(ids::FontNote, glyph >= room_ ? messages::GlyphPastFont : "");
    showGrid();
    showChosen();
}

int FontDialog::typedWidth()
{
    const std::string typed = window().controlText(ids::GlyphWidthEdit);
    if (typed.empty() || typed.size() > 2)
        return -1;
    const int width = std::stoi(typed);
    return width <= GlyphSize ? width : -1;
}

bool FontDialog::hasUnappliedChanges()
{
    const std::string typed = window().controlText(ids::GlyphWidthEdit);
    return pixels_ != glyphOf(font_, chosen_) || typed != std::to_string(font_.widths[static_cast<std::size_t>(chosen_)]);
}

bool FontDialog::apply()
{
    const int width = typedWidth();
    const FontChange change = owner_.writeGlyph(kind_, chosen_, pixels_, width < 0 ? GlyphSize + 1 : width);
    if (change.outcome != FontChangeOutcome::Written) {
        window().messageBox(fontChangeMessage(change, kind_), messages::FontCaption, ui::MessageIcon::Exclamation);
        return false;
    }
    readFont();
    const int glyph = chosen_;
    choose(glyph);
    window().setControlText(ids::FontNote, formatted(messages::GlyphWritten, 0x50 + glyph, fontName(kind_)));
    return true;
}

bool FontDialog::settleChanges()
{
    if (!hasUnappliedChanges())
        return true;
    char question[256];
    std::snprintf(question, sizeof question, messages::GlyphUnapplied, 0x50 + chosen_);
    switch (window().ask(question, messages::FontCaption, ui::QuestionButtons::YesNoCancel)) {
    case ui::Answer::Yes: return apply();
    case ui::Answer::No: return true;
    case ui::Answer::Cancel: return false;
    }
    return false;
}

void FontDialog::makeRoom()
{
    if (!settleChanges())
        return;
    const FontChange change = owner_.makeRoomInFont(kind_);
    if (change.outcome != FontChangeOutcome::Written) {
        const bool said = change.outcome == FontChangeOutcome::AlreadyMoved;
        window().messageBox(fontChangeMessage(change, kind_), messages::FontCaption, said ? ui::MessageIcon::None : ui::MessageIcon::Exclamation);
        return;
    }
    readFont();
    choose(chosen_);
    char note[256];
    std::snprintf(note, sizeof note, messages::FontMoved, fontName(kind_), dollarAddress(change.glyphs).c_str());
    window().setControlText(ids::FontNote, note);
}

void FontDialog::switchFont()
{
    if (!settleChanges())
        return;
    kind_ = kind_ == FontKind::Main ? FontKind::Saturn : FontKind::Main;
    readFont();
    choose(chosen_);
}

void FontDialog::onCommand(int id)
{
    switch (id) {
    case ids::GlyphApplyButton: apply(); break;
    case ids::FontMakeRoomButton: makeRoom(); break;
    case ids::FontSwitchButton: switchFont(); break;
    case ui::IdCancel:
        if (settleChanges())
            window().endDialog(ui::IdCancel);
        break;
    default: break;
    }
}

void FontDialog::onNotify(int controlId, ui::Notification notification)
{
    if (controlId == ids::GlyphWidthEdit && notification == ui::Notification::TextChanged)
        showChosen();
}

void FontDialog::onPictureMouse(int controlId, ui::MouseAction action, int x, int y)
{
    if (controlId == ids::FontGrid && action == ui::MouseAction::Press) {
        const int glyph = glyphAtGridPixel(x, y);
        if (glyph >= 0 && glyph != chosen_ && settleChanges())
            choose(glyph);
        return;
    }
    if (controlId != ids::GlyphPicture)
        return;
    const int px = (x - 1) / fontview::PixelSize, py = (y - 1) / fontview::PixelSize;
    if (x < 1 || y < 1 || px >= GlyphSize || py >= GlyphSize)
        return;
    if (action == ui::MouseAction::Press) {
        painting_ = !glyphPixel(pixels_, px, py); // on ink the press clears, on paper it draws
        lastX_ = px;
        lastY_ = py;
    }
    // A quick drag skips pixels between two reports: the stroke runs straight from the last one.
    const int steps = std::max(std::abs(px - lastX_), std::abs(py - lastY_));
    bool changed = false;
    for (int s = 0; s <= steps; ++s) {
        const int x = steps == 0 ? px : lastX_ + (px - lastX_) * s / steps;
        const int y = steps == 0 ? py : lastY_ + (py - lastY_) * s / steps;
        changed = changed || glyphPixel(pixels_, x, y) != painting_;
        setGlyphPixel(pixels_, x, y, painting_);
    }
    lastX_ = px;
    lastY_ = py;
    if (changed)
        showChosen();
}

bool FontDialog::onCloseRequest() { return settleChanges(); }

} // namespace scrivlet
