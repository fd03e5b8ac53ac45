#pragma once
// The settings file "velkandrix.ini": plain key=value lines, section headers for
// the eye only. These routines hold no widgets: the main window keeps its settings
// in one VkSettings, fills in what its controls hold before saving, and applies one
// after reading.
#include "util/ManageOpenFileList.h"
#include "program/TidyOptionTables.h"
#include "program/uDivStartVK.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct VkSettings {
    // [General]
    // The language's code; the language's files at the end follow from it and are not stored.
    QString Language = QStringLiteral("en");
    // The Tidy configuration file of every run.
    QString FTidyConfigFile = Paths().DefaultTidyConfigFile;
    int RunCount = 0;                          // key Rns
    bool ShowNewVersion = true;
    // Where the version check asks; an empty address makes no check.
    QString VersionCheckAddress = ::VersionCheckAddress();
    QString ThemeName = QStringLiteral("_defaut-settings");   // key CBThemes

    // [Interface]
    // Written as is: "wsNormal", "wsMinimized" or "wsMaximized".
    QString WindowState = QStringLiteral("wsNormal");
    // Set by the reader once a "wsMaximized" line has been read; other values never clear it.
    bool WindowMaximized = false;
    int FormWidth = 840;
    int FormHeight = 600;
    int FormTop = 0;
    int FormLeft = 0;
    // Absent from a first-run file; written only when set.
    std::optional<int> PanelGridErrorsWidth;
    std::optional<int> PanelGridErrorsHeight;
    int SEFontSize = 9;
    QString CBFont = QStringLiteral("Courier New");
    bool MenuShowErrorsComments = true;
    bool GridErrorToLeft = false;
    bool MenuEnableJavascript = false;   // JavascriptEnabled
    bool MenuTidy4 = false;
    bool MenuTidy5 = true;
    QString LastOpenFolder;
    QString LastImageFolder;

    // Recent entries of the optimizer and the search window, in list order.
    QStringList CBStartingWith;
    QStringList CBEndingWith;
    QStringList FDFindItem;
    QStringList RDFindItem;
    QStringList RDReplaceItem;

    TidyOptionTables Tidy;

    // Documents to reopen. Reading keeps only existing files; writing drops
    // untitled documents (empty paths) and files that have gone.
    QStringList LastFiles;
    bool HasLastFiles = false;

    // Recent-files slots, index 0 the newest.
    RecentFileSlots RecentFiles;

    // The language file read at start-up and the pages that Help and the Tidy page show.
    QString LanguageFileName = Paths().LanguageFile(QStringLiteral("en"));
    QString HelpFileName = Paths().HelpFile(QStringLiteral("en"));
    QString QuickRefFileName = Paths().QuickRefFile(QStringLiteral("en"));
};

enum class SettingsReadStatus {
    Completed,        // every line read and the closing steps ran
    StoppedAtNumber,  // a number key held no number: reading stopped there, closing steps skipped
    NotLoaded,        // the file could not be loaded: nothing read, closing steps skipped
};

// The first-run file. The option tables come from the caller (the defaults live in
// the validation library); top and left are the window's centred position, written
// as 0 when negative.
QString FirstRunSettingsText(const TidyOptionTables &tables, int formTop, int formLeft);

// Reads a settings file's bytes into the struct. Single values whose key is absent
// keep their values, so the caller may fill the struct with the window's state
// first; the lists of repeated keys and LastFiles start empty.
// The closing steps set the language (the user's at a first run) and the files that
// follow from it.
SettingsReadStatus ReadSettingsText(const QByteArray &bytes, VkSettings &settings);
// The same on a file; a file that cannot be loaded gives NotLoaded.
SettingsReadStatus ReadSettingsFile(const QString &path, VkSettings &settings);

// The whole file from the struct, in the writer's order.
QString SaveSettingsText(const VkSettings &settings);

// The file's bytes: ANSI (Windows-1252) as other installations write it, or UTF-8
// when the text holds a character ANSI cannot, so that no path is spoiled.
QByteArray EncodeSettingsText(const QString &text);
// Reads what EncodeSettingsText writes: UTF-8 when the bytes are valid UTF-8, else ANSI.
QString DecodeSettingsBytes(const QByteArray &bytes);

// Replaces the file in one step: a failed write leaves the old file whole.
// On failure returns false and, when error is given, the reason.
bool WriteSettingsFile(const QString &path, const QString &text, QString *error = nullptr);

// Missing language, help and quick-reference files fall back to the English ones.
void CheckIfVelKandrixFilesExists(VkSettings &settings);

// The per-user browser-emulation value "0", named after the executable; written
// only when missing, so a value set earlier stays.
void ActivateBrowserEmulation();
