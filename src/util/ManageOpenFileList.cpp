#include "util/ManageOpenFileList.h"

RecentFileSlots RecentFiles;

void AddToRecentFiles(const QString &path, RecentFileSlots &slotList)
{
    // A path already listed keeps its place; an empty text is not a path.
    if (path.isEmpty() || IsInRecentFiles(path, slotList))
        return;
    for (int i = int(slotList.size()) - 1; i > 0; --i)
        slotList[i] = slotList[i - 1];
    slotList[0] = path;
}

bool IsInRecentFiles(const QString &path, const RecentFileSlots &slotList)
{
    if (path.isEmpty())
        return false;
    for (const QString &slot : slotList) {
        if (slot == path)
            return true;
    }
    return false;
}

bool RenameInRecentFiles(const QString &oldPath, const QString &newPath, RecentFileSlots &slotList)
{
    if (oldPath.isEmpty())
        return false;
    for (QString &slot : slotList) {
        if (slot == oldPath) {
            slot = newPath;
            return true;
        }
    }
    return false;
}
