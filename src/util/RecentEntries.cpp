#include "util/RecentEntries.h"

void AddRecentEntry(QStringList &entries, const QString &text)
{
    if (text.isEmpty())
        return;
    entries.removeAll(text);
    entries.prepend(text);
    while (entries.size() > RecentEntriesMax)
        entries.removeLast();
}
