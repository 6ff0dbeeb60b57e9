// The window itself: its controls and menu items from the template, texts,
// enabling, focus, the keys every dialog answers (Enter, Escape) and its end.
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
        control.visible = !(c.style & Hidden);
        control.rect = {c.left, c.top, c.left + c.width, c.top + c.height};
        control.anchor = c.anchor;
    }
    if (const auto* menus = findMenuTemplate(dialogTemplate.menu))
        for (const MenuTemplate& m : *menus)
            for (const MenuItemTemplate& item : m.items)
                if (item.id != 0)
                    menu_[item.id] = {true, item.checked, item.checkable, item.caption};
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
    c.caret = 0;
}

std::string HeadlessWindow::controlText(int id) const { return controls_.at(id).text; }

void HeadlessWindow::enableControl(int id, bool enabled) { at(id).enabled = enabled; }

bool HeadlessWindow::isControlEnabled(int id) const { return controls_.at(id).enabled; }

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

void HeadlessWindow::placeControl(int id, int left, int top, int width, int height, Anchor anchor)
{
    Control& c = at(id);
    c.rect = {left, top, left + width, top + height};
    c.anchor = anchor;
}

void HeadlessWindow::showControl(int id, bool visible) { at(id).visible = visible; }
bool HeadlessWindow::isControlVisible(int id) const { return controls_.at(id).visible; }

void HeadlessWindow::moveTo(int left, int top)
{
    const int width = rect_.right - rect_.left;
    const int height = rect_.bottom - rect_.top;
    rect_ = {left, top, left + width, top + height};
}

void HeadlessWindow::endDialog(int result)
{
    ended_ = true;
    endResult_ = result;
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

void HeadlessWindow::pressEscape()
{
    if (handler_.onCloseRequest())
        endDialog(2);
}

} // namespace scrivlet::ui
