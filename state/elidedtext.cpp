#include "elidedtext.h"

#include <QStringList>

namespace {

const QChar Ellipsis(0x2026);

} // namespace

QString elidedText(const QString &text, int length)
{
    if (text.size() <= length)
        return text;
    int head = (length - 1) / 2;
    int tail = length - 1 - head;
    // Never cut a character outside the basic plane in two.
    if (text.at(head - 1).isHighSurrogate())
        --head;
    if (text.at(text.size() - tail).isLowSurrogate())
        --tail;
    return text.left(head) + Ellipsis + text.right(tail);
}

QString quotedText(const QString &text)
{
    return QLatin1Char('"') + elidedText(text) + QLatin1Char('"');
}

QString elidedLines(const QString &text)
{
    const QChar newline(QLatin1Char('\n'));
    QStringList shown;
    int start = 0;
    while (start <= text.size() && shown.size() < MaxShownLines) {
        int end = text.indexOf(newline, start);
        if (end < 0)
            end = text.size();
        shown.append(elidedText(text.mid(start, end - start)));
        start = end + 1;
    }
    if (start <= text.size())
        shown.append(QString(Ellipsis));
    return shown.join(newline);
}
