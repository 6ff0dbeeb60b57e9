// Push buttons and group boxes: a click sends the button's command; the
// default button takes Enter (the dialog frame decides who gets the key).
#include "QtWindow.h"

#include "QtBackend.h"

#include <QGroupBox>
#include <QPushButton>

namespace scrivlet::ui {

QWidget* QtWindow::makeButton(const ControlTemplate& c, QWidget* parent)
{
    const int id = c.id;
    auto* button = new QPushButton(toUiText(c.caption), parent);
    button->setDefault(c.style & DefaultButton);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, dialog_, [this, id] { handler_.onCommand(id); });
    return button;
}

QWidget* QtWindow::makeGroupBox(const ControlTemplate& c, QWidget* parent) { return new QGroupBox(toUiText(c.caption), parent); }

} // namespace scrivlet::ui
