#include "program/MessagesKandrix.h"

#include <QHash>

#define VK_DEFINE_MESSAGE(name, key) QString name;
VK_MESSAGE_KEYS(VK_DEFINE_MESSAGE)
#undef VK_DEFINE_MESSAGE

namespace {
const QHash<QString, QString *> &catalogue()
{
    static const QHash<QString, QString *> table = [] {
        QHash<QString, QString *> t;
#define VK_REGISTER_MESSAGE(name, key) t.insert(QStringLiteral(key), &name);
        VK_MESSAGE_KEYS(VK_REGISTER_MESSAGE)
#undef VK_REGISTER_MESSAGE
        return t;
    }();
    return table;
}
} // namespace

QString *MessageByKey(const QString &key)
{
    return catalogue().value(key, nullptr);
}

QStringList MessageKeys()
{
    QStringList keys;
#define VK_LIST_MESSAGE(name, key) keys << QStringLiteral(key);
    VK_MESSAGE_KEYS(VK_LIST_MESSAGE)
#undef VK_LIST_MESSAGE
    return keys;
}

void ClearMessages()
{
    for (QString *text : catalogue())
        text->clear();
}

QString FormatMessageText(const QString &format, const QStringList &arguments)
{
    // Delphi-style Format: %s and %d take the next argument, %% is a percent sign.
    QString out;
    out.reserve(format.size());
    int next = 0;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out.append(c);
            continue;
        }
        const QChar conversion = format[i + 1];
        if (conversion == '%') {
            out.append('%');
            ++i;
        } else if (conversion == 's' || conversion == 'd' || conversion == 'S' || conversion == 'D') {
            if (next < arguments.size())
                out.append(arguments[next]);
            ++next;
            ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}
