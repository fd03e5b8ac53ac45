#pragma once
#include <QString>

// Folder of the executable, ending with "/".
extern QString AppDir;

// Sets AppDir from the executable's folder, or from the override when one is set.
void InitAppDir();
// Tests run the program from a temporary copy of its folder.
void SetAppDirOverride(const QString &folder);

// The English name of the user's language (table of language identifiers).
QString GetSystemLanguageName();
QString GetSystemLanguageCode();
// The same lookups for a given Windows language identifier.
QString LanguageNameOfId(int languageId);
QString LanguageCodeOfName(const QString &name);
