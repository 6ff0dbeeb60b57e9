// Text typed into the edit box and not applied is never dropped without a
// question: each action that would replace it first asks whether to apply it
// to its line, discard it, or go back to it.
#include "app/MainDialog.h"

#include "Messages.h"
#include "resources/ResourceIds.h"

#include <cstdio>

namespace scrivlet {

bool MainDialog::hasUnappliedText() const
{
    return romOpen() && window_->controlText(ids::EditBox) != shownText_;
}

bool MainDialog::settleUnappliedText(ui::Window* asker)
{
    if (!hasUnappliedText())
        return true;
    char question[512];
    std::snprintf(question, sizeof question, messages::Unapplied, shownRow_ + 1);
    const ui::Answer answer = (asker ? *asker : *window_).ask(question, messages::UnappliedCaption, ui::QuestionButtons::YesNoCancel);
    if (answer == ui::Answer::Cancel)
        return false;
    if (answer == ui::Answer::No)
        return true;
    // Applied to the row it was typed for, wherever the mark is now; a refusal
    // (with its message) stops the action.
    const int mark = currentRow();
    moveMarkTo(shownRow_);
    if (!applyChanges())
        return false;
    moveMarkTo(mark);
    return true;
}

void MainDialog::moveMarkTo(int row)
{
    if (currentRow() != row)
        window_->setListSelectionMark(ids::ListView, row);
}

bool MainDialog::reachRow(int reached)
{
    if (hasUnappliedText()) {
        // A key or click that stays on the edited row keeps its text; one that
        // moves elsewhere asks first, and Cancel takes the mark back.
        if (reached == shownRow_)
            return true;
        if (!settleUnappliedText()) {
            moveMarkTo(shownRow_);
            window_->listSelectRow(ids::ListView, shownRow_);
            return false;
        }
    }
    showEntry(reached);
    updateCurrentSize();
    return true;
}

} // namespace scrivlet
