// Message boxes: modal over their window, one OK button, the exclamation
// icon or none.
#include "QtWindow.h"

#include "QtBackend.h"

#include <QGridLayout>
#include <QMessageBox>

namespace scrivlet::ui {

void QtWindow::messageBox(const std::string& text, const std::string& caption, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, toLatin1Text(caption),
        toLatin1Text(text), QMessageBox::Ok, dialog_);
    box.setObjectName("messagebox");
    // Wide enough that the caption is not cut in the title bar.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int captionWidth = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) + 120;
        grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
            grid->columnCount());
    }
    box.exec();
}

} // namespace scrivlet::ui
