#include "dialogs/MessageBoxes.h"

#include "dialogs/UserDialogs.h"
#include "platform/Platform.h"
#include "program/MessagesKandrix.h"

#include <QFileInfo>

void ShowMessageKind(int kind, const QString &text)
{
    // Captions are the toolkit's own words, not the language file's.
    QMessageBox::Icon icon;
    QString caption;
    switch (kind) {
    case 0: icon = QMessageBox::Information; caption = QStringLiteral("Information"); break;
    case 1: icon = QMessageBox::Question; caption = QStringLiteral("Confirmation"); break;
    case 2: icon = QMessageBox::Critical; caption = QStringLiteral("Error"); break;
    case 3: icon = QMessageBox::Warning; caption = QStringLiteral("Warning"); break;
    default: return;
    }
    Dialogs().message(icon, caption, text, QMessageBox::Ok);
}

bool ConfirmOverwrite(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return true;
    const QString text = FormatMessageText(SWarningOverwriteFile, {path});
    const QMessageBox::StandardButton answer =
        Dialogs().message(QMessageBox::Question, QStringLiteral("Confirmation"), text,
                          QMessageBox::Yes | QMessageBox::Cancel);
    return answer == QMessageBox::Yes;
}

void OpenOrSay(const QString &fileOrAddress)
{
    if (!ShellOpen(fileOrAddress))
        ShowMessageKind(2, FormatMessageText(SNoProgramToOpen, {fileOrAddress}));
}
