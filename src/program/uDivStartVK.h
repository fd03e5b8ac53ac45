#pragma once
// The program's identity and the folders and files it uses; folder values end with "/".
#include <QString>

extern const QString ProductName;
extern const QString ShortVersion;
extern const QString FullVersion;
extern const QString ProductTitle;
extern const QString WebsiteAddress;
extern const QString DownloadPageFR;
extern const QString DownloadPageEN;

// Where the program finds and keeps its files; all follow from the program's folder.
struct ProgramPaths {
    QString AppPath;
    QString TmpDir;
    QString ConfigDir;
    QString HighlightersDir;
    QString IniFileName;
    QString WallpaperFile;
    QString EntitiesListFile;
    // The Tidy configuration a first run starts with.
    QString DefaultTidyConfigFile;
    QString TidyConfigTmpFile;
    QString TmpDocName;
    QString StderrFile;
    QString BeforeCleanFile;
    QString Tidy4Exe;
    QString Tidy5Exe;
    QString TemplatesDir;

    // The files of a language, whether or not they exist.
    QString LanguageFile(const QString &code) const;
    QString HelpFile(const QString &code) const;
    QString QuickRefFile(const QString &code) const;
};

// The paths of this run. Set from the executable's folder on first use unless
// InitProgramPaths came first; read-only for everyone else.
const ProgramPaths &Paths();

// Sets the paths from a program folder (the executable's folder when empty), before
// the main window is made. Refused, returning false, while a window uses them.
bool InitProgramPaths(const QString &programFolder = QString());

// Held by the main window for its life: the paths it started with stay as they are.
class ProgramPathsInUse {
public:
    ProgramPathsInUse();
    ~ProgramPathsInUse();
    ProgramPathsInUse(const ProgramPathsInUse &) = delete;
    ProgramPathsInUse &operator=(const ProgramPathsInUse &) = delete;
};

// The version service's address, unscrambled from where it is stored.
QString VersionCheckAddress();
