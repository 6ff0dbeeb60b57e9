#include "DataExchange.h"

#include "edit/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace scrivlet::ui {

void DataExchange::fail(int id, const std::string& message)
{
    failed_ = true;
    window_.messageBox(message, window_.caption(), MessageIcon::Exclamation);
    window_.setFocus(id);
}

void DataExchange::text(int id, std::string& member, int maxChars)
{
    if (failed_)
        return;
    if (!saving_) {
        window_.setControlText(id, member);
        return;
    }
    const std::string value = window_.controlText(id);
    if (static_cast<int>(value.size()) > maxChars) {
        char message[128];
        std::snprintf(message, sizeof message, messages::EnterNoMoreThan, maxChars);
        fail(id, message);
        return;
    }
    member = value;
}

void DataExchange::integer(int id, int& member, int low, int high)
{
    if (failed_)
        return;
    if (!saving_) {
        window_.setControlText(id, std::to_string(member));
        return;
    }
    const std::string value = window_.controlText(id);
    const char* begin = value.c_str();
    while (*begin == ' ' || *begin == '\t')
        ++begin;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(begin, &end, 10);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == begin || *end != '\0' || errno == ERANGE) {
        fail(id, messages::EnterInteger);
        return;
    }
    if (parsed < low || parsed > high) {
        char message[128];
        std::snprintf(message, sizeof message, messages::EnterIntegerBetween, low, high);
        fail(id, message);
        return;
    }
    member = static_cast<int>(parsed);
}

void ExchangeDialog::onInitDialog()
{
    DataExchange dx(*window_, false);
    exchange(dx);
}

void ExchangeDialog::onCommand(int id)
{
    if (id == IdOk)
        onOk();
    else if (id == IdCancel)
        window_->endDialog(IdCancel);
}

void ExchangeDialog::onOk()
{
    DataExchange dx(*window_, true);
    exchange(dx);
    if (!dx.failed())
        window_->endDialog(IdOk);
}

} // namespace scrivlet::ui
