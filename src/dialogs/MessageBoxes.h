#pragma once
// The program's own message boxes, asked through the dialog seam.
#include <QString>

// Shows the text with only an OK button: kind 0 information, 1 confirmation,
// 2 error, 3 warning; any other kind shows nothing.
void ShowMessageKind(int kind, const QString &text);
// Opens a file or web address with the desktop's handler, or says that none is set up.
void OpenOrSay(const QString &fileOrAddress);
// True when the file does not exist or the user answers Yes to SWarningOverwriteFile.
bool ConfirmOverwrite(const QString &path);
