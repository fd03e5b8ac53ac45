#pragma once
// The key=value line syntax shared by the settings, language and theme files.
#include <QString>
#include <QStringList>

// True when the text of the line before its first "=" equals the key exactly.
bool IsKeyOfLine(const QString &key, const QString &line);
// The text after the first "="; empty when the line has no "=".
QString ValueOfLine(const QString &line);
QString BoolToText(bool value);
// Only the exact text "True" is true.
bool TextToBool(const QString &text);

// Removes every character with a code up to 32 at both ends.
QString TrimSettingsLine(const QString &line);
// True for lines the readers skip: empty after trimming, or starting with ";" or "//".
bool IsSkippedSettingsLine(const QString &trimmedLine);
// Splits a whole file's text into lines, accepting CR LF, LF and lone CR line ends.
QStringList SplitSettingsLines(const QString &text);
// The lines a reader handles, in order: each trimmed, the skipped ones left out.
QStringList SettingsLinesToRead(const QString &text);
