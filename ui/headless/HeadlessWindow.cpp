#include "HeadlessWindow.h"

#include <filesystem>
#include <stdexcept>

namespace scrivlet::ui {

HeadlessWindow::HeadlessWindow(const DialogTemplate& dialogTemplate, DialogHandler& handler)
    : handler_(handler), template_(dialogTemplate), caption_(dialogTemplate.caption)
{
    for (const ControlTemplate& c : dialogTemplate.controls) {
        if (c.id < 0)
            continue;
        Control& control = controls_[c.id];
        control.kind = c.kind;
        control.text = c.caption;
        control.style = c.style;
    }
    if (const auto* menus = findMenuTemplate(dialogTemplate.menu))
        for (const MenuTemplate& m : *menus)
            for (const MenuItemTemplate& item : m.items)
                if (item.id != 0)
                    menu_[item.id] = {true, item.checked, item.checkable};
}

HeadlessWindow::Control& HeadlessWindow::at(int id)
{
    auto it = controls_.find(id);
    if (it == controls_.end())
        throw std::out_of_range("no control " + std::to_string(id));
    return it->second;
}

const HeadlessWindow::Control& HeadlessWindow::control(int id) const { return controls_.at(id); }

void HeadlessWindow::setControlText(int id, const std::string& text)
{
    Control& c = at(id);
    c.text = text; // set by the program: no text-changed notification, no typing limit
    c.undoText = text;
}

std::string HeadlessWindow::controlText(int id) const { return controls_.at(id).text; }
void HeadlessWindow::enableControl(int id, bool enabled) { at(id).enabled = enabled; }
bool HeadlessWindow::isControlEnabled(int id) const { return controls_.at(id).enabled; }

void HeadlessWindow::enableMenuItem(int id, bool enabled) { menu_.at(id).enabled = enabled; }
void HeadlessWindow::checkMenuItem(int id, bool checked) { menu_.at(id).checked = checked; }
bool HeadlessWindow::isMenuItemEnabled(int id) const { return menu_.at(id).enabled; }
bool HeadlessWindow::isMenuItemChecked(int id) const { return menu_.at(id).checked; }

void HeadlessWindow::listDeleteAll(int id)
{
    Control& c = at(id);
    c.rows.clear();
    c.mark = c.selected = c.hot = -1;
}

void HeadlessWindow::listInsertRow(int id, int index, const std::string& text)
{
    Control& c = at(id);
    index = std::max(0, std::min(index, static_cast<int>(c.rows.size())));
    c.rows.insert(c.rows.begin() + index, text);
    // The mark and the highlight stay on their rows.
    if (c.selected >= index)
        ++c.selected;
    if (c.mark >= index && c.mark >= 0)
        ++c.mark;
}

void HeadlessWindow::listDeleteRow(int id, int index)
{
    Control& c = at(id);
    if (index < 0 || index >= static_cast<int>(c.rows.size()))
        return;
    c.rows.erase(c.rows.begin() + index);
    // The mark and the highlight stay on their rows; a highlighted row that is
    // deleted leaves no row highlighted, a marked one leaves the mark where it was.
    if (c.selected == index)
        c.selected = -1;
    else if (c.selected > index)
        --c.selected;
    if (c.mark > index)
        --c.mark;
}

int HeadlessWindow::listRowCount(int id) const { return static_cast<int>(controls_.at(id).rows.size()); }
std::string HeadlessWindow::listRowText(int id, int index) const { return controls_.at(id).rows.at(static_cast<std::size_t>(index)); }
int HeadlessWindow::listSelectionMark(int id) const { return controls_.at(id).mark; }
void HeadlessWindow::setListSelectionMark(int id, int index) { at(id).mark = index; }
void HeadlessWindow::listEnsureVisible(int id, int index) { at(id).ensuredVisible = index; }
void HeadlessWindow::listSelectRow(int id, int index) { at(id).selected = index; }
void HeadlessWindow::setListHotItem(int id, int index) { at(id).hot = index; }

void HeadlessWindow::setEditLimit(int id, int characters) { at(id).editLimit = characters; }

void HeadlessWindow::editUndo(int id)
{
    Control& c = at(id);
    std::swap(c.text, c.undoText);
    handler_.onNotify(id, Notification::TextChanged);
}

// The model's selection is the whole text.
void HeadlessWindow::editCut(int id)
{
    Control& c = at(id);
    clipboard = c.text;
    c.undoText = c.text;
    c.text.clear();
    handler_.onNotify(id, Notification::TextChanged);
}

void HeadlessWindow::editCopy(int id) { clipboard = at(id).text; }

void HeadlessWindow::editPaste(int id)
{
    Control& c = at(id);
    c.undoText = c.text;
    c.text += clipboard;
    handler_.onNotify(id, Notification::TextChanged);
}

void HeadlessWindow::createChildControl(int parentId, int childId, ControlKind kind, PixelRect rect, unsigned style, int bitmap)
{
    Control& c = controls_[childId];
    c = Control{};
    c.kind = kind;
    c.parent = parentId;
    c.rect = rect;
    c.style = style;
    c.bitmap = bitmap;
    c.visible = false;
}

void HeadlessWindow::tabInsert(int id, int index, const std::string& caption)
{
    Control& c = at(id);
    c.rows.insert(c.rows.begin() + std::max(0, std::min(index, static_cast<int>(c.rows.size()))), caption);
    if (c.mark < 0)
        c.mark = 0;
}

void HeadlessWindow::moveTo(int left, int top)
{
    const int width = rect_.right - rect_.left;
    const int height = rect_.bottom - rect_.top;
    rect_ = {left, top, left + width, top + height};
}

void HeadlessWindow::selectTab(int tabId, int index)
{
    at(tabId).mark = index;
    handler_.onNotify(tabId, Notification::TabSelectionChanged);
}

void HeadlessWindow::clickControl(int id)
{
    if (at(id).enabled)
        handler_.onNotify(id, Notification::Click);
}

void HeadlessWindow::messageBox(const std::string& text, const std::string& caption, MessageIcon icon)
{
    messages.push_back({text, caption, icon});
    if (onMessageBox)
        onMessageBox(messages.back());
}

FileChoice HeadlessWindow::chooseFileToOpen(const std::string& filter)
{
    lastFileFilters.push_back(filter);
    if (fileAnswers.empty())
        return {};
    FileChoice choice = fileAnswers.front();
    fileAnswers.pop_front();
    if (!choice.path.empty()) {
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::absolute(choice.path).parent_path(), ignored);
    }
    return choice;
}

void HeadlessWindow::endDialog(int result)
{
    ended_ = true;
    endResult_ = result;
}

bool HeadlessWindow::chooseMenu(int id)
{
    if (!menu_.at(id).enabled)
        return false;
    handler_.onCommand(id);
    return true;
}

bool HeadlessWindow::listReports(int listId) const { return controls_.at(listId).enabled; }

void HeadlessWindow::clickRow(int listId, int row, bool right)
{
    if (!listReports(listId))
        return;
    Control& c = at(listId);
    if (row >= 0 && row < static_cast<int>(c.rows.size())) {
        c.mark = row;
        c.selected = row;
    }
    focus(listId);
    handler_.onNotify(listId, right ? Notification::RightClick : Notification::Click);
}

void HeadlessWindow::doubleClickRow(int listId, int row)
{
    clickRow(listId, row);
    if (listReports(listId))
        handler_.onNotify(listId, Notification::DoubleClick);
}

void HeadlessWindow::pressKey(int listId, int markAfterKey)
{
    if (!listReports(listId))
        return;
    Control& c = at(listId);
    if (markAfterKey >= 0 && markAfterKey < static_cast<int>(c.rows.size())) {
        c.mark = markAfterKey;
        c.selected = markAfterKey;
    }
    handler_.onNotify(listId, Notification::KeyDown);
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
    handler_.onNotify(editId, Notification::TextChanged);
}

void HeadlessWindow::typeKeys(int editId, const std::string& keys)
{
    Control& c = at(editId);
    if (!c.enabled)
        return;
    for (char key : keys) {
        const std::string typed = key == '\r' ? std::string("\r\n") : std::string(1, key);
        if ((c.style & DigitsOnly) && (key < '0' || key > '9'))
            continue;
        if (c.editLimit > 0 && c.text.size() + typed.size() > static_cast<std::size_t>(c.editLimit))
            continue;
        c.undoText = c.text;
        c.text += typed;
        handler_.onNotify(editId, Notification::TextChanged);
    }
}

void HeadlessWindow::dragRows(int listId, int fromRow, int toRow)
{
    if (!listReports(listId))
        return;
    Control& c = at(listId);
    for (int row : {fromRow, toRow})
        if (row >= 0 && row < static_cast<int>(c.rows.size()))
            c.mark = c.selected = row;
    handler_.onNotify(listId, Notification::Click); // reported when the button is released
}

bool HeadlessWindow::pressShortcut(const std::string& keys)
{
    if (const auto* menus = findMenuTemplate(template_.menu))
        for (const MenuTemplate& m : *menus)
            for (const MenuItemTemplate& item : m.items)
                if (item.id != 0 && item.shortcut == keys) {
                    chooseMenu(item.id);
                    return true;
                }
    for (const Accelerator& a : template_.accelerators)
        if (a.keys == keys) {
            if (controls_.count(a.command))
                clickButton(a.command);
            else
                handler_.onCommand(a.command);
            return true;
        }
    return false;
}

void HeadlessWindow::pressEnter()
{
    if (focused_ != 0 && controls_.count(focused_) && controls_.at(focused_).kind == ControlKind::PushButton) {
        clickButton(focused_);
        return;
    }
    for (const auto& [id, c] : controls_)
        if (c.kind == ControlKind::PushButton && (c.style & DefaultButton)) {
            clickButton(id);
            return;
        }
    handler_.onCommand(IdOk);
}

void HeadlessWindow::focus(int id)
{
    if (!at(id).enabled || focused_ == id)
        return;
    const int old = focused_;
    focused_ = id;
    if (old != 0 && controls_.count(old) && controls_.at(old).kind == ControlKind::Edit)
        handler_.onNotify(old, Notification::LostFocus);
    if (at(id).kind == ControlKind::Edit)
        handler_.onNotify(id, Notification::GotFocus);
}

void HeadlessWindow::blur(int editId)
{
    if (focused_ == editId)
        focused_ = 0;
    handler_.onNotify(editId, Notification::LostFocus);
}

void HeadlessWindow::clickButton(int id)
{
    if (at(id).enabled)
        handler_.onCommand(id);
}

void HeadlessWindow::pressEscape()
{
    if (handler_.onCloseRequest())
        endDialog(2);
}

} // namespace scrivlet::ui
