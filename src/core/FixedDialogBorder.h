#pragma once
// A box with a fixed dialog border: its title bar has the close button only, and it cannot be
// resized, maximised or minimised.
#include <QSize>
#include <Qt>

class QDialog;

// Sets the border and the box's fixed size; extra adds flags such as staying on top.
// A window manager that offers minimising a dialog whatever it asks for (openbox does) sees
// the box come back at once, with its owner.
void UseFixedDialogBorder(QDialog *dialog, const QSize &size, Qt::WindowFlags extra = {});
