#pragma once
// Built-in colours and theme files of the shared colour model. The colour dialog
// forwards its theme operations here; nothing in this file knows about widgets.
#include "themes/SyntaxColorModel.h"

#include <QString>
#include <QStringList>
#include <stdexcept>

// Raised when a theme file cannot be written; the existing file is left as it was.
class ThemeFileError : public std::runtime_error {
public:
    explicit ThemeFileError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

namespace SyntaxColorSettings {

// Applies the built-in colours and styles; ThemeName and the markers' styles stay.
void OriginSettings(SyntaxColorModel &model);

// The 140 lines of a theme file for the model, without line ends.
QStringList ThemeFileLines(const SyntaxColorModel &model);
// Writes the model as a theme file (CR LF after every line). The file is replaced only once
// the whole text is written; throws ThemeFileError on failure.
void SaveSettings(const SyntaxColorModel &model, const QString &fileName);

// Applies a theme file to the model; a missing file (or a folder) changes nothing. Throws
// ConvertError at the first bad colour text, with the lines before it applied, and
// FileOpenError when the file cannot be read. Sends one change notification at the end.
void ReadSettings(SyntaxColorModel &model, const QString &fileName);
// The same for a theme file's text already in memory.
void ReadSettingsText(SyntaxColorModel &model, const QString &text);

// Gives every attribute and every marker the background; the markers' foreground becomes
// langMarkFont (what the marker-font swatch shows). GeneralBackColor is the caller's.
void SetGeneralBackground(SyntaxColorModel &model, TColor color, TColor langMarkFont);
// As above with scheme 0's marker foreground as the marker font.
void SetGeneralBackground(SyntaxColorModel &model, TColor color);

// Reads the theme file and names it the current theme (file name without folder and without
// its last extension). A path that names no file changes nothing and returns false.
bool OpenTheme(SyntaxColorModel &model, const QString &path);

} // namespace SyntaxColorSettings
