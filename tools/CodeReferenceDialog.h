#pragma once

#include "text/ControlCodes.h"
#include "ui/Window.h"

#include <string>
#include <vector>

namespace scrivlet {

// Every control code of the table in a list that a filter narrows; Insert
// (or a double click) chooses one, to be put in at the caret as one group.
class CodeReferenceDialog : public ui::DialogHandler {
public:
    explicit CodeReferenceDialog(CodeGrouping grouping) : grouping_(grouping) {}
    void onInitDialog() override;
    void onCommand(int id) override;
    void onNotify(int controlId, ui::Notification notification) override;

    // The group chosen, such as "[1C 02 00]"; empty when the window was closed.
    const std::string& chosen() const { return chosen_; }

    // The group Insert puts in for a row: its bytes as the grouping reads
    // them, 00 for each argument byte (a list of none, a string of one byte).
    static std::string insertionFor(const ControlCodeInfo& row, CodeGrouping grouping);
    // The rows whose bytes, name or description hold every word of `filter`, in any case.
    static std::vector<const ControlCodeInfo*> matching(const std::string& filter);

private:
    void fill();
    void showDetails();
    void insert();

    CodeGrouping grouping_;
    std::vector<const ControlCodeInfo*> shown_;
    std::string chosen_;
};

} // namespace scrivlet
