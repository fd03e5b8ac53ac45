#include "program/LanguageFile.h"

#include "program/MessagesKandrix.h"
#include "program/VkSettings.h"
#include "program/uDivStartVK.h"
#include "util/uDivFiles.h"
#include "util/uDivIni.h"

#include <QFileInfo>
#include <QHash>

namespace {

const QString Caption = QStringLiteral("caption");
const QString Hint = QStringLiteral("hint");
const QString Text = QStringLiteral("text");

// Keys whose value is the caption of the menu item of the same name.
const char *const menuCaptionKeys[] = {
    "MenuFile", "MenuNewDocHTML5", "MenuNewDocHTML4", "NewDocPHP", "NewDocTXT", "MenuOpen",
    "MenuRecentFiles", "MenuSave", "MenuSaveAs", "MenuPrint", "MenuPrinterSetup", "MenuClose",
    "MenuEdit", "MenuUndo", "MenuRedo", "MenuCut", "MenuCopy", "MenuPaste", "MenuDelete",
    "MenuSearch", "MenuSearchNext", "MenuReplace", "MenuSelectAll", "MenuView",
    "MenuShowErrorsComments", "MenuErrorEditorToLeft", "MenuTools", "MenuContainerEditor",
    "MenuTableEditor", "MenuHTMLEntities", "MenuImageResizingCalculator", "MenuOptions",
    "MenuLanguages", "MenuEnableJavascript", "MenuSyntaxHighlighting", "MenuTidy", "MenuAnalyze",
    "MenuClean", "MenuUndoAllChanges", "MenuHelp", "MenuHelpIndex", "MenuTidySourceForge",
    "MenuTidyHtmlpedia", "MenuAbout", "MenuWebsite", "MenuDeleteOption", "MenuAddOption",
    "MenuSaveConfigurationFileAs", "PopupSave", "PopupSaveAs", "PopupRenameFile", "PopupPath",
    "PopUpClose", "PopupContainerWithBorder", "PopUpEditorContainer", "PopupTitleTagsText",
    "PopupLineBreaksText", "PopupLinkToAnchor02", "PopupAnchor02_H1", "PopupAnchor02_H2",
    "PopupAnchor02_H3", "PopupAnchor02_H4", "PopupAnchor02_H5", "PopupAnchor02_H6",
    "PopupEditorTable", "PopupBlankTable",
};

// Keys "<component>.Hint".
const char *const hintComponents[] = {
    "ButtonNew", "ButtonOpen", "ButtonSave", "ButtonHTMLEntitiesList", "ButtonImageResize",
    "ButtonOptimizer", "ButtonShowHiddenChars", "ButtonWordWrap", "ButtonJustifyCenter",
    "ButtonJustifyLeft", "ButtonJustifyRight", "ButtonJustify", "ButtonLinkInternal",
    "ButtonLinkExternal", "ButtonAnchors", "ButtonContainer", "ButtonTableEditor", "ButtonList_UL",
    "ButtonList_OL", "ButtonForm", "ButtonFormImg", "ButtonFormInputText", "ButtonFormTextArea",
    "ButtonFormCheck", "ButtonFormRadio", "ButtonFormSelect", "ButtonFormListBox",
    "ButtonFormButton", "ButtonFormReset", "ButtonFormSubmit", "ButtonFormAttachFile",
    "ButtonFormPassword", "ButtonFormHidden",
};

// Captions of buttons, tab pages, panels and a label, named like their key.
const char *const captionKeys[] = {
    "ButtonAnalyze", "ButtonClean", "ButtonUndoClean", "TBHtmlTags", "TBTableLists", "TBForms",
    "TBAttributes", "TBEncoding", "TBTidyConfig", "PanelRows", "PanelFormOptions",
    "LabelForTheLastVersion",
};

const char *const quickStartKeys[] = {
    "lgQuickStart", "lgLine01", "lgLine02", "lgLine03", "lgLine04", "lgLine05",
};

// What one key sets besides a message text.
struct KeyAction {
    QList<QPair<QString, QString>> targets;   // (component, property)
    bool productSuffix = false;               // MenuWebsite: value + " " + ProductName
};

const QHash<QString, KeyAction> &componentKeys()
{
    static const QHash<QString, KeyAction> table = [] {
        QHash<QString, KeyAction> t;
        for (const char *key : menuCaptionKeys)
            t[QLatin1String(key)].targets.append({QLatin1String(key), Caption});
        t[QStringLiteral("MenuCut")].targets.append({QStringLiteral("PopupCut"), Caption});
        t[QStringLiteral("MenuCopy")].targets.append({QStringLiteral("PopupCopy"), Caption});
        t[QStringLiteral("MenuPaste")].targets.append({QStringLiteral("PopupPaste"), Caption});
        t[QStringLiteral("MenuLanguages")].targets = {{QStringLiteral("MenuLanguage"), Caption}};
        t[QStringLiteral("MenuWebsite")].productSuffix = true;

        for (const char *component : hintComponents)
            t[QLatin1String(component) + QLatin1String(".Hint")].targets.append({QLatin1String(component), Hint});
        t[QStringLiteral("SENumRows")].targets.append({QStringLiteral("SENumRows"), Hint});
        t[QStringLiteral("SEFormOptions")].targets.append({QStringLiteral("SEFormOptions"), Hint});
        // These five are message texts as well (the generators' tag bars use them).
        t[QStringLiteral("SComments")].targets.append({QStringLiteral("ButtonComments"), Hint});
        t[QStringLiteral("STextColor")].targets.append({QStringLiteral("ButtonColors"), Hint});
        t[QStringLiteral("SInternalLink")].targets.append({QStringLiteral("ButtonLinkInternal"), Hint});
        t[QStringLiteral("SExternalLink")].targets.append({QStringLiteral("ButtonLinkExternal"), Hint});
        t[QStringLiteral("SImage")].targets.append({QStringLiteral("ButtonImage"), Hint});

        for (const char *key : captionKeys)
            t[QLatin1String(key)].targets.append({QLatin1String(key), Caption});
        for (const char *key : quickStartKeys)
            t[QLatin1String(key)].targets.append({QLatin1String(key), Text});
        return t;
    }();
    return table;
}

} // namespace

LanguageTexts ReadLanguageText(const QByteArray &bytes, VkSettings *settings)
{
    LanguageTexts texts;
    SSaveInUnicode.clear();
    for (const QString &line : SettingsLinesToRead(DecodeSettingsBytes(bytes))) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            const QString key = line.left(eq);
            const QString value = ValueOfLine(line);
            if (key == QLatin1String("FLanguage")) {
                if (settings)
                    settings->Language = value;
            } else if (key == QLatin1String("SSaveInUnicode")) {
                SSaveInUnicode += QStringLiteral("\r\n") + value;
            } else if (QString *message = MessageByKey(key)) {
                *message = value;
            }
            const auto action = componentKeys().constFind(key);
            if (action != componentKeys().constEnd()) {
                const QString text = action->productSuffix ? value + QLatin1Char(' ') + ProductName : value;
                for (const auto &target : action->targets)
                    texts.append({target.first, target.second, text});
            }
        }
        if (settings) {
            settings->HelpFileName = Paths().HelpFile(settings->Language);
            settings->QuickRefFileName = Paths().QuickRefFile(QStringLiteral("en"));
        }
    }
    return texts;
}

bool ReadLanguageFile(const QString &path, LanguageTexts *texts, VkSettings *settings)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    const LanguageTexts result = ReadLanguageText(ReadFileToString(path), settings);
    if (texts)
        *texts = result;
    return true;
}

QStringList LanguageFileKeys()
{
    QStringList keys = MessageKeys();
    keys << QStringLiteral("FLanguage");
    for (auto it = componentKeys().constBegin(); it != componentKeys().constEnd(); ++it) {
        if (!keys.contains(it.key()))
            keys << it.key();
    }
    return keys;
}
