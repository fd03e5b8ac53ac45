#include "program/uDivStartVK.h"

#include "util/uDivApplication.h"

#include <optional>

const QString ProductName = QStringLiteral("VelKandrix");
const QString ShortVersion = QStringLiteral("2.0");
const QString FullVersion = QStringLiteral("2.0.2.0");
const QString ProductTitle = ProductName + " " + ShortVersion + " " + "by Q.M.R Crew";
const QString WebsiteAddress = QStringLiteral("http://www.velkandrix.example/");
const QString DownloadPageFR = WebsiteAddress + "FR/download-fr.php";
const QString DownloadPageEN = WebsiteAddress + "EN/download-en.php";

namespace {
// The version service's address, kept as digits: each character's code plus 17, three digits each.
const char *const scrambledVersionAddress =
    "121133133129075064064136136136063135118125124114127117131122137063118137114126129125118064135118131132122128127063129121129";

std::optional<ProgramPaths> &current()
{
    static std::optional<ProgramPaths> paths;
    return paths;
}

int usersOfPaths = 0;

ProgramPaths pathsOf(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    ProgramPaths p;
    p.AppPath = folder;
    p.TmpDir = folder + "tmp/";
    p.ConfigDir = folder + "config/";
    p.HighlightersDir = folder + "highlighters/";
    p.IniFileName = folder + "velkandrix.ini";
    p.WallpaperFile = folder + "wallpaper/silver.jpg";
    p.EntitiesListFile = folder + "quickref/HTML Entities List.html";
    p.DefaultTidyConfigFile = p.ConfigDir + "auto-settings.cfg";
    p.TidyConfigTmpFile = p.ConfigDir + "tidy-cfg.tmp";
    p.TmpDocName = "tmptid.htm";
    p.StderrFile = p.TmpDir + "stderr.txt";
    p.BeforeCleanFile = p.TmpDir + "beforeclean.tmp";
    p.Tidy4Exe = folder + "tidy4/tidy";
    p.Tidy5Exe = folder + "tidy5/tidy";
    p.TemplatesDir = folder + "templates/";
    return p;
}
} // namespace

QString ProgramPaths::LanguageFile(const QString &code) const
{
    return AppPath + "language/lang_" + code + ".txt";
}

QString ProgramPaths::HelpFile(const QString &code) const
{
    return AppPath + "help/help_" + code + ".htm";
}

QString ProgramPaths::QuickRefFile(const QString &code) const
{
    return AppPath + "quickref/tidy_quickref_" + code + ".htm";
}

const ProgramPaths &Paths()
{
    if (!current())
        InitProgramPaths();
    return *current();
}

bool InitProgramPaths(const QString &programFolder)
{
    if (usersOfPaths > 0)
        return false;
    QString folder = programFolder;
    if (folder.isEmpty()) {
        InitAppDir();
        folder = AppDir;
    }
    current() = pathsOf(folder);
    return true;
}

ProgramPathsInUse::ProgramPathsInUse()
{
    Paths();
    ++usersOfPaths;
}

ProgramPathsInUse::~ProgramPathsInUse()
{
    --usersOfPaths;
}

QString VersionCheckAddress()
{
    QString address;
    const QString digits = QString::fromLatin1(scrambledVersionAddress);
    for (int i = 0; i + 3 <= digits.size(); i += 3)
        address.append(QChar(digits.mid(i, 3).toInt() - 17));
    return address;
}
