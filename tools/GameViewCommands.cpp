// The main window's view of text as the game's window shows it: the preview
// pane, the marks past the window's width, and the fit check of a listing.
#include "app/MainDialog.h"

#include "FitCheckDialog.h"
#include "catalogue/FitCheck.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "text/GamePreview.h"

#include <cstdio>

namespace scrivlet {

namespace {

// Where the edit box stands with the preview beside it, and without.
constexpr int EditLeft = 7, EditTop = 144, EditHeight = 60, FullEditWidth = 306, SideBySideEditWidth = 150;
constexpr ui::Anchor FullEditAnchor{0, 1, 2.0 / 3, 1.0 / 3};
constexpr ui::Anchor SideBySideEditAnchor{0, 0.5, 2.0 / 3, 1.0 / 3};

ui::PixelImage toPixels(Picture picture) { return {picture.width, picture.height, std::move(picture.pixels)}; }

} // namespace

void MainDialog::toggleShowPreview()
{
    showPreview = !showPreview;
    window_->checkMenuItem(ids::OptionsShowPreview, showPreview);
    window_->placeControl(ids::EditBox, EditLeft, EditTop, showPreview ? SideBySideEditWidth : FullEditWidth, EditHeight,
        showPreview ? SideBySideEditAnchor : FullEditAnchor);
    window_->showControl(ids::PreviewPane, showPreview);
    updatePreview(window_->controlText(ids::EditBox));
}

void MainDialog::updateFitMarks(const std::string& text)
{
    std::vector<std::pair<int, int>> marks;
    if (romOpen())
        for (const auto& [from, to] : overflowRanges(text, fitLimit, gameFont, currentCodeGrouping()))
            marks.emplace_back(static_cast<int>(from), static_cast<int>(to));
    window_->setEditWarnings(ids::EditBox, marks);
}

void MainDialog::updatePreview(const std::string& text)
{
    if (!showPreview)
        return;
    if (!romOpen()) {
        window_->setControlPicture(ids::PreviewPane, {});
        return;
    }
    // The page of the game's window that holds the caret, as the game draws the block.
    const PlacedBytes placed = encodeWithPlaces(text);
    const auto items = blockItems(placed.bytes, currentCodeGrouping());
    const TextMeasure measure = measureText(placed.bytes, items, gameFont);
    const auto caret = static_cast<std::size_t>(window_->editCaret(ids::EditBox));
    int caretByte = 0;
    while (caretByte < static_cast<int>(placed.places.size()) && placed.places[static_cast<std::size_t>(caretByte)].second <= caret)
        ++caretByte;
    const PreviewLayout layout{fitLimit, fitLines, 2};
    const int page = previewPageOf(measure, caretByte, layout);
    window_->setControlPicture(ids::PreviewPane, toPixels(renderPreview(placed.bytes, measure, gameFont, layout, page)));
}

void MainDialog::checkTextFit()
{
    if (!romOpen())
        return;
    std::vector<FitOverflow> found = checkFit(romFile, textCatalogue(), gameFont, fitLimit, currentCodeGrouping());
    if (found.empty()) {
        char sentence[160];
        std::snprintf(sentence, sizeof sentence, messages::EverythingFits, fitLimit);
        window_->messageBox(sentence, messages::CheckFitCaption, ui::MessageIcon::None);
        return;
    }
    FitCheckDialog dialog(*this, std::move(found), fitLimit);
    platform_.runModal(ids::FitCheckDialogTemplate, dialog, *window_);
}

} // namespace scrivlet
