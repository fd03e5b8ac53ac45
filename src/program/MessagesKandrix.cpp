#include "core/MessagesKandrix.h"

#include "platform/UserDialogs.h"

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

void ShowMessageKind(int kind, const QString &text)
{
    // Captions are the toolkit's own words, not the language file's.
    QMessageBox::Icon icon;
    QString caption;
    switch (kind) {
    case 0: icon = QMessageBox::Information; caption = QStringLiteral("Information"); break;
    case 1: icon = QMessageBox::Question; caption = QStringLiteral("Confirmation"); break;
    case 2: icon = QMessageBox::Critical; caption = QStringLiteral("Error"); break;
    case 3: icon = QMessageBox::Warning; caption = QStringLiteral("Warning"); break;
    default: return;
    }
    Dialogs().message(icon, caption, text, QMessageBox::Ok);
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
