#pragma once
// Recent entries of a text box: newest first, no duplicates, at most 30.
#include <QStringList>

constexpr int RecentEntriesMax = 30;
// Rows the drop-down shows at once.
constexpr int RecentEntriesRows = 20;

// Puts the text first; an empty text leaves the list as it is. A list grows to
// RecentEntriesMax entries by use; a longer one keeps its length.
void AddRecentEntry(QStringList &entries, const QString &text);
