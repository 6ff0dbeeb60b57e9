// The one-line edit: typing stopped at its limit (a longer text the program
// put in may only shrink), digits only where the template asks.
#include "QtWindow.h"

#include "QtBackend.h"

#include <QLineEdit>

namespace scrivlet::ui {

TypedLimitValidator::TypedLimitValidator(QLineEdit* edit, bool digitsOnly)
    : QValidator(edit), digitsOnly_(digitsOnly)
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { current_ = text.size(); });
}

QValidator::State TypedLimitValidator::validate(QString& input, int&) const
{
    if (digitsOnly_)
        for (QChar c : input)
            if (!c.isDigit())
                return Invalid;
    if (limit_ > 0 && input.size() > limit_ && input.size() > current_)
        return Invalid;
    return Acceptable;
}

QWidget* QtWindow::makeLineEdit(const ControlTemplate& c, QWidget* parent)
{
    const int id = c.id;
    auto* line = new QLineEdit(parent);
    line->setValidator(new TypedLimitValidator(line, c.style & DigitsOnly));
    QObject::connect(line, &QLineEdit::textEdited, dialog_, [this, id] { handler_.onNotify(id, Notification::TextChanged); });
    return line;
}

} // namespace scrivlet::ui
