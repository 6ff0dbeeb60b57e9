// Static texts and pictures: run-time texts of "Name:  value" lines shown
// in two columns, pictures from the program's art, and a picture that reports
// its clicks.
#include "QtWindow.h"

#include "QtBackend.h"
#include "ui/PicturePlace.h"

#include <QMouseEvent>

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <algorithm>

namespace scrivlet::ui {

namespace {

// A run-time text of lines "Name:<blanks>value" shown as two aligned columns;
// the text read back is the text as set.
QString columnsHtml(const QString& text)
{
    static const QRegularExpression split("^(.*?\\S)\\s{2,}(\\S.*)$");
    QString html = "<table cellspacing=0 cellpadding=0>";
    for (const QString& line : text.split('\n')) {
        const QRegularExpressionMatch m = split.match(line);
        if (m.hasMatch())
            html += "<tr><td style='padding-right:8px'>" + m.captured(1).toHtmlEscaped() + "</td><td>"
                + m.captured(2).toHtmlEscaped() + "</td></tr>";
        else
            html += "<tr><td colspan=2>" + (line.isEmpty() ? QString("&nbsp;") : line.toHtmlEscaped()) + "</td></tr>";
    }
    return html + "</table>";
}

} // namespace

void ElidingLabel::setFullText(const QString& text)
{
    full_ = text;
    elide();
}

void ElidingLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidingLabel::elide()
{
    // As many lines as the place holds, words wrapped, the last one ending in "...".
    const QFontMetrics metrics = fontMetrics();
    const int width = contentsRect().width();
    const int lines = std::max(1, contentsRect().height() / std::max(1, metrics.lineSpacing()));
    QStringList shown;
    QString rest = full_;
    while (static_cast<int>(shown.size()) < lines - 1 && metrics.horizontalAdvance(rest) > width) {
        qsizetype fits = 0;
        while (fits < rest.size() && metrics.horizontalAdvance(rest.left(fits + 1)) <= width)
            ++fits;
        const qsizetype blank = rest.lastIndexOf(' ', fits);
        const qsizetype cut = blank > 0 ? blank : std::max<qsizetype>(fits, 1);
        shown << rest.left(cut);
        rest = rest.mid(cut).trimmed();
    }
    shown << metrics.elidedText(rest, Qt::ElideRight, width);
    const QString text = shown.join('\n');
    QLabel::setText(text);
    setToolTip(QString(text).replace('\n', ' ') == full_ ? QString() : full_);
}

QPixmap QtWindow::bitmapResource(int number) { return QPixmap(QString(":/art/bitmap-%1.png").arg(number)); }

QWidget* QtWindow::makeStaticText(const ControlTemplate& c, QWidget* parent)
{
    if (c.style & EndEllipsis) {
        auto* label = new ElidingLabel(parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFullText(toUiText(c.caption));
        return label;
    }
    auto* label = new QLabel(toUiText(c.caption), parent);
    label->setWordWrap(c.height > 12); // one-line labels never wrap out of sight
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* QtWindow::makePicture(const ControlTemplate& c, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setPixmap(bitmapResource(c.bitmap));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (c.style & SunkenEdge)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (c.id >= 0) {
        // A click on it reaches the dialog's filter, which reports it.
        label->setProperty("reportsClicks", true);
        label->setProperty("controlId", c.id);
        label->installEventFilter(dialog_);
    }
    return label;
}

QWidget* QtWindow::makeDrawnPicture(const ControlTemplate& c, QWidget* parent)
{
    auto* picture = new PictureWidget(parent);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const int id = c.id;
    picture->onMouse = [this, id](MouseAction action, int x, int y) { handler_.onPictureMouse(id, action, x, y); };
    return picture;
}

void QtWindow::setControlPicture(int id, const PixelImage& image)
{
    auto* picture = dynamic_cast<PictureWidget*>(control(id));
    if (!picture)
        return;
    if (image.width <= 0 || image.height <= 0) {
        picture->setImage(QImage());
        return;
    }
    picture->setImage(QImage(reinterpret_cast<const uchar*>(image.argb.data()), image.width, image.height, image.width * 4,
        QImage::Format_RGB32).copy());
}

void PictureWidget::setImage(QImage image)
{
    image_ = std::move(image);
    update();
}

namespace {

PixelRect roomOf(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

} // namespace

QRect PictureWidget::imageRect() const
{
    if (image_.isNull())
        return {};
    const PixelRect place = picturePlace(roomOf(contentsRect()), image_.width(), image_.height());
    return QRect(place.left, place.top, place.right - place.left, place.bottom - place.top);
}

void PictureWidget::mousePressEvent(QMouseEvent* event)
{
    int x = 0, y = 0;
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || image_.isNull() || !isEnabled()
        || !picturePixelAt(roomOf(contentsRect()), image_.width(), image_.height(), at.x(), at.y(), x, y)) {
        QFrame::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    if (onMouse)
        onMouse(MouseAction::Press, x, y);
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_ || !(event->buttons() & Qt::LeftButton) || image_.isNull()) {
        QFrame::mouseMoveEvent(event);
        return;
    }
    // Off the picture the move counts at its nearest edge.
    const QRect place = imageRect();
    const QPoint at = event->position().toPoint();
    const int cx = std::clamp(at.x(), place.left(), place.left() + place.width() - 1);
    const int cy = std::clamp(at.y(), place.top(), place.top() + place.height() - 1);
    int x = 0, y = 0;
    if (picturePixelAt(roomOf(contentsRect()), image_.width(), image_.height(), cx, cy, x, y) && onMouse)
        onMouse(MouseAction::Drag, x, y);
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event)
{
    pressed_ = false;
    QFrame::mouseReleaseEvent(event);
}

void PictureWidget::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        const QRect room = contentsRect();
        painter.fillRect(room, image_.isNull() ? palette().window().color() : QColor(image_.pixel(0, 0)));
        if (!image_.isNull()) {
            const QRect place = imageRect();
            painter.setRenderHint(QPainter::SmoothPixmapTransform, place.size() != image_.size());
            painter.drawImage(place, image_);
        }
    }
    QFrame::paintEvent(event); // the sunken edge
}

void QtWindow::setStaticText(QLabel* label, const QString& value)
{
    if (auto* eliding = dynamic_cast<ElidingLabel*>(label)) {
        eliding->setFullText(value);
        return;
    }
    if (label->property("inColumns").toBool()) {
        label->setProperty("plainText", value);
        label->setTextFormat(Qt::RichText);
        label->setText(columnsHtml(value));
        return;
    }
    label->setText(value);
    // A one-line label grows to its text where this face is wider than the template's.
    if (!label->wordWrap())
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
}

QString QtWindow::staticText(const QLabel* label)
{
    if (auto* eliding = dynamic_cast<const ElidingLabel*>(label))
        return eliding->fullText();
    return label->property("inColumns").toBool() ? label->property("plainText").toString() : label->text();
}

} // namespace scrivlet::ui
