#include "dialogs/UserDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>

namespace {
QtUserDialogs &qtDialogs()
{
    static QtUserDialogs instance;
    return instance;
}
UserDialogs *current = nullptr;
} // namespace

UserDialogs &Dialogs()
{
    return current ? *current : qtDialogs();
}

void SetDialogs(UserDialogs *dialogs)
{
    current = dialogs;
}

DialogsOver::DialogsOver(QWidget *window) : m_parent(Dialogs().parentWindow)
{
    if (window && window->isVisible())
        Dialogs().parentWindow = window;
}

DialogsOver::~DialogsOver()
{
    Dialogs().parentWindow = m_parent;
}

QStringList QtFilterList(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // QFileDialog simplifies the blanks of its filters; give them already simplified,
        // or selecting an entry by its text (the filter index) fails.
        const QString desc = parts[i].simplified();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns)
            pattern = pattern.simplified();
        patterns.removeAll(QString());
        if (desc.isEmpty() && patterns.isEmpty())
            continue;
        const QString list = QStringLiteral("(%1)").arg(patterns.join(' '));
        result << (desc.isEmpty() ? list : desc + ' ' + list);
    }
    return result;
}

QMessageBox::StandardButton QtUserDialogs::message(QMessageBox::Icon icon, const QString &caption,
                                                   const QString &text,
                                                   QMessageBox::StandardButtons buttons)
{
    return messageAt(QPoint(-1, -1), icon, caption, text, buttons);
}

QMessageBox::StandardButton QtUserDialogs::messageAt(const QPoint &topLeft, QMessageBox::Icon icon,
                                                     const QString &caption, const QString &text,
                                                     QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, parentWindow);
    if (topLeft != QPoint(-1, -1)) {
        box.adjustSize();
        box.move(topLeft);
    }
    const int answer = box.exec();
    if (answer == QMessageBox::NoButton || !(buttons & QMessageBox::StandardButton(answer))) {
        // Closed with the title-bar button: the escape answer.
        if (buttons & QMessageBox::Cancel)
            return QMessageBox::Cancel;
        if (buttons & QMessageBox::No)
            return QMessageBox::No;
        return QMessageBox::Ok;
    }
    return QMessageBox::StandardButton(answer);
}

QStringList QtUserDialogs::openFiles(const QString &title, const QString &folder,
                                     const QString &filter, int *filterIndex, bool multiple)
{
    QFileDialog dialog(parentWindow, title, folder);
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const QStringList filters = QtFilterList(filter);
    dialog.setNameFilters(filters);
    if (filterIndex && *filterIndex >= 1 && *filterIndex <= filters.size())
        dialog.selectNameFilter(filters[*filterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (filterIndex)
        *filterIndex = filters.indexOf(dialog.selectedNameFilter()) + 1;
    return dialog.selectedFiles();
}

QString QtUserDialogs::saveFile(const QString &title, const QString &proposed,
                                const QString &filter, int *filterIndex)
{
    QFileDialog dialog(parentWindow, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = QtFilterList(filter);
    dialog.setNameFilters(filters);
    if (filterIndex && *filterIndex >= 1 && *filterIndex <= filters.size())
        dialog.selectNameFilter(filters[*filterIndex - 1]);
    // A folder (ending with "/", or one that exists) opens the dialog there with an empty
    // name; selecting it as a file would propose the folder's own name.
    if (proposed.endsWith(QLatin1Char('/')) || QFileInfo(proposed).isDir())
        dialog.setDirectory(proposed);
    else if (!proposed.isEmpty())
        dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (filterIndex)
        *filterIndex = filters.indexOf(dialog.selectedNameFilter()) + 1;
    return dialog.selectedFiles().first();
}

bool QtUserDialogs::color(QColor *inOut)
{
    const QColor chosen = QColorDialog::getColor(*inOut, parentWindow);
    if (!chosen.isValid())
        return false;
    *inOut = chosen;
    return true;
}

bool QtUserDialogs::inputText(const QString &caption, const QString &label, QString *inOut)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parentWindow, caption, label, QLineEdit::Normal, *inOut, &ok);
    if (ok)
        *inOut = text;
    return ok;
}

bool QtUserDialogs::font(QFont *inOut)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, *inOut, parentWindow);
    if (ok)
        *inOut = chosen;
    return ok;
}

bool QtUserDialogs::printer(QPrinter *printer, bool pageSetup)
{
    if (pageSetup) {
        QPageSetupDialog dialog(printer, parentWindow);
        return dialog.exec() == QDialog::Accepted;
    }
    QPrintDialog dialog(printer, parentWindow);
    return dialog.exec() == QDialog::Accepted;
}
