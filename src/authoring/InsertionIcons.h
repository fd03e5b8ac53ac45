#pragma once
// The pictures of the insertion tool buttons, by button name (the resource aliases); a name
// without a picture gets an empty icon.
#include <QIcon>
#include <QString>

QIcon InsertionIcon(const QString &buttonName);
