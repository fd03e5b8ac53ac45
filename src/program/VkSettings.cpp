#include "program/VkSettings.h"

#include "util/uDivFiles.h"

#include "program/uDivStartVK.h"
#include "platform/Platform.h"
#include "util/uDivApplication.h"
#include "util/uDivIni.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <climits>
#include <iterator>

namespace {

const QString CRLF = QStringLiteral("\r\n");

bool isFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Decimal integer as the file stores it; leading blanks pass, anything else fails.
bool parseInt(const QString &text, int *out)
{
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= text.size())
        return false;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        value = value * 10 + (c.unicode() - '0');
        if (value > qint64(INT_MAX) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    *out = int(value);
    return true;
}

// A value must stay on its line: a line break inside it would start a line of
// its own on reading, and could even pose as another key.
bool fitsOnLine(const QString &value)
{
    return !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'));
}

QString firstLine(const QString &value)
{
    int end = 0;
    while (end < value.size() && value.at(end) != QLatin1Char('\r') && value.at(end) != QLatin1Char('\n'))
        ++end;
    return value.left(end);
}

class LineWriter {
public:
    void line(const QString &text) { m_text += text + CRLF; }
    void blank() { m_text += CRLF; }
    void value(const QString &key, const QString &value) { line(key + QLatin1Char('=') + firstLine(value)); }
    void value(const QString &key, int value) { line(key + QLatin1Char('=') + QString::number(value)); }
    void value(const QString &key, bool value) { line(key + QLatin1Char('=') + BoolToText(value)); }
    // One line per item; empty items and items that cannot stay on one line are left out.
    void items(const QString &key, const QStringList &items)
    {
        for (const QString &item : items) {
            if (!item.isEmpty() && fitsOnLine(item))
                line(key + QLatin1Char('=') + item);
        }
    }
    QString text() const { return m_text; }

private:
    QString m_text;
};

void writeValueLists(LineWriter &w, const TidyOptionTables &t)
{
    w.line(QStringLiteral("[ComboBox Items]"));
    w.value(QStringLiteral("ItemsCBDocType"), t.ItemsCBDocType);
    w.value(QStringLiteral("ItemsCBAutoBool"), t.ItemsCBAutoBool);
    w.value(QStringLiteral("ItemsCBRepeatedAttributes"), t.ItemsCBRepeatedAttributes);
    w.value(QStringLiteral("ItemsCBAccessibilityCheck"), t.ItemsCBAccessibilityCheck);
    w.value(QStringLiteral("ItemsCBSortAttributes"), t.ItemsCBSortAttributes);
    w.value(QStringLiteral("ItemsCBCharEncoding"), t.ItemsCBCharEncoding);
    w.value(QStringLiteral("ItemsCBNewLine"), t.ItemsCBNewLine);
    w.value(QStringLiteral("ItemsCBBoolean"), t.ItemsCBBoolean);
    w.blank();
}

void writeTypeSections(LineWriter &w, const TidyOptionTables &t)
{
    w.line(QStringLiteral("[AutoBool]"));
    w.items(QStringLiteral("tpAutoBool"), t.tpAutoBool);
    w.blank();
    w.line(QStringLiteral("[Encoding]"));
    w.items(QStringLiteral("tpEncoding"), t.tpEncoding);
    w.blank();
    w.line(QStringLiteral("[Enum]"));
    w.items(QStringLiteral("tpDocType"), t.tpDocType);
    w.items(QStringLiteral("tpTagNames"), t.tpTagNames);
    w.items(QStringLiteral("tpRepeatedAttributes"), t.tpRepeatedAttributes);
    w.items(QStringLiteral("tpNewline"), t.tpNewline);
    w.items(QStringLiteral("tpAccessibilityCheck"), t.tpAccessibilityCheck);
    w.items(QStringLiteral("tpSortAttributes"), t.tpSortAttributes);
    w.blank();
    w.line(QStringLiteral("[String]"));
    w.items(QStringLiteral("tpString"), t.tpString);
    w.blank();
    w.line(QStringLiteral("[Integer]"));
    w.items(QStringLiteral("tpInteger"), t.tpInteger);
    w.blank();
    w.line(QStringLiteral("[Boolean]"));
    w.items(QStringLiteral("tpBoolean"), t.tpBoolean);
    w.blank();
    w.line(QStringLiteral("[DefVal]"));
    w.items(QStringLiteral("tpDefVal"), t.tpDefVal);
    w.blank();
}

// The first-run file titles its class sections "[Class:...]", the writer at exit does not.
void writeClassSections(LineWriter &w, const TidyOptionTables &t, const QString &prefix, bool blankAfterLast)
{
    const struct {
        const char *title;
        const char *key;
        const QStringList *names;
    } sections[] = {
        {"HTML_XHTML_XML", "clHTML_XHTML_XML", &t.clHTML_XHTML_XML},
        {"Diagnostics", "clDiagnostics", &t.clDiagnostics},
        {"PrettyPrint", "clPrettyPrint", &t.clPrettyPrint},
        {"CharacterEncoding", "clCharacterEncoding", &t.clCharacterEncoding},
        {"Miscellaneous", "clMiscellaneous", &t.clMiscellaneous},
    };
    const int count = int(std::size(sections));
    for (int i = 0; i < count; ++i) {
        w.line(QLatin1Char('[') + prefix + QLatin1String(sections[i].title) + QLatin1Char(']'));
        w.items(QLatin1String(sections[i].key), *sections[i].names);
        if (blankAfterLast || i + 1 < count)
            w.blank();
    }
}

// The option-name lists of the eleven types and the default values.
QList<QStringList *> typeLists(TidyOptionTables &t)
{
    return {&t.tpAutoBool, &t.tpEncoding, &t.tpDocType, &t.tpTagNames, &t.tpRepeatedAttributes,
            &t.tpNewline, &t.tpAccessibilityCheck, &t.tpSortAttributes, &t.tpString, &t.tpInteger,
            &t.tpBoolean, &t.tpDefVal};
}

QList<QStringList *> classLists(TidyOptionTables &t)
{
    return {&t.clHTML_XHTML_XML, &t.clDiagnostics, &t.clPrettyPrint, &t.clCharacterEncoding,
            &t.clMiscellaneous};
}

// The closing steps of a reading: language, file names, run count, lower case.
void finishReading(VkSettings &s)
{
    if (s.RunCount == 0)
        s.Language = GetSystemLanguageCode();
    s.LanguageFileName = Paths().LanguageFile(s.Language);
    s.HelpFileName = Paths().HelpFile(s.Language);
    if (s.RunCount < INT_MAX)
        ++s.RunCount;
    CheckIfVelKandrixFilesExists(s);
    for (QStringList *list : typeLists(s.Tidy)) {
        for (QString &name : *list)
            name = name.toLower();
    }
}

} // namespace

QByteArray EncodeSettingsText(const QString &text)
{
    if (FitsInAnsi(text)) {
        // ANSI bytes that also make valid UTF-8 ("Ã©" is C3 A9) would read back as other
        // characters: such text goes to UTF-8 too.
        const QByteArray ansi = ToAnsi(text);
        if (DecodeSettingsBytes(ansi) == text)
            return ansi;
    }
    return text.toUtf8();
}

QString DecodeSettingsBytes(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(data.mid(3));
    // A text editor may save the file as UTF-16 with its byte-order mark.
    if (data.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(data.mid(2));
    if (data.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(data.mid(2));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    return FromAnsi(data);
}

QString FirstRunSettingsText(const TidyOptionTables &tables, int formTop, int formLeft)
{
    LineWriter w;
    w.line(QStringLiteral("[General]"));
    w.line(QStringLiteral("Language=en"));
    w.value(QStringLiteral("FTidyConfigFile"), Paths().DefaultTidyConfigFile);
    w.line(QStringLiteral("Rns=0"));
    w.line(QStringLiteral("ShowNewVersion=True"));
    w.value(QStringLiteral("VersionCheckAddress"), VersionCheckAddress());
    w.line(QStringLiteral("CBThemes=_defaut-settings"));
    w.blank();
    w.line(QStringLiteral("[Interface]"));
    w.line(QStringLiteral("WindowState=wsNormal"));
    w.line(QStringLiteral("FormWidth=840"));
    w.line(QStringLiteral("FormHeight=600"));
    // A screen smaller than the window must not push it off the top or left edge.
    w.value(QStringLiteral("FormTop"), qMax(0, formTop));
    w.value(QStringLiteral("FormLeft"), qMax(0, formLeft));
    w.line(QStringLiteral("SEFontSize=9"));
    w.line(QStringLiteral("CBFont=Courier New"));
    w.line(QStringLiteral("MenuShowErrorsComments=True"));
    w.line(QStringLiteral("GridErrorToLeft=False"));
    w.line(QStringLiteral("MenuEnableJavascript=False"));
    w.line(QStringLiteral("MenuTidy4=False"));
    w.line(QStringLiteral("MenuTidy5=True"));
    w.value(QStringLiteral("LastOpenFolder"), Paths().AppPath);
    w.value(QStringLiteral("LastImageFolder"), Paths().AppPath);
    w.blank();
    writeValueLists(w, tables);
    writeTypeSections(w, tables);
    writeClassSections(w, tables, QStringLiteral("Class:"), false);
    return w.text();
}

SettingsReadStatus ReadSettingsText(const QByteArray &bytes, VkSettings &s)
{
    for (QStringList *list : typeLists(s.Tidy))
        list->clear();
    for (QStringList *list : classLists(s.Tidy))
        list->clear();
    s.CBStartingWith.clear();
    s.CBEndingWith.clear();
    s.FDFindItem.clear();
    s.RDFindItem.clear();
    s.RDReplaceItem.clear();
    s.LastFiles.clear();
    s.HasLastFiles = false;

    TidyOptionTables &t = s.Tidy;
    const QHash<QString, QStringList *> typeKeys = {
        {"tpAutoBool", &t.tpAutoBool}, {"tpEncoding", &t.tpEncoding}, {"tpDocType", &t.tpDocType},
        {"tpTagNames", &t.tpTagNames}, {"tpRepeatedAttributes", &t.tpRepeatedAttributes},
        {"tpNewline", &t.tpNewline}, {"tpAccessibilityCheck", &t.tpAccessibilityCheck},
        {"tpSortAttributes", &t.tpSortAttributes}, {"tpString", &t.tpString},
        {"tpInteger", &t.tpInteger}, {"tpBoolean", &t.tpBoolean}, {"tpDefVal", &t.tpDefVal},
    };
    const QHash<QString, QStringList *> classKeys = {
        {"clHTML_XHTML_XML", &t.clHTML_XHTML_XML}, {"clDiagnostics", &t.clDiagnostics},
        {"clPrettyPrint", &t.clPrettyPrint}, {"clCharacterEncoding", &t.clCharacterEncoding},
        {"clMiscellaneous", &t.clMiscellaneous},
    };
    const QHash<QString, QString *> valueListKeys = {
        {"ItemsCBDocType", &t.ItemsCBDocType}, {"ItemsCBAutoBool", &t.ItemsCBAutoBool},
        {"ItemsCBRepeatedAttributes", &t.ItemsCBRepeatedAttributes},
        {"ItemsCBAccessibilityCheck", &t.ItemsCBAccessibilityCheck},
        {"ItemsCBSortAttributes", &t.ItemsCBSortAttributes},
        {"ItemsCBCharEncoding", &t.ItemsCBCharEncoding}, {"ItemsCBNewLine", &t.ItemsCBNewLine},
        {"ItemsCBBoolean", &t.ItemsCBBoolean},
    };
    const QHash<QString, int *> numberKeys = {
        {"Rns", &s.RunCount}, {"FormWidth", &s.FormWidth}, {"FormHeight", &s.FormHeight},
        {"FormTop", &s.FormTop}, {"FormLeft", &s.FormLeft}, {"SEFontSize", &s.SEFontSize},
    };
    const QHash<QString, bool *> boolKeys = {
        {"ShowNewVersion", &s.ShowNewVersion},
        {"MenuShowErrorsComments", &s.MenuShowErrorsComments},
        {"GridErrorToLeft", &s.GridErrorToLeft},
        {"MenuEnableJavascript", &s.MenuEnableJavascript},
        {"MenuTidy4", &s.MenuTidy4}, {"MenuTidy5", &s.MenuTidy5},
    };
    const QHash<QString, QString *> textKeys = {
        {"CBThemes", &s.ThemeName}, {"CBFont", &s.CBFont}, {"VersionCheckAddress", &s.VersionCheckAddress},
        {"LastOpenFolder", &s.LastOpenFolder}, {"LastImageFolder", &s.LastImageFolder},
    };
    const QHash<QString, QStringList *> entryKeys = {
        {"CBStartingWith", &s.CBStartingWith}, {"CBEndingWith", &s.CBEndingWith},
        {"FDFindItem", &s.FDFindItem}, {"RDFindItem", &s.RDFindItem},
        {"RDReplaceItem", &s.RDReplaceItem},
    };

    const QStringList lines = SettingsLinesToRead(DecodeSettingsBytes(bytes));
    for (const QString &line : lines) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;   // section headers and stray text
        const QString key = line.left(eq);
        const QString value = ValueOfLine(line);

        if (key == QLatin1String("Language")) {
            s.Language = value;
        } else if (key == QLatin1String("FTidyConfigFile")) {
            s.FTidyConfigFile = value;
        } else if (key == QLatin1String("WindowState")) {
            s.WindowState = value;
            if (value == QLatin1String("wsMaximized"))
                s.WindowMaximized = true;
        } else if (key == QLatin1String("PanelGridErrorsWidth")
                   || key == QLatin1String("PanelGridErrorsHeight")) {
            int number = 0;
            if (!parseInt(value, &number))
                return SettingsReadStatus::StoppedAtNumber;
            (key.endsWith(QLatin1String("Width")) ? s.PanelGridErrorsWidth : s.PanelGridErrorsHeight) = number;
        } else if (int *number = numberKeys.value(key)) {
            if (!parseInt(value, number))
                return SettingsReadStatus::StoppedAtNumber;
        } else if (bool *flag = boolKeys.value(key)) {
            *flag = TextToBool(value);
        } else if (QString *text = textKeys.value(key)) {
            *text = value;
        } else if (QStringList *entries = entryKeys.value(key)) {
            entries->append(value);
        } else if (QString *valueList = valueListKeys.value(key)) {
            *valueList = value;
        } else if (QStringList *typeNames = typeKeys.value(key)) {
            // The lists are ";"-separated texts at heart: a value holding ";" gives several
            // names, each without the blanks around it ("indent; wrap").
            for (const QString &name : value.split(QLatin1Char(';'))) {
                const QString trimmed = TrimSettingsLine(name);
                if (!trimmed.isEmpty())
                    typeNames->append(trimmed);
            }
        } else if (QStringList *classNames = classKeys.value(key)) {
            classNames->append(value.toLower());
        } else if (key == QLatin1String("ItemLastFiles")) {
            if (isFile(value)) {
                s.LastFiles.append(value);
                s.HasLastFiles = true;
            }
        } else if (key == QLatin1String("ItemRecentFiles")) {
            if (isFile(value))
                AddToRecentFiles(value, s.RecentFiles);
        }
    }
    finishReading(s);
    return SettingsReadStatus::Completed;
}

SettingsReadStatus ReadSettingsFile(const QString &path, VkSettings &settings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SettingsReadStatus::NotLoaded;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return SettingsReadStatus::NotLoaded;
    return ReadSettingsText(bytes, settings);
}

QString SaveSettingsText(const VkSettings &s)
{
    LineWriter w;
    w.line(QStringLiteral("[General]"));
    w.value(QStringLiteral("Language"), s.Language);
    w.value(QStringLiteral("FTidyConfigFile"), s.FTidyConfigFile);
    w.value(QStringLiteral("Rns"), s.RunCount);
    w.value(QStringLiteral("ShowNewVersion"), s.ShowNewVersion);
    w.value(QStringLiteral("VersionCheckAddress"), s.VersionCheckAddress);
    w.value(QStringLiteral("CBThemes"), s.ThemeName);
    w.blank();

    w.line(QStringLiteral("[Interface]"));
    w.value(QStringLiteral("WindowState"), s.WindowState);
    w.value(QStringLiteral("FormWidth"), s.FormWidth);
    w.value(QStringLiteral("FormHeight"), s.FormHeight);
    w.value(QStringLiteral("FormTop"), s.FormTop);
    w.value(QStringLiteral("FormLeft"), s.FormLeft);
    if (s.PanelGridErrorsWidth)
        w.value(QStringLiteral("PanelGridErrorsWidth"), *s.PanelGridErrorsWidth);
    if (s.PanelGridErrorsHeight)
        w.value(QStringLiteral("PanelGridErrorsHeight"), *s.PanelGridErrorsHeight);
    w.value(QStringLiteral("SEFontSize"), s.SEFontSize);
    w.value(QStringLiteral("CBFont"), s.CBFont);
    w.value(QStringLiteral("MenuShowErrorsComments"), s.MenuShowErrorsComments);
    w.value(QStringLiteral("GridErrorToLeft"), s.GridErrorToLeft);
    w.value(QStringLiteral("MenuEnableJavascript"), s.MenuEnableJavascript);
    w.value(QStringLiteral("MenuTidy4"), s.MenuTidy4);
    w.value(QStringLiteral("MenuTidy5"), s.MenuTidy5);
    w.value(QStringLiteral("LastOpenFolder"), s.LastOpenFolder);
    w.value(QStringLiteral("LastImageFolder"), s.LastImageFolder);
    w.blank();

    w.line(QStringLiteral("[Optimizer CBStartingWith Items]"));
    w.items(QStringLiteral("CBStartingWith"), s.CBStartingWith);
    w.blank();
    w.line(QStringLiteral("[Optimizer CBEndingWith Items]"));
    w.items(QStringLiteral("CBEndingWith"), s.CBEndingWith);

    writeValueLists(w, s.Tidy);
    writeTypeSections(w, s.Tidy);
    writeClassSections(w, s.Tidy, QString(), true);

    w.line(QStringLiteral("[FindDialog Find Items]"));
    w.items(QStringLiteral("FDFindItem"), s.FDFindItem);
    w.blank();
    w.line(QStringLiteral("[ReplaceDialog Find Items]"));
    w.items(QStringLiteral("RDFindItem"), s.RDFindItem);
    w.blank();
    w.line(QStringLiteral("[ReplaceDialog Replace Items]"));
    w.items(QStringLiteral("RDReplaceItem"), s.RDReplaceItem);
    w.blank();

    w.line(QStringLiteral("[LastFiles]"));
    for (const QString &path : s.LastFiles) {
        if (isFile(path) && fitsOnLine(path))
            w.line(QStringLiteral("ItemLastFiles=") + path);
    }
    w.blank();

    // Oldest first: reading puts each path in front, which restores the slot order.
    w.line(QStringLiteral("[RecentFiles]"));
    for (int i = int(s.RecentFiles.size()) - 1; i >= 0; --i) {
        const QString &path = s.RecentFiles[i];
        if (isFile(path) && fitsOnLine(path))
            w.line(QStringLiteral("ItemRecentFiles=") + path);
    }
    return w.text();
}

bool WriteSettingsFile(const QString &path, const QString &text, QString *error)
{
    return WriteFileReplacing(path, EncodeSettingsText(text), error);
}

void CheckIfVelKandrixFilesExists(VkSettings &s)
{
    const QString english = QStringLiteral("en");
    if (!isFile(s.LanguageFileName))
        s.LanguageFileName = Paths().LanguageFile(english);
    if (!isFile(s.HelpFileName))
        s.HelpFileName = Paths().HelpFile(english);
    if (!isFile(s.QuickRefFileName))
        s.QuickRefFileName = Paths().QuickRefFile(english);
}

void ActivateBrowserEmulation()
{
    const QString group = QStringLiteral("FEATURE_BROWSER_EMULATION");
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (name.isEmpty())
        return;
    if (!UserStoreHasValue(group, name))
        SetUserStoreValue(group, name, QStringLiteral("0"));
}
