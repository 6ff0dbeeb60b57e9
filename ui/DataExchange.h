#pragma once

#include "Window.h"

#include <string>

namespace scrivlet::ui {

// Moves values between a dialog's members and its controls, both ways in one
// function. Saving validates: the first field that fails gets the framework's
// message and the focus, and the exchange stops there.
class DataExchange {
public:
    DataExchange(Window& window, bool saving) : window_(window), saving_(saving) {}

    bool saving() const { return saving_; }
    bool failed() const { return failed_; }

    void text(int id, std::string& member, int maxChars);
    void integer(int id, int& member, int low, int high);

private:
    void fail(int id, const std::string& message);

    Window& window_;
    bool saving_;
    bool failed_ = false;
};

// A modal dialog whose OK runs the exchange and closes only when it passes.
class ExchangeDialog : public DialogHandler {
public:
    void onInitDialog() override;
    void onCommand(int id) override;
    virtual void exchange(DataExchange& dx) = 0;
    // OK: validate, then end with 1.
    virtual void onOk();
};

} // namespace scrivlet::ui
