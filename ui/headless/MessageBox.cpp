// Message boxes and questions: recorded with their words, caption, icon,
// owner and buttons; a question takes the next scripted answer.
#include "HeadlessWindow.h"

namespace scrivlet::ui {

void HeadlessWindow::messageBox(const std::string& text, const std::string& caption, MessageIcon icon)
{
    messages.push_back({text, caption, icon, caption_, {"OK"}});
    if (onMessageBox)
        onMessageBox(messages.back());
}

Answer HeadlessWindow::ask(const std::string& text, const std::string& caption, QuestionButtons buttons)
{
    const bool cancel = buttons == QuestionButtons::YesNoCancel;
    messages.push_back({text, caption, MessageIcon::Question, caption_,
        cancel ? std::vector<std::string>{"Yes", "No", "Cancel"} : std::vector<std::string>{"Yes", "No"}});
    if (onMessageBox)
        onMessageBox(messages.back());
    Answer answer = cancel ? Answer::Cancel : Answer::No;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    return !cancel && answer == Answer::Cancel ? Answer::No : answer;
}

} // namespace scrivlet::ui
