// The edit boxes: typing with its limit (a line break is CR LF, digits only
// where asked), and the clipboard requests, done by the control itself.
#include "HeadlessWindow.h"

#include <algorithm>

namespace scrivlet::ui {

void HeadlessWindow::setEditLimit(int id, int characters) { at(id).editLimit = characters; }

void HeadlessWindow::editUndo(int id)
{
    Control& c = at(id);
    std::swap(c.text, c.undoText);
    c.caret = static_cast<int>(c.text.size());
    handler_.onNotify(id, Notification::TextChanged);
}

// The model's selection is the whole text.
void HeadlessWindow::editCut(int id)
{
    Control& c = at(id);
    clipboard = c.text;
    c.undoText = c.text;
    c.text.clear();
    c.caret = 0;
    handler_.onNotify(id, Notification::TextChanged);
}

void HeadlessWindow::editCopy(int id) { clipboard = at(id).text; }

void HeadlessWindow::editReplaceSelection(int id, const std::string& text)
{
    Control& c = at(id);
    c.undoText = c.text;
    const auto caret = static_cast<std::size_t>(std::clamp(c.caret, 0, static_cast<int>(c.text.size())));
    c.text.insert(caret, text);
    c.caret = static_cast<int>(caret + text.size());
    handler_.onNotify(id, Notification::TextChanged);
}

void HeadlessWindow::editPaste(int id)
{
    // As much of the clipboard as fits the typing limit, a line break (CR LF) whole or not at all.
    Control& c = at(id);
    std::size_t take = clipboard.size();
    if (c.editLimit > 0)
        take = std::min(take, c.text.size() >= static_cast<std::size_t>(c.editLimit) ? 0 : c.editLimit - c.text.size());
    if (take > 0 && take < clipboard.size() && clipboard[take - 1] == '\r' && clipboard[take] == '\n')
        --take;
    if (take == 0)
        return;
    c.undoText = c.text;
    const auto caret = static_cast<std::size_t>(std::clamp(c.caret, 0, static_cast<int>(c.text.size())));
    c.text.insert(caret, clipboard.substr(0, take)); // at the caret, as the real controls paste
    c.caret = static_cast<int>(caret + take);
    handler_.onNotify(id, Notification::TextChanged);
}

void HeadlessWindow::typeText(int editId, const std::string& text)
{
    Control& c = at(editId);
    if (!c.enabled)
        return;
    c.undoText = c.text;
    // Typing stops at the limit; a longer text the program put in may only shrink.
    std::size_t room = text.size();
    if (c.editLimit > 0)
        room = std::max(static_cast<std::size_t>(c.editLimit), c.text.size());
    c.text = text.substr(0, room);
    c.caret = static_cast<int>(c.text.size());
    handler_.onNotify(editId, Notification::TextChanged);
}

void HeadlessWindow::typeKeys(int editId, const std::string& keys)
{
    Control& c = at(editId);
    if (!c.enabled)
        return;
    c.caret = static_cast<int>(c.text.size()); // typing goes on at the end of the text, as the drivers type
    for (char key : keys) {
        const std::string typed = key == '\r' ? std::string("\r\n") : std::string(1, key);
        if ((c.style & DigitsOnly) && (key < '0' || key > '9'))
            continue;
        if (c.editLimit > 0 && c.text.size() + typed.size() > static_cast<std::size_t>(c.editLimit))
            continue;
        c.undoText = c.text;
        c.text += typed;
        c.caret = static_cast<int>(c.text.size());
        handler_.onNotify(editId, Notification::TextChanged);
    }
}

void HeadlessWindow::moveCaret(int editId, int position)
{
    Control& c = at(editId);
    position = std::clamp(position, 0, static_cast<int>(c.text.size()));
    if (!c.enabled || position == c.caret)
        return;
    c.caret = position;
    handler_.onNotify(editId, Notification::CaretMoved);
}

} // namespace scrivlet::ui
