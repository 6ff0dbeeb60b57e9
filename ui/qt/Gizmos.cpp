// The gizmo dialog's controls of the platform: a trackbar, an up-down
// control, a check box, an IP address field and a date picker.
#include "QtWindow.h"

#include "QtBackend.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>
#include <QSlider>
#include <QSpinBox>

namespace scrivlet::ui {

QWidget* QtWindow::makeGizmo(const ControlTemplate& c, QWidget* parent)
{
    // The gizmo dialog's platform controls: each does only what it does by itself.
    if (c.caption == "trackbar")
        return new QSlider(Qt::Horizontal, parent);
    if (c.caption == "updown")
        return new QSpinBox(parent);
    if (c.caption == "datetime") {
        // A date picker shows the short date, as the platform's does.
        auto* date = new QDateEdit(QDate::currentDate(), parent);
        date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
        date->setCalendarPopup(true);
        return date;
    }
    if (c.caption == "ipaddress") {
        auto* ip = new QLineEdit(parent);
        ip->setInputMask("000.000.000.000;_");
        return ip;
    }
    return new QCheckBox(toUiText(c.caption), parent);
}

} // namespace scrivlet::ui
