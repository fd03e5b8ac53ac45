#pragma once
// The program's own message boxes, asked through the dialog seam.
#include <QString>

// Shows the text with only an OK button: kind 0 information, 1 confirmation,
// 2 error, 3 warning; any other kind shows nothing.
void ShowMessageKind(int kind, const QString &text);
// True when the file does not exist or the user answers Yes to SWarningOverwriteFile.
bool ConfirmOverwrite(const QString &path);
