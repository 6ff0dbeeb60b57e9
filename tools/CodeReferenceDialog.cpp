#include "CodeReferenceDialog.h"

#include "resources/ResourceIds.h"
#include "text/TextItems.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace scrivlet {

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string rowLabel(const ControlCodeInfo& row)
{
    std::string bytes = row.bytes;
    bytes.resize(7, ' ');
    return bytes + row.name + ": " + row.description;
}

} // namespace

std::string CodeReferenceDialog::insertionFor(const ControlCodeInfo& row, CodeGrouping grouping)
{
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(row.code)};
    if (row.subCode >= 0)
        bytes.push_back(static_cast<std::uint8_t>(row.subCode));
    int length = row.editorLength > 0 ? row.editorLength : 3; // the classic table's 1F C0 with no address
    if (grouping == CodeGrouping::Game) {
        if (row.gameLength == "2+4n" || row.gameLength == "3+4n")
            length = row.gameLength == "2+4n" ? 2 : 3; // a list of no addresses
        else if (row.addressAfterString)
            length = 4; // one string byte and its end, 02
        else
            length = std::stoi(row.gameLength);
    }
    bytes.resize(std::max(bytes.size(), static_cast<std::size_t>(length)), 0x00);
    if (grouping == CodeGrouping::Game && row.addressAfterString)
        bytes.back() = 0x02;
    return hexGroup(bytes);
}

std::vector<const ControlCodeInfo*> CodeReferenceDialog::matching(const std::string& filter)
{
    std::vector<std::string> words;
    std::istringstream split(lower(filter));
    for (std::string word; split >> word;)
        words.push_back(word);
    std::vector<const ControlCodeInfo*> found;
    for (const ControlCodeInfo& row : controlCodeTable().rows()) {
        const std::string haystack = lower(row.bytes + " " + row.name + " " + row.kind + " " + row.description);
        if (std::all_of(words.begin(), words.end(), [&](const std::string& w) { return haystack.find(w) != std::string::npos; }))
            found.push_back(&row);
    }
    return found;
}

void CodeReferenceDialog::onInitDialog()
{
    fill();
    window().setFocus(ids::CodeFilterEdit);
}

void CodeReferenceDialog::fill()
{
    shown_ = matching(window().controlText(ids::CodeFilterEdit));
    ui::Window& w = window();
    w.listDeleteAll(ids::CodeList);
    for (std::size_t i = 0; i < shown_.size(); ++i)
        w.listInsertRow(ids::CodeList, static_cast<int>(i), rowLabel(*shown_[i]));
    if (!shown_.empty()) {
        w.setListSelectionMark(ids::CodeList, 0);
        w.listSelectRow(ids::CodeList, 0);
    }
    w.enableControl(ids::CodeInsertButton, !shown_.empty());
    showDetails();
}

void CodeReferenceDialog::showDetails()
{
    const int row = window().listSelectionMark(ids::CodeList);
    if (row < 0 || row >= static_cast<int>(shown_.size())) {
        window().setControlText(ids::CodeDetails, shown_.empty() ? "No code matches the filter." : "");
        return;
    }
    const ControlCodeInfo& code = *shown_[static_cast<std::size_t>(row)];
    std::string details = code.bytes + " " + code.name + " (" + code.kind + "): " + code.description + "\nThe game reads "
        + code.gameLength + " bytes, the classic grouping "
        + (code.editorLength > 0 ? std::to_string(code.editorLength) : code.gameLength) + ".  Insert puts in "
        + insertionFor(code, grouping_) + ".";
    window().setControlText(ids::CodeDetails, details);
}

void CodeReferenceDialog::insert()
{
    const int row = window().listSelectionMark(ids::CodeList);
    if (row < 0 || row >= static_cast<int>(shown_.size()))
        return;
    chosen_ = insertionFor(*shown_[static_cast<std::size_t>(row)], grouping_);
    window().endDialog(ui::IdOk);
}

void CodeReferenceDialog::onCommand(int id)
{
    if (id == ids::CodeInsertButton)
        insert();
    else if (id == ui::IdCancel)
        window().endDialog(ui::IdCancel);
}

void CodeReferenceDialog::onNotify(int controlId, ui::Notification notification)
{
    using ui::Notification;
    if (controlId == ids::CodeFilterEdit && notification == Notification::TextChanged)
        fill();
    else if (controlId == ids::CodeList && (notification == Notification::Click || notification == Notification::KeyDown))
        showDetails();
    else if (controlId == ids::CodeList && notification == Notification::DoubleClick)
        insert();
}

} // namespace scrivlet
