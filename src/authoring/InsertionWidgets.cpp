#include "authoring/InsertionWidgets.h"

#include "authoring/InsertionIcons.h"
#include "authoring/InsertionMarkup.h"
#include "program/MessagesKandrix.h"
#include "documents/TDocument.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/UserDialogs.h"
#include "util/VelKandrixUtils.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>

const char *const MarkupHintProperty = "markupPrimitive";

QString HintOf(QObject *component)
{
    if (auto *action = qobject_cast<QAction *>(component))
        return action->toolTip();
    if (auto *widget = qobject_cast<QWidget *>(component))
        return widget->toolTip();
    return QString();
}

namespace {
// A Hint that is markup ("<b>") would be read as rich text by the tool tip and show empty.
class PlainToolTip : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() != QEvent::ToolTip || !widget || !Qt::mightBeRichText(widget->toolTip()))
            return false;
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
                           Qt::convertFromPlainText(widget->toolTip(), Qt::WhiteSpaceNoWrap), widget);
        return true;
    }
};
} // namespace

void ShowToolTipAsPlainText(QWidget *widget)
{
    static PlainToolTip *filter = new PlainToolTip(qApp);
    widget->installEventFilter(filter);
}

QToolButton *AddInsertionButton(QToolBar *bar, const QString &name, const QString &hint, const QString &primitive)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(name);
    button->setIcon(InsertionIcon(name));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    ShowToolTipAsPlainText(button);
    if (!primitive.isEmpty())
        button->setProperty(MarkupHintProperty, primitive);
    bar->addWidget(button);
    return button;
}

QMenu *AddDropDownMenu(QToolButton *button, const QString &menuName)
{
    auto *menu = new QMenu(button);
    menu->setObjectName(menuName);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    return menu;
}

QAction *AddMenuItem(QMenu *menu, const QString &name, const QString &caption, const QString &hint,
                     const QString &primitive)
{
    auto *action = new QAction(caption, menu);
    action->setObjectName(name);
    if (!hint.isEmpty())
        action->setToolTip(hint);
    if (!primitive.isEmpty())
        action->setProperty(MarkupHintProperty, primitive);
    menu->addAction(action);
    return action;
}

bool AskColorText(QColor *lastColor, QString *colorText)
{
    QColor color = lastColor->isValid() ? *lastColor : QColor(Qt::black);
    if (!Dialogs().color(&color))
        return false;
    *lastColor = color;
    *colorText = ColorToHtmlHex(TColor(color.red()) | TColor(color.green()) << 8 | TColor(color.blue()) << 16);
    return true;
}

QString AskLinkedFile(TDocument *document, LinkedFileKind kind, const QString &filter, const QString &folder,
                      QString *chosenPath)
{
    if (!document)
        return QString();
    if (document->isUntitled()) {
        ShowMessageKind(0, FSaveFileInFirst);
        return QString();
    }
    const QPointer<TDocument> guard(document);
    const bool link = kind == LinkedFileKind::Link;
    int filterIndex = link ? 2 : 11;
    const QStringList chosen =
        Dialogs().openFiles(link ? SCreateLink : FOpenImage, folder, filter, &filterIndex, false);
    if (chosen.isEmpty() || !guard)
        return QString();
    if (chosenPath)
        *chosenPath = chosen.first();
    return LinkToFile(document->path(), chosen.first());
}
