#include "HelpTopicsDialog.h"

namespace scrivlet::ui {

namespace {

// The page's lines end as the edit box's do.
std::string withLineBreaks(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\r\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

} // namespace

const DialogTemplate& HelpTopicsDialog::dialogTemplate()
{
    static const DialogTemplate help = {
        0, "Scrivlet Help Topics", 380, 200,
        {
            // The list is wide enough for the longest topic name ("Moving text to the expanded area").
            {SearchEdit, ControlKind::Edit, 7, 7, 150, 12, "", AutoHorizontalScroll | Border},
            {TopicList, ControlKind::ListView, 7, 23, 150, 170, "",
                ReportView | SingleSelection | ShowSelectionAlways | NoColumnHeader | SunkenEdge},
            {PageEdit, ControlKind::Edit, 164, 7, 209, 186, "", MultiLine | VerticalScroll | AutoVerticalScroll | Border | ReadOnly},
        },
    };
    return help;
}

void HelpTopicsDialog::onInitDialog()
{
    listTopics();
    window().setFocus(SearchEdit);
}

void HelpTopicsDialog::onCommand(int id)
{
    if (id == IdCancel)
        window().endDialog(IdCancel);
    else if (id == IdOk) // Enter in the search field opens the first topic found
        window().setFocus(TopicList);
}

void HelpTopicsDialog::onNotify(int controlId, Notification notification)
{
    if (controlId == SearchEdit && notification == Notification::TextChanged)
        listTopics();
    else if (controlId == TopicList && (notification == Notification::Click || notification == Notification::KeyDown))
        showPage();
}

void HelpTopicsDialog::listTopics()
{
    const std::string word = window().controlText(SearchEdit);
    shown_.clear();
    window().listDeleteAll(TopicList);
    for (std::size_t i = 0; i < topics_.size(); ++i)
        if (topicMentions(topics_[i], word)) {
            window().listInsertRow(TopicList, static_cast<int>(shown_.size()), topics_[i].title);
            shown_.push_back(i);
        }
    if (!shown_.empty()) {
        window().listSelectRow(TopicList, 0);
        window().setListSelectionMark(TopicList, 0);
    }
    showPage();
}

void HelpTopicsDialog::showPage()
{
    const int row = window().listSelectionMark(TopicList);
    if (row < 0 || static_cast<std::size_t>(row) >= shown_.size()) {
        window().setControlText(PageEdit, "");
        return;
    }
    const HelpTopic& topic = topics_[shown_[static_cast<std::size_t>(row)]];
    window().setControlText(PageEdit, withLineBreaks(topic.title + "\n\n" + topic.body));
}

} // namespace scrivlet::ui
