#include "platform/Platform.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSettings>
#include <QUrl>
#include <memory>

bool ShellOpen(const QString &fileOrAddress)
{
    const QUrl url = fileOrAddress.contains("://") ? QUrl(fileOrAddress)
                                                   : QUrl::fromLocalFile(QFileInfo(fileOrAddress).absoluteFilePath());
    return QDesktopServices::openUrl(url);
}

int LanguageIdOfLocale(const QString &localeName)
{
    // Windows language identifiers of the locales the language table knows.
    static const QHash<QString, int> ids = {
        {"eu_ES", 1069}, {"br_FR", 1150}, {"zh_CN", 2052}, {"zh_SG", 4100}, {"zh_TW", 1028},
        {"zh_HK", 3076}, {"zh_MO", 5124}, {"co_FR", 1155},
        {"en_US", 1033}, {"en_GB", 2057}, {"en_AU", 3081}, {"en_BZ", 10249}, {"en_CA", 4105},
        {"en_IE", 6153}, {"en_JM", 8201}, {"en_NZ", 5129}, {"en_PH", 13321}, {"en_ZA", 7177},
        {"en_TT", 11273}, {"en_ZW", 12297}, {"en_IN", 16393}, {"en_MY", 17417}, {"en_SG", 18441},
        {"fr_FR", 1036}, {"fr_BE", 2060}, {"fr_CM", 11276}, {"fr_CA", 3084}, {"fr_CI", 12300},
        {"fr_HT", 15372}, {"fr_LU", 5132}, {"fr_ML", 13324}, {"fr_MA", 14348}, {"fr_MC", 6156},
        {"fr_RE", 8204}, {"fr_SN", 10252}, {"fr_CH", 4108}, {"fr_CD", 9228},
        {"de_DE", 1031}, {"de_AT", 3079}, {"de_LI", 5127}, {"de_LU", 4103}, {"de_CH", 2055},
        {"he_IL", 1037}, {"it_IT", 1040}, {"it_CH", 2064}, {"ja_JP", 1041},
        {"pt_BR", 1046}, {"pt_PT", 2070}, {"ru_RU", 1049}, {"ru_MD", 2073},
        {"es_ES", 3082}, {"es_MX", 2058}, {"es_AR", 11274}, {"es_BO", 16394}, {"es_CL", 13322},
        {"es_CO", 9226}, {"es_CR", 5130}, {"es_DO", 7178}, {"es_EC", 12298}, {"es_SV", 17418},
        {"es_GT", 4106}, {"es_HN", 18442}, {"es_NI", 19466}, {"es_PA", 6154}, {"es_PY", 15370},
        {"es_PE", 10250}, {"es_PR", 20490}, {"es_UY", 14346}, {"es_VE", 8202}, {"es_US", 21514},
        {"uk_UA", 1058},
    };
    const auto it = ids.constFind(localeName);
    if (it != ids.constEnd())
        return *it;
    // A territory the table lacks: the language's main identifier.
    static const QHash<QString, int> primary = {
        {"eu", 1069}, {"br", 1150}, {"zh", 2052}, {"co", 1155}, {"en", 1033}, {"fr", 1036},
        {"de", 1031}, {"he", 1037}, {"it", 1040}, {"ja", 1041}, {"pt", 1046}, {"ru", 1049},
        {"es", 3082}, {"uk", 1058},
    };
    return primary.value(localeName.section('_', 0, 0), 0);
}

int GetUserDefaultLangID()
{
    return LanguageIdOfLocale(QLocale::system().name());
}

namespace {
QString userStoreFile;

std::unique_ptr<QSettings> openStore()
{
    if (!userStoreFile.isEmpty())
        return std::make_unique<QSettings>(userStoreFile, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "VelKandrix", "VelKandrix");
}
} // namespace

void SetUserStoreFile(const QString &path)
{
    userStoreFile = path;
}

QString UserStoreValue(const QString &group, const QString &key)
{
    return openStore()->value(group + "/" + key).toString();
}

bool UserStoreHasValue(const QString &group, const QString &key)
{
    return openStore()->contains(group + "/" + key);
}

void SetUserStoreValue(const QString &group, const QString &key, const QString &value)
{
    auto store = openStore();
    store->setValue(group + "/" + key, value);
    store->sync();
}

namespace {
// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five undefined bytes, which map to C1 controls.
const char16_t cp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

char16_t ansiToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && cp1252High[byte - 0x80] != 0)
        return cp1252High[byte - 0x80];
    return byte;
}

int unicodeToAnsi(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return int(code);
    for (int i = 0; i < 32; ++i) {
        if (cp1252High[i] == code)
            return 0x80 + i;
        if (cp1252High[i] == 0 && code == char32_t(0x80 + i))
            return 0x80 + i;
    }
    return -1;
}
} // namespace

QByteArray ToAnsi(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const int byte = unicodeToAnsi(code);
        out.append(byte < 0 ? '?' : char(byte));
    }
    return out;
}

QString FromAnsi(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *data = out.data();
    for (int i = 0; i < bytes.size(); ++i)
        data[i] = QChar(ansiToUnicode(static_cast<unsigned char>(bytes[i])));
    return out;
}

bool FitsInAnsi(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (unicodeToAnsi(text[i].unicode()) < 0)
            return false;
    }
    return true;
}
