#include "authoring/InsertionIcons.h"

#include <QHash>

// The resources of a static library are registered by hand: nothing else links them in.
static void registerInsertionIcons()
{
    Q_INIT_RESOURCE(insertionicons);
}

QIcon InsertionIcon(const QString &buttonName)
{
    [[maybe_unused]] static const bool registered = (registerInsertionIcons(), true);
    static QHash<QString, QIcon> cache;
    auto it = cache.find(buttonName);
    if (it == cache.end())
        it = cache.insert(buttonName, QIcon(QStringLiteral(":/insertion/%1.svg").arg(buttonName)));
    return *it;
}
