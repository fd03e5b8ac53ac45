#pragma once
// Reading a language file: the message catalogue, the language code and the
// captions and hints of the main window's components.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One text for a main-window component, found by its objectName. The property is
// "caption" or "hint"; the six quick-start texts (lgQuickStart, lgLine01 to
// lgLine05) are not components and come with the property "text".
struct LanguageText {
    QString component;
    QString property;
    QString text;
};
using LanguageTexts = QList<LanguageText>;

struct VkSettings;

// Handles the lines of a language file in order: sets the message texts and, when
// settings are given, their language (FLanguage), help page and quick reference; returns
// the component texts in file order, so that where two lines set the same text the later
// one wins.
LanguageTexts ReadLanguageText(const QByteArray &bytes, VkSettings *settings = nullptr);

// Reads the file when it exists and returns true; a missing file changes nothing and
// gives false. A file that exists but cannot be read throws FileOpenError (uDivFiles.h).
bool ReadLanguageFile(const QString &path, LanguageTexts *texts = nullptr, VkSettings *settings = nullptr);

// Every key the reader acts on.
QStringList LanguageFileKeys();
