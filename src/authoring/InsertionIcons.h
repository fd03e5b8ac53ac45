#pragma once
// The pictures of the insertion tool buttons, painted at run time, by button name.
#include <QIcon>
#include <QString>

QIcon InsertionIcon(const QString &buttonName);
