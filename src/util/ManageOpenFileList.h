#pragma once
#include <QString>
#include <array>

using RecentFileSlots = std::array<QString, 10>;

// Ten slots, index 0 the newest, empty text for an empty slot.
extern RecentFileSlots RecentFiles;

void AddToRecentFiles(const QString &path, RecentFileSlots &slotList);
bool IsInRecentFiles(const QString &path, const RecentFileSlots &slotList);
bool RenameInRecentFiles(const QString &oldPath, const QString &newPath, RecentFileSlots &slotList = RecentFiles);
