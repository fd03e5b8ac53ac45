#pragma once
// The message catalogue: one text per message key of the language file, empty
// until a language file has been read.
#include <QString>
#include <QStringList>

// X(identifier, key in the language file)
#define VK_MESSAGE_KEYS(X) \
    X(SGeneratorContainer_Caption, "SGeneratorContainer.Caption") \
    X(SLabelByDefault, "SLabelByDefault") \
    X(SGBGeneral, "SGBGeneral") \
    X(SGBBorder, "SGBBorder") \
    X(SCBRoundedCorners, "SCBRoundedCorners") \
    X(SGBText, "SGBText") \
    X(SComments, "SComments") \
    X(STextColor, "STextColor") \
    X(SInternalLink, "SInternalLink") \
    X(SExternalLink, "SExternalLink") \
    X(SImage, "SImage") \
    X(SStart, "SStart") \
    X(SInsert, "SInsert") \
    X(SCancel, "SCancel") \
    X(FOpenDialogTitle, "FOpenDialogTitle") \
    X(FOpenImage, "FOpenImage") \
    X(SCreateLink, "SCreateLink") \
    X(FSaveFileInFirst, "FSaveFileInFirst") \
    X(SGeneratorTable_Caption, "SGeneratorTable.Caption") \
    X(SColumns, "SColumns") \
    X(SRows, "SRows") \
    X(SGBMergeCells, "SGBMergeCells") \
    X(STable, "STable") \
    X(ButtonMerge, "ButtonMerge") \
    X(STBDraft_Caption, "STBDraft.Caption") \
    X(SCellSelected, "SCellSelected") \
    X(SPreview, "SPreview") \
    X(SHTMLEntitiesList, "SHTMLEntitiesList") \
    X(SCopy, "SCopy") \
    X(SClose, "SClose") \
    X(SImageResizingCalculator, "SImageResizingCalculator") \
    X(SLabelOriginalImageSize, "SLabelOriginalImageSize") \
    X(SLabelEnterANewValue, "SLabelEnterANewValue") \
    X(SWidth, "SWidth") \
    X(SHeight, "SHeight") \
    X(SLabelThemes, "SLabelThemes") \
    X(SLabelLanguageSelection, "SLabelLanguageSelection") \
    X(SGBCommon, "SGBCommon") \
    X(SLabelCommonBackColor, "SLabelCommonBackColor") \
    X(SLabelLangMarkFont, "SLabelLangMarkFont") \
    X(SLabelLangMarkBack, "SLabelLangMarkBack") \
    X(SLabelGutterBorderColor, "SLabelGutterBorderColor") \
    X(SLabelGutterColor, "SLabelGutterColor") \
    X(SSettings, "SSettings") \
    X(SLabelFontColor, "SLabelFontColor") \
    X(SLabelBackgroundColor, "SLabelBackgroundColor") \
    X(SGBSettingsSaveRestore, "SGBSettingsSaveRestore") \
    X(SButtonSaveSettings, "SButtonSaveSettings") \
    X(SButtonRestore, "SButtonRestore") \
    X(FormAboutCaption, "FormAboutCaption") \
    X(FormAboutMess01, "FormAboutMess01") \
    X(FormAboutMess02, "FormAboutMess02") \
    X(SNewVersionCaption, "SNewVersionCaption") \
    X(SNewVersion1, "SNewVersion1") \
    X(SNewVersion2, "SNewVersion2") \
    X(SNewVersion3, "SNewVersion3") \
    X(FormAddAValueCaption, "FormAddAValueCaption") \
    X(FormAddAValueOption, "FormAddAValueOption") \
    X(FormAddAValueType, "FormAddAValueType") \
    X(FormItemsEditorCaption, "FormItemsEditorCaption") \
    X(FormItemsEditorLabel, "FormItemsEditorLabel") \
    X(SWait, "SWait") \
    X(SNoConfigFileFound, "SNoConfigFileFound") \
    X(SConfigFileMissing, "SConfigFileMissing") \
    X(SOpenAFile, "SOpenAFile") \
    X(SSelectTidy5, "SSelectTidy5") \
    X(STidyTimeOut, "STidyTimeOut") \
    X(SStringNotFound, "SStringNotFound") \
    X(SErrors, "SErrors") \
    X(SWarnings, "SWarnings") \
    X(SValidationByTidy, "SValidationByTidy") \
    X(FValidationSuccess, "FValidationSuccess") \
    X(SOccurencesFinded, "SOccurencesFinded") \
    X(SConfirmReplace, "SConfirmReplace") \
    X(SUntitled, "SUntitled") \
    X(SFileNotFound, "SFileNotFound") \
    X(FSaveDialogTitle, "FSaveDialogTitle") \
    X(SSaveInUnicode, "SSaveInUnicode") \
    X(SSaveUndecodedBytes, "SSaveUndecodedBytes") \
    X(SWarningOverwriteFile, "SWarningOverwriteFile") \
    X(SWarningSaveChanges, "SWarningSaveChanges") \
    X(SRenameFile, "SRenameFile") \
    X(SEnterNewNameFile, "SEnterNewNameFile") \
    X(SErrorRename, "SErrorRename") \
    X(STBEditorCaption, "STBEditorCaption") \
    X(SReload, "SReload") \
    X(SEditModify, "SEditModify") \
    X(SEditNoModify, "SEditNoModify") \
    X(SEditInsert, "SEditInsert") \
    X(SHelpNotFound, "SHelpNotFound") \
    X(SSettingsKeptAside, "SSettingsKeptAside") \
    X(SFileOpenInAnotherTab, "SFileOpenInAnotherTab") \
    X(SFileChangedOutside, "SFileChangedOutside") \
    X(SFileTooLarge, "SFileTooLarge") \
    X(SNoProgramToOpen, "SNoProgramToOpen") \
    X(SSubmit, "SSubmit") \
    X(SCleanRefused, "SCleanRefused") \
    X(SCleanEmptied, "SCleanEmptied") \
    X(STidyCrashed, "STidyCrashed") \
    X(STidyExitStatus, "STidyExitStatus")

#define VK_DECLARE_MESSAGE(name, key) extern QString name;
VK_MESSAGE_KEYS(VK_DECLARE_MESSAGE)
#undef VK_DECLARE_MESSAGE

// The text global of a language-file key; nullptr for a key that is not a message.
QString *MessageByKey(const QString &key);
// Every message key, in catalogue order.
QStringList MessageKeys();
// Empties every message text.
void ClearMessages();

// The template with its %s and %d placeholders filled in order.
QString FormatMessageText(const QString &format, const QStringList &arguments);
