// The main window's view of text as the game's window shows it: the preview
// pane, the marks past the window's width, and the fit check of a listing.
#include "app/MainDialog.h"

#include "FitCheckDialog.h"
#include "catalogue/FitCheck.h"
#include "edit/Messages.h"
#include "resources/ResourceIds.h"
#include "text/GamePreview.h"
#include "text/TextFit.h"

#include <algorithm>
#include <charconv>
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
    for (int id : {ids::PreviewPane, ids::PreviewWindowLabel, ids::PreviewWindowEntry, ids::PreviewWindowSize})
        window_->showControl(id, showPreview);
    updatePreview(window_->controlText(ids::EditBox));
}

void MainDialog::showLayoutWindowSize()
{
    char size[64];
    std::snprintf(size, sizeof size, messages::PreviewWindowSize, layoutSetup.width, layoutSetup.lines);
    window_->setControlText(ids::PreviewWindowSize, romOpen() ? size : "");
}

void MainDialog::choosePreviewWindow()
{
    const std::string typed = window_->controlText(ids::PreviewWindowEntry);
    int entry = 0;
    const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), entry);
    if (typed.empty() || error != std::errc() || end != typed.data() + typed.size() || entry < 0 || entry >= WindowEntryCount
        || entry == windowEntry)
        return; // a number half typed, or none: the window stays as it was
    windowEntry = entry;
    if (romOpen())
        chooseLayoutWindow(layoutSetup, romFile, windowEntry);
    showLayoutWindowSize();
    const std::string text = window_->controlText(ids::EditBox);
    updateFitMarks(text);
    updatePreview(text);
}

void MainDialog::updateFitMarks(const std::string& text)
{
    std::vector<std::pair<int, int>> marks;
    if (romOpen())
        for (const auto& [from, to] : cutRanges(text, layoutSetup, currentCodeGrouping()))
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
    // The page the player reads once the text up to the caret is printed.
    const EncodedText placed = encodeDisplayText(text);
    const auto items = textItems(placed.bytes, currentCodeGrouping());
    const TextLayout layout = layOutText(placed.bytes, items, layoutSetup);
    const auto caret = static_cast<std::size_t>(window_->editCaret(ids::EditBox));
    int caretByte = 0;
    while (caretByte < static_cast<int>(placed.places.size()) && placed.places[static_cast<std::size_t>(caretByte)].second <= caret)
        ++caretByte;
    const int page = previewPageOf(layout, caretByte);
    window_->setControlPicture(ids::PreviewPane, toPixels(renderPreview(layout, layoutSetup, page)));
}

void MainDialog::checkTextFit()
{
    if (!romOpen())
        return;
    std::vector<FitFinding> found = checkFit(romFile, textCatalogue(), layoutSetup, currentCodeGrouping(), true);
    if (found.empty()) {
        char sentence[200];
        std::snprintf(sentence, sizeof sentence, messages::EverythingFits, layoutSetup.width, layoutSetup.lines);
        window_->messageBox(sentence, messages::CheckFitCaption, ui::MessageIcon::None);
        return;
    }
    // Cut words first, then the text that scrolls away, each group in row order.
    std::stable_partition(found.begin(), found.end(), [](const FitFinding& f) { return f.kind == FitFinding::Kind::Cut; });
    FitCheckDialog dialog(*this, std::move(found));
    platform_.runModal(ids::FitCheckDialogTemplate, dialog, *window_);
}

} // namespace scrivlet
