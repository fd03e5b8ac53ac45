#include "util/uDivApplication.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <initializer_list>

QString AppDir;

namespace {
QString appDirOverride;

struct LanguageRow {
    const char *name;
    const char *code;
    std::initializer_list<int> ids;
};

// The languages the program knows and the Windows language identifiers of each.
const LanguageRow languageTable[] = {
    {"Basque", "eu", {1069}},
    {"Breton", "br", {1150}},
    {"Chinese", "zh", {2052, 4100, 1028, 3076, 5124}},
    {"Corsican", "co", {1155}},
    {"English", "en", {1033, 2057, 3081, 10249, 4105, 9225, 15369, 16393, 14345, 6153, 8201, 17417,
                       5129, 13321, 18441, 7177, 11273, 12297}},
    {"French", "fr", {1036, 2060, 11276, 3084, 9228, 12300, 15372, 5132, 13324, 3156, 14348, 58380,
                      8204, 10252, 4108, 7180}},
    {"German", "de", {1031, 3079, 5127, 4103, 2055}},
    {"Hebrew", "he", {1037}},
    {"Italian", "it", {1040, 2064}},
    {"Japanese", "ja", {1041}},
    {"Portuguese", "pt", {1046, 2070}},
    {"Russian", "ru", {1049, 2073}},
    {"Spanish", "es", {3082, 1034, 11274, 16394, 13322, 9226, 5130, 7178, 12298, 17418, 4106, 18442,
                       22538, 2058, 19466, 6154, 15370, 10250, 20490, 21514, 14346, 8202}},
    {"Ukrainian", "uk", {1058}},
};
} // namespace

void SetAppDirOverride(const QString &folder)
{
    appDirOverride = folder;
}

void InitAppDir()
{
    QString dir = appDirOverride.isEmpty() ? QCoreApplication::applicationDirPath() : appDirOverride;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    AppDir = dir;
}

QString LanguageNameOfId(int languageId)
{
    for (const LanguageRow &row : languageTable) {
        for (int id : row.ids) {
            if (id == languageId)
                return QString::fromLatin1(row.name);
        }
    }
    return QStringLiteral("English");
}

QString LanguageCodeOfName(const QString &name)
{
    for (const LanguageRow &row : languageTable) {
        if (name == QLatin1String(row.name))
            return QString::fromLatin1(row.code);
    }
    return QStringLiteral("en");
}

QString GetSystemLanguageName()
{
    return LanguageNameOfId(GetUserDefaultLangID());
}

QString GetSystemLanguageCode()
{
    return LanguageCodeOfName(GetSystemLanguageName());
}
