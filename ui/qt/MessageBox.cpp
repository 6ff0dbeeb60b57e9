// Message boxes: modal over their window, one OK button, the exclamation
// icon or none.
#include "QtWindow.h"

#include "QtBackend.h"

#include <QGridLayout>
#include <QMessageBox>

namespace scrivlet::ui {

namespace {

QMessageBox::Icon iconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Wide enough that the caption is not cut in the title bar.
void fitCaption(QMessageBox& box)
{
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int captionWidth = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) + 120;
        grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
            grid->columnCount());
    }
}

} // namespace

void QtWindow::messageBox(const std::string& text, const std::string& caption, MessageIcon icon)
{
    QMessageBox box(iconOf(icon), toUiText(caption), toUiText(text), QMessageBox::Ok, dialog_);
    box.setObjectName("messagebox");
    fitCaption(box);
    box.exec();
}

Answer QtWindow::ask(const std::string& text, const std::string& caption, QuestionButtons buttons)
{
    const bool withCancel = buttons == QuestionButtons::YesNoCancel;
    QMessageBox box(QMessageBox::Question, toUiText(caption), toUiText(text),
        QMessageBox::Yes | QMessageBox::No | (withCancel ? QMessageBox::Cancel : QMessageBox::NoButton), dialog_);
    box.setObjectName("messagebox");
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No); // also the close box
    fitCaption(box);
    box.exec();
    const auto* chosen = box.clickedButton();
    if (chosen == box.button(QMessageBox::Yes))
        return Answer::Yes;
    if (chosen == box.button(QMessageBox::No))
        return Answer::No;
    return withCancel ? Answer::Cancel : Answer::No;
}

} // namespace scrivlet::ui
