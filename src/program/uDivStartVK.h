#pragma once
// The program's identity and every path it uses; folder values end with "/".
#include <QString>

extern QString ProductName;
extern QString ShortVersion;
extern QString FullVersion;
extern QString ProductTitle;
extern QString WebsiteAddress;
extern QString DownloadPageFR;
extern QString DownloadPageEN;
extern QString AppPath;
extern QString TmpDir;
extern QString ConfigDir;
extern QString HighlightersDir;
extern QString IniFileName;
extern QString WallpaperFile;
extern QString EntitiesListFile;
extern QString TidyConfigFile;
extern QString TidyConfigTmpFile;
extern QString TmpDocName;
extern QString StderrFile;
extern QString BeforeCleanFile;
extern QString Tidy4Exe;
extern QString Tidy5Exe;
extern QString TemplatesDir;
extern QString LanguageCode;
extern QString LanguageFileName;
extern QString HelpFileName;
extern QString QuickRefFileName;

// Sets every global above from the executable's folder.
void InitGlobalPaths();
// The version service's address, unscrambled from where it is stored.
QString VersionCheckAddress();
