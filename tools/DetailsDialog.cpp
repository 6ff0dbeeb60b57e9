#include "DetailsDialog.h"

#include "catalogue/TextCatalogue.h"
#include "resources/ResourceIds.h"
#include "rom/RomAddress.h"
#include "rom/RomFile.h"
#include "rom/RomIdentity.h"
#include "ui/DataExchange.h"

#include <cstdio>

namespace scrivlet {

namespace {

struct ChildSpec {
    int id;
    ui::ControlKind kind;
    ui::PixelRect rect;
    unsigned style;
    int bitmap;
};

constexpr ChildSpec Children[] = {
    {DetailsDialog::RomPicture, ui::ControlKind::StaticBitmap, {20, 40, 62, 106}, 0, 145},
    {DetailsDialog::ToolboxPicture, ui::ControlKind::StaticBitmap, {20, 32, 62, 96}, 0, 148},
    {DetailsDialog::RawDataEdit, ui::ControlKind::Edit, {7, 30, 273, 215},
        ui::MultiLine | ui::ReadOnly | ui::VerticalScroll | ui::Border | ui::SunkenEdge | ui::FixedPitch, 0},
    {DetailsDialog::RomInfoText, ui::ControlKind::StaticText, {80, 40, 273, 106}, 0, 0},
    {DetailsDialog::TextAttributes, ui::ControlKind::StaticText, {95, 30, 273, 119}, 0, 0},
    {DetailsDialog::RulePicture, ui::ControlKind::StaticBitmap, {15, 120, 265, 122}, 0, 150},
    {DetailsDialog::ScreenPicture, ui::ControlKind::StaticBitmap, {36, 143, 68, 175}, 0, 149},
    {DetailsDialog::PointerAttributes, ui::ControlKind::StaticText, {95, 136, 273, 220}, 0, 0},
};

std::string format(const char* pattern, long long a, long long b = 0)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, a, b);
    return buffer;
}

const TextEntry& entryOf(int row)
{
    static const TextEntry none{};
    const TextCatalogue& catalogue = textCatalogue();
    return catalogue.isRow(row) ? catalogue.rows[static_cast<std::size_t>(row)] : none;
}

} // namespace

void DetailsDialog::setSubject(RomFile& rom, const std::string& fileName, int rowIndex, int blockSize)
{
    romStream_ = &rom;
    fileName_ = fileName;
    rowIndex_ = rowIndex;
    blockSize_ = blockSize;
}

void DetailsDialog::onInitDialog()
{
    built_ = false;
    window_->tabDeleteAll(ids::DetailsTabControl);
    window_->tabInsert(ids::DetailsTabControl, 0, "Misc. Info");
    window_->tabInsert(ids::DetailsTabControl, 1, "Raw Data");
    window_->tabInsert(ids::DetailsTabControl, 2, "ROM Info");
    for (const ChildSpec& c : Children)
        window_->createChildControl(ids::DetailsTabControl, c.id, c.kind, c.rect, c.style, c.bitmap);
    window_->setControlText(RawDataEdit, "");
    built_ = true;
    showDetailsPage(0);
}

void DetailsDialog::onNotify(int controlId, ui::Notification notification)
{
    // A platform may report a change of tab while the tabs are being made, before their pages exist.
    if (controlId == ids::DetailsTabControl && notification == ui::Notification::TabSelectionChanged && built_ && romStream_) {
        romStream_->beginAction(); // each page is built from what the file holds now
        showDetailsPage(window_->tabCurrent(ids::DetailsTabControl));
    }
}

void DetailsDialog::onCommand(int id)
{
    // No buttons: Enter and Escape both close it.
    if (id == ui::IdOk || id == ui::IdCancel)
        window_->endDialog(id);
}

std::string DetailsDialog::textAttributes() const
{
    const auto address = static_cast<std::uint32_t>(entryOf(rowIndex_).snesAddress);
    return format("Text Attributes:\n\nLine:                  %lld/%lld\n", rowIndex_ + 1LL, textCatalogue().count)
        + format("Hex Address:     $%llX\n", static_cast<std::uint32_t>(snesToFileOffset(address)))
        + format("SNES Address:  $%llX\n", address) + format("Size:                   %lld\n", blockSize_);
}

std::string DetailsDialog::pointerAttributes() const
{
    const TextEntry& e = entryOf(rowIndex_);
    std::string text = "Text Pointer Table Attributes:\n\n";
    if (e.tptRecordOffset == 0)
        return text + "Indeterminate";
    return text + format("Location:        $%llX\n", e.tptRecordOffset) + format("Sprite #:          %lld\n", e.spriteNumber)
        + format("Movement #:  %lld\n", e.movementNumber);
}

std::string DetailsDialog::rawData() const
{
    std::string text;
    if (blockSize_ <= 0)
        return text;
    romStream_->seek(snesToFileOffset(static_cast<std::uint32_t>(entryOf(rowIndex_).snesAddress)));
    text.reserve(static_cast<std::size_t>(blockSize_) * 3);
    char group[16];
    for (int i = 0; i < blockSize_; ++i) {
        // Every byte of a long block is shown; a read past the end shows as its value -1.
        std::snprintf(group, sizeof group, "%.2X ", static_cast<unsigned>(romStream_->readByte()));
        text += group;
    }
    return text;
}

std::string DetailsDialog::romInfo() const
{
    const std::string type(romTypeDisplayName(identifyRom(*romStream_)));
    return "ROM Info:\n\nFile Name:    " + fileName_ + "\nROM Type:  " + type + "\n"
        + format("File size:       %lld bytes", romFileSize(*romStream_));
}

void DetailsDialog::showDetailsPage(int page)
{
    for (const ChildSpec& c : Children)
        window_->showControl(c.id, false);
    switch (page) {
    case 0:
        window_->setControlText(TextAttributes, textAttributes());
        window_->setControlText(PointerAttributes, pointerAttributes());
        for (int id : {ToolboxPicture, TextAttributes, RulePicture, ScreenPicture, PointerAttributes})
            window_->showControl(id, true);
        break;
    case 1:
        window_->setControlText(RawDataEdit, rawData());
        window_->showControl(RawDataEdit, true);
        break;
    case 2:
        window_->setControlText(RomInfoText, romInfo());
        window_->showControl(RomPicture, true);
        window_->showControl(RomInfoText, true);
        break;
    default: break;
    }
}

} // namespace scrivlet
