// Display text across the boundary: UTF-8 in the program, a CR LF pair as a
// line break, a lone CR or LF as a picture of it.
#include "QtWindow.h"

#include "QtBackend.h"

#include <algorithm>

namespace scrivlet::ui {

// A CR LF pair is a line break. A lone CR or LF (a dictionary string can hold
// one) shows as the control picture of its byte, and comes back as that byte.
constexpr char16_t LoneLineFeed = u'\u240A';
constexpr char16_t LoneCarriageReturn = u'\u240D';

QString QtWindow::toUiText(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string QtWindow::fromUiText(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString QtWindow::toDisplay(const std::string& text)
{
    QString s;
    s.reserve(static_cast<qsizetype>(text.size()));
    std::size_t runStart = 0;
    const auto flush = [&](std::size_t end) {
        if (end > runStart)
            s += QString::fromUtf8(text.data() + runStart, static_cast<qsizetype>(end - runStart));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        flush(i);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            s += QChar('\n');
            ++i;
        } else {
            s += QChar(c == '\r' ? LoneCarriageReturn : LoneLineFeed);
        }
        runStart = i + 1;
    }
    flush(text.size());
    return s;
}

std::string QtWindow::fromDisplay(const QString& text)
{
    QString program;
    program.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n' || u == QChar::ParagraphSeparator || u == QChar::LineSeparator)
            program += QStringLiteral("\r\n");
        else if (u == LoneLineFeed)
            program += QChar('\n');
        else if (u == LoneCarriageReturn)
            program += QChar('\r');
        else
            program += c;
    }
    return fromUiText(program);
}

std::vector<int> QtWindow::programPlaces(const QString& document)
{
    std::vector<int> places;
    places.reserve(static_cast<std::size_t>(document.size()) + 1);
    int at = 0;
    for (qsizetype i = 0; i < document.size(); ++i) {
        places.push_back(at);
        const char16_t u = document[i].unicode();
        if (u == '\n' || u == QChar::ParagraphSeparator || u == QChar::LineSeparator)
            at += 2;
        else if (u == LoneLineFeed || u == LoneCarriageReturn)
            at += 1;
        else if (QChar::isHighSurrogate(u))
            at += 4; // with its low half, which adds nothing
        else if (QChar::isLowSurrogate(u))
            at += 0;
        else
            at += u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
    }
    places.push_back(at);
    return places;
}

int QtWindow::documentPlace(const std::vector<int>& programPlaces, int programPlace)
{
    const auto after = std::upper_bound(programPlaces.begin(), programPlaces.end(), programPlace);
    return std::max(0, static_cast<int>(after - programPlaces.begin()) - 1);
}

} // namespace scrivlet::ui
