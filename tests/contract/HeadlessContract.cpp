// The contract suite on the in-memory backend, through its scripted user actions.
#include "ContractSuite.h"

#include "ui/headless/HeadlessPlatform.h"

#include <cctype>
#include <filesystem>

namespace scrivlet::contract {
namespace {

class HeadlessDriver : public BackendDriver {
public:
    std::string name() const override { return "headless"; }

    ui::Window& openMain(ui::DialogHandler& handler) override
    {
        main_ = platform_.openMain(ids::MainDialogTemplate, handler);
        stack_.push_back(main_.get());
        return *main_;
    }

    int runModal(int templateId, ui::DialogHandler& handler, const std::function<void()>& user) override
    {
        platform_.drivers.push_back([this, user](ui::HeadlessWindow& modal) {
            stack_.push_back(&modal);
            user();
            stack_.pop_back();
        });
        return platform_.runModal(templateId, handler, *main_);
    }

    void chooseMenu(int commandId) override { top().chooseMenu(commandId); }
    MenuItemLook menuItemLook(int commandId) override
    {
        // The model draws nothing: its look is its state.
        return {true, main_->isMenuItemChecked(commandId) ? 1 : 0, main_->isMenuItemEnabled(commandId) ? 0 : 128};
    }
    void openAndCloseMenu(int) override {} // the model's menus never take the focus
    void clickRow(int listId, int row) override { top().clickRow(listId, row); }
    void rightClickRow(int listId, int row) override { top().clickRow(listId, row, true); }
    void clickControl(int id) override
    {
        ui::HeadlessWindow& w = top();
        if (w.control(id).kind == ui::ControlKind::PushButton)
            w.clickButton(id);
        else if (w.control(id).kind == ui::ControlKind::ListView)
            w.clickRow(id, -1);
        else
            w.clickControl(id);
    }
    void doubleClickRow(int listId, int row) override { top().doubleClickRow(listId, row); }
    void dragRows(int listId, int fromRow, int toRow) override { top().dragRows(listId, fromRow, toRow); }
    void pressDownKey(int listId) override
    {
        const int mark = top().listSelectionMark(listId);
        top().pressKey(listId, std::min(mark + 1, top().listRowCount(listId) - 1));
    }
    void typeAhead(int listId, char letter) override
    {
        // The next row after the mark whose text starts with the letter, wrapping.
        ui::HeadlessWindow& w = top();
        const int rows = w.listRowCount(listId);
        const int mark = w.listSelectionMark(listId);
        int reached = mark;
        for (int step = 1; step <= rows; ++step) {
            const int row = (mark + step) % rows;
            const std::string text = w.listRowText(listId, row);
            if (!text.empty() && std::tolower(static_cast<unsigned char>(text[0])) == std::tolower(static_cast<unsigned char>(letter))) {
                reached = row;
                break;
            }
        }
        w.pressKey(listId, reached);
    }
    void clickInto(int controlId) override { top().focus(controlId); }
    void typeKeys(int editId, const std::string& keys) override { top().typeKeys(editId, keys); }
    void selectAllIn(int) override {} // the model's selection is always the whole text
    void pressKeys(int controlId, const std::string& keys) override
    {
        ui::HeadlessWindow& w = top();
        w.focus(controlId);
        // The edit box moves its caret itself.
        if (w.control(controlId).kind == ui::ControlKind::Edit && (keys == "Left" || keys == "Right" || keys == "Ctrl+End" || keys == "Ctrl+Home")) {
            const std::string text = w.controlText(controlId);
            int caret = w.editCaret(controlId);
            const auto pair = [&](int at) { return at >= 0 && at + 1 < static_cast<int>(text.size()) && text[static_cast<std::size_t>(at)] == '\r' && text[static_cast<std::size_t>(at) + 1] == '\n'; };
            if (keys == "Left")
                caret -= pair(caret - 2) ? 2 : 1;
            else if (keys == "Right")
                caret += pair(caret) ? 2 : 1;
            else
                caret = keys == "Ctrl+End" ? static_cast<int>(text.size()) : 0;
            w.moveCaret(controlId, caret);
            return;
        }
        // The edit box does its own clipboard keys; every other key is the dialog's.
        if (w.control(controlId).kind == ui::ControlKind::Edit && (keys == "Ctrl+X" || keys == "Ctrl+C" || keys == "Ctrl+V" || keys == "Ctrl+Z")) {
            if (keys == "Ctrl+X")
                w.editCut(controlId);
            else if (keys == "Ctrl+C")
                w.editCopy(controlId);
            else if (keys == "Ctrl+V")
                w.editPaste(controlId);
            else
                w.editUndo(controlId);
            return;
        }
        w.pressShortcut(keys);
    }
    void pressEnter() override { top().pressEnter(); }
    void pressEscape() override { top().pressEscape(); }
    void pressCloseBox() override { top().pressCloseBox(); }
    bool topWindowIsUp() override { return !top().ended(); }
    void clickButton(int id) override { top().clickButton(id); }
    void selectTab(int tabId, int index) override { top().selectTab(tabId, index); }
    int highlightedRow(int listId) override { return top().control(listId).selected; }

    ui::MessageRecord answerMessageBox(const std::function<void()>& causeIt) override
    {
        ui::HeadlessWindow& w = top();
        const std::size_t before = w.messages.size();
        causeIt();
        return w.messages.size() > before ? w.messages[before] : ui::MessageRecord{};
    }

    ui::MessageRecord answerQuestion(ui::Answer answer, const std::function<void()>& causeIt) override
    {
        top().answers.push_back(answer);
        return answerMessageBox(causeIt);
    }

    std::string hoverTip(int editId, int index) override { return top().hover(editId, index); }
    std::string hoverTipBelowText(int) override { return {}; }
    void dropFiles(int, const std::vector<std::string>& paths) override { top().dropFiles(paths); }
    void dragOnPicture(int id, const std::vector<std::pair<int, int>>& pixels) override { top().dragOnPicture(id, pixels); }
    bool editWarnedAt(int editId, int position) override
    {
        for (const auto& [from, to] : top().control(editId).warnings)
            if (position >= from && position < to)
                return true;
        return false;
    }
    // The model draws nothing: the picture's middle is the control's, the rest its corner's colour.
    std::uint32_t pictureColourAt(int id, int dx, int dy) override
    {
        const ui::PixelImage& image = top().control(id).picture;
        if (image.argb.empty())
            return 0;
        const int x = image.width / 2 + dx, y = image.height / 2 + dy;
        if (x < 0 || y < 0 || x >= image.width || y >= image.height)
            return image.argb[0] | 0xFF000000u;
        return image.argb[static_cast<std::size_t>(y * image.width + x)] | 0xFF000000u;
    }

    void typeIntoOpenDialog(const std::string& path, const std::function<void()>& causeIt) override
    {
        // The model has no dialog to type into: its scripted answer stands for it.
        top().fileAnswers.push_back({path, std::filesystem::path(path).filename().string()});
        causeIt();
    }

private:
    ui::HeadlessWindow& top() { return *stack_.back(); }

    ui::HeadlessPlatform platform_;
    std::unique_ptr<ui::HeadlessWindow> main_;
    std::vector<ui::HeadlessWindow*> stack_;
};

INSTANTIATE_TEST_SUITE_P(Headless, ContractTest,
    ::testing::Values(Backend{"headless", [] { return std::unique_ptr<BackendDriver>(new HeadlessDriver); }}),
    [](const ::testing::TestParamInfo<Backend>& info) { return std::string(info.param.name); });

} // namespace
} // namespace scrivlet::contract
