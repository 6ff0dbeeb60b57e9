// Display text across the boundary: every byte 0x00-0xFF as its Latin-1
// character, a CR LF pair as a line break, a lone CR or LF as a picture of it.
#include "QtWindow.h"

#include "QtBackend.h"

namespace scrivlet::ui {

// A CR LF pair is a line break. A lone CR or LF (a dictionary string can hold
// one) shows as the control picture of its byte, which no Latin-1 byte can be
// confused with, and comes back as that one byte.
constexpr char16_t LoneLineFeed = u'\u240A';
constexpr char16_t LoneCarriageReturn = u'\u240D';

QString QtWindow::toLatin1Text(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string QtWindow::fromLatin1Text(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString QtWindow::toDisplay(const std::string& text)
{
    QString s;
    s.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            s += QChar('\n');
            ++i;
        } else if (c == '\r') {
            s += QChar(LoneCarriageReturn);
        } else if (c == '\n') {
            s += QChar(LoneLineFeed);
        } else {
            s += QChar(c);
        }
    }
    return s;
}

std::string QtWindow::fromDisplay(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n' || u == QChar::ParagraphSeparator || u == QChar::LineSeparator)
            bytes += "\r\n";
        else if (u == LoneLineFeed)
            bytes += '\n';
        else if (u == LoneCarriageReturn)
            bytes += '\r';
        else
            bytes += static_cast<char>(u < 0x100 ? u : '?'); // as Latin-1 does with what it cannot hold
    }
    return bytes;
}

} // namespace scrivlet::ui
