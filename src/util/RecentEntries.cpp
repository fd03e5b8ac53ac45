#include "util/RecentEntries.h"

void AddRecentEntry(QStringList &entries, const QString &text)
{
    if (text.isEmpty())
        return;
    entries.removeAll(text);
    entries.prepend(text);
    // A longer list read from the settings file keeps its length: one in, one out.
    if (entries.size() > RecentEntriesMax)
        entries.removeAt(RecentEntriesMax);
}
