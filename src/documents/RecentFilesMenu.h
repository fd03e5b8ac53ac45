#pragma once
// The recent-files menu shows the filled slots of the recent files, newest first, and an
// item that empties them.
#include <QObject>
#include <QPointer>
#include <QString>

#include "util/ManageOpenFileList.h"

class QMenu;

class TRecentFilesMenu : public QObject {
    Q_OBJECT
public:
    TRecentFilesMenu(QMenu *menu, RecentFileSlots &recent, QObject *parent = nullptr);

    // One item per filled slot, numbered from 1; the menu is disabled when none is filled.
    void Rebuild();
    // Empties every slot and the menu.
    void Erase();
    // The file of the item at a position (from 0) among the filled slots; empty when there
    // is no such item or its file is gone.
    QString FileAt(int position) const;

signals:
    // The item at the position (from 0) was chosen.
    void chosen(int position);
    // The item that empties the list was chosen.
    void eraseChosen();

private:
    QPointer<QMenu> m_menu;
    RecentFileSlots &m_recent;
};
