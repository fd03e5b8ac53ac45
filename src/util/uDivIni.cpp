#include "util/uDivIni.h"

bool IsKeyOfLine(const QString &key, const QString &line)
{
    const int pos = line.indexOf(QLatin1Char('='));
    if (pos < 0)
        return false;
    return QStringView(line).left(pos) == key;
}

QString ValueOfLine(const QString &line)
{
    const int pos = line.indexOf(QLatin1Char('='));
    if (pos < 0)
        return QString();
    return line.mid(pos + 1);
}

QString BoolToText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool TextToBool(const QString &text)
{
    return text == QLatin1String("True");
}

QString TrimSettingsLine(const QString &line)
{
    int begin = 0;
    int end = line.size();
    while (begin < end && line.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && line.at(end - 1).unicode() <= 32)
        --end;
    return line.mid(begin, end - begin);
}

bool IsSkippedSettingsLine(const QString &trimmedLine)
{
    return trimmedLine.isEmpty() || trimmedLine.startsWith(QLatin1Char(';'))
           || trimmedLine.startsWith(QLatin1String("//"));
}

QStringList SplitSettingsLines(const QString &text)
{
    // Like a string list loaded from a file: a line end after the last line does not
    // start another, empty line.
    QStringList lines;
    int start = 0;
    const int n = text.size();
    int i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << text.mid(start, i - start);
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

QStringList SettingsLinesToRead(const QString &text)
{
    QStringList lines;
    for (const QString &raw : SplitSettingsLines(text)) {
        const QString line = TrimSettingsLine(raw);
        if (!IsSkippedSettingsLine(line))
            lines << line;
    }
    return lines;
}
