#pragma once
// Pieces shared by the main window's insertion tool bars and the generators' tag bar:
// buttons and menu items that carry their markup in their Hint, and the colour and
// file questions of the colour, link and image commands.
#include <QColor>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QObject;
class QToolBar;
class QToolButton;
class QWidget;
class TDocument;

// The property that marks a component whose Hint is the markup it inserts, naming the
// primitive that inserts it ("ClosedTag", "OpenEmptyTag", "Attribute", "Block"). The
// language file leaves the Hints of such components alone.
extern const char *const MarkupHintProperty;

// The Hint of a tool button or menu item (its tool tip).
QString HintOf(QObject *component);

// Shows the widget's tool tip as it is written, markup included.
void ShowToolTipAsPlainText(QWidget *widget);

// A tool button with its picture and Hint; primitive names the markup-driven kind, or
// is empty for a button whose Hint is only a tool tip.
QToolButton *AddInsertionButton(QToolBar *bar, const QString &name, const QString &hint,
                                const QString &primitive = QString());
// The drop-down menu of a tool button: a click on the button runs its own command, its
// arrow opens the menu.
QMenu *AddDropDownMenu(QToolButton *button, const QString &menuName);
QAction *AddMenuItem(QMenu *menu, const QString &name, const QString &caption, const QString &hint = QString(),
                     const QString &primitive = QString());

// Shows the colour dialog on *lastColor; on OK stores the choice there and gives its
// colour text ("#RRGGBB"); false when cancelled.
bool AskColorText(QColor *lastColor, QString *colorText);

// Where the link and image commands find the open dialog's filters.
struct LinkContext {
    std::function<QString()> openDialogFilter;
};

enum class LinkedFileKind { Link, Image };
// Asks for the file to link to from the document: the link text (encoded), or empty when
// the document is untitled (after saying so) or nothing was chosen. *chosenPath gets the
// file's path. The dialog opens on its own filter and title; nothing else's is changed.
QString AskLinkedFile(TDocument *document, LinkedFileKind kind, const QString &filter, const QString &folder,
                      QString *chosenPath = nullptr);
