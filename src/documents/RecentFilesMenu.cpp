#include "documents/RecentFilesMenu.h"

#include "util/VelKandrixUtils.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

TRecentFilesMenu::TRecentFilesMenu(QMenu *menu, RecentFileSlots &recent, QObject *parent)
    : QObject(parent), m_menu(menu), m_recent(recent)
{
}

void TRecentFilesMenu::Rebuild()
{
    m_menu->clear();
    int position = 0;
    for (const QString &path : m_recent) {
        if (path.isEmpty())
            continue;
        ++position;
        QAction *item = m_menu->addAction(QStringLiteral("%1. %2").arg(position).arg(ShortenPathForMenu(path, 50)));
        item->setObjectName(QStringLiteral("ItemRecentFiles_%1").arg(position - 1));
        connect(item, &QAction::triggered, this, [this, position] { emit chosen(position - 1); });
    }
    m_menu->setEnabled(position > 0);
    if (position > 0) {
        m_menu->addSeparator();
        QAction *erase = m_menu->addAction(QStringLiteral("Erase Recent Files List"));
        erase->setObjectName("EraseRecentFiles");
        connect(erase, &QAction::triggered, this, &TRecentFilesMenu::eraseChosen);
    }
}

void TRecentFilesMenu::Erase()
{
    for (QString &slot : m_recent)
        slot.clear();
    m_menu->clear();
    m_menu->setEnabled(false);
}

QString TRecentFilesMenu::FileAt(int position) const
{
    // The position among the filled slots names the slot.
    int filled = -1;
    for (const QString &slot : m_recent) {
        if (!slot.isEmpty() && ++filled == position)
            return QFileInfo::exists(slot) ? slot : QString();
    }
    return QString();
}
