#include "program/uDivStartVK.h"

#include "util/uDivApplication.h"

QString ProductName;
QString ShortVersion;
QString FullVersion;
QString ProductTitle;
QString WebsiteAddress;
QString DownloadPageFR;
QString DownloadPageEN;
QString AppPath;
QString TmpDir;
QString ConfigDir;
QString HighlightersDir;
QString IniFileName;
QString WallpaperFile;
QString EntitiesListFile;
QString TidyConfigFile;
QString TidyConfigTmpFile;
QString TmpDocName;
QString StderrFile;
QString BeforeCleanFile;
QString Tidy4Exe;
QString Tidy5Exe;
QString TemplatesDir;
QString LanguageCode;
QString LanguageFileName;
QString HelpFileName;
QString QuickRefFileName;

namespace {
// The version service's address, kept as digits: each character's code plus 17, three digits each.
const char *const scrambledVersionAddress =
    "121133133129075064064136136136063135118125124114127117131122137063118137114126129125118064135118131132122128127063129121129";
} // namespace

QString VersionCheckAddress()
{
    QString address;
    const QString digits = QString::fromLatin1(scrambledVersionAddress);
    for (int i = 0; i + 3 <= digits.size(); i += 3)
        address.append(QChar(digits.mid(i, 3).toInt() - 17));
    return address;
}

void InitGlobalPaths()
{
    InitAppDir();
    ProductName = "VelKandrix";
    ShortVersion = "2.0";
    FullVersion = "2.0.2.0";
    ProductTitle = ProductName + " " + ShortVersion + " " + "by Q.M.R Crew";
    WebsiteAddress = "http://www.velkandrix.example/";
    DownloadPageFR = WebsiteAddress + "FR/download-fr.php";
    DownloadPageEN = WebsiteAddress + "EN/download-en.php";
    AppPath = AppDir;
    TmpDir = AppPath + "tmp/";
    ConfigDir = AppPath + "config/";
    HighlightersDir = AppPath + "highlighters/";
    IniFileName = AppPath + "velkandrix.ini";
    WallpaperFile = AppPath + "wallpaper/silver.jpg";
    EntitiesListFile = AppPath + "quickref/HTML Entities List.html";
    TidyConfigFile = ConfigDir + "auto-settings.cfg";
    TidyConfigTmpFile = ConfigDir + "tidy-cfg.tmp";
    TmpDocName = "tmptid.htm";
    StderrFile = TmpDir + "stderr.txt";
    BeforeCleanFile = TmpDir + "beforeclean.tmp";
    Tidy4Exe = AppPath + "tidy4/tidy";
    Tidy5Exe = AppPath + "tidy5/tidy";
    TemplatesDir = AppPath + "templates/";
    LanguageCode = "en";
    LanguageFileName = AppPath + "language/lang_" + LanguageCode + ".txt";
    HelpFileName = AppPath + "help/help_" + LanguageCode + ".htm";
    QuickRefFileName = AppPath + "quickref/tidy_quickref_" + LanguageCode + ".htm";
}
