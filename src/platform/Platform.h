#pragma once
// Small stand-ins for system facilities.
#include <QByteArray>
#include <QString>

// Opens a local file or a web address with the desktop's handler.
bool ShellOpen(const QString &fileOrAddress);

// The Windows language identifier of the user's locale (1033 for en_US, 3084 for fr_CA...).
int GetUserDefaultLangID();
// The same for a locale name such as "fr_CA"; 0 when unknown.
int LanguageIdOfLocale(const QString &localeName);

// Per-user key/value store; the browser-emulation value is written when missing.
QString UserStoreValue(const QString &group, const QString &key);
bool UserStoreHasValue(const QString &group, const QString &key);
void SetUserStoreValue(const QString &group, const QString &key, const QString &value);
// Tests point the store at a file of their own.
void SetUserStoreFile(const QString &path);

// ANSI is Windows-1252 here; a character it cannot hold becomes "?".
QByteArray ToAnsi(const QString &text);
QString FromAnsi(const QByteArray &bytes);
// True when every character of the text survives the trip to ANSI.
bool FitsInAnsi(const QString &text);
