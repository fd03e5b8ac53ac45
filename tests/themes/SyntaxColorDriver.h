#pragma once
// Drives the syntax colour dialog through its controls, as a user does.
#include "themes/reSyntaxColor.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QTest>

template <class T>
T *Control(QWidget *dialog, const char *name)
{
    T *widget = dialog->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

inline void Click(QWidget *dialog, const char *name)
{
    QTest::mouseClick(Control<QAbstractButton>(dialog, name), Qt::LeftButton);
}

inline TColor Swatch(QWidget *dialog, const char *name)
{
    return Control<TColorSwatch>(dialog, name)->Color();
}

// Picks the language in the box, then clicks the attribute in the list.
inline void SelectAttribute(QWidget *dialog, const QString &language, const QString &name)
{
    auto *languages = Control<QComboBox>(dialog, "CBLanguages");
    languages->setCurrentIndex(languages->findText(language));
    auto *list = Control<QListWidget>(dialog, "LBListAttri");
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
    QVERIFY(found[0]->isSelected());
}

// Picks a theme in the drop-down list with the mouse.
inline void PickTheme(QWidget *dialog, const QString &name)
{
    auto *themes = Control<QComboBox>(dialog, "CBThemes");
    const int index = themes->findText(name);
    QVERIFY(index >= 0);
    themes->showPopup();
    QAbstractItemView *view = themes->view();
    QTRY_VERIFY(view->isVisible());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(index, 0)).center());
}
