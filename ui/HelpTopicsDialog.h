#pragma once

#include "HelpTopics.h"
#include "Window.h"

namespace scrivlet::ui {

// The help file's topic finder, for platforms with no help viewer of their
// own: a search field, the topics that mention what it holds, and the page of
// the topic chosen.
class HelpTopicsDialog : public DialogHandler {
public:
    static constexpr int SearchEdit = 100;
    static constexpr int TopicList = 101;
    static constexpr int PageEdit = 102;
    static const DialogTemplate& dialogTemplate();

    explicit HelpTopicsDialog(std::vector<HelpTopic> topics) : topics_(std::move(topics)) {}

    void onInitDialog() override;
    void onCommand(int id) override;
    void onNotify(int controlId, Notification notification) override;

    // The topics listed now, as indexes into all of them.
    const std::vector<std::size_t>& shown() const { return shown_; }

private:
    void listTopics();
    void showPage();

    std::vector<HelpTopic> topics_;
    std::vector<std::size_t> shown_;
};

} // namespace scrivlet::ui
