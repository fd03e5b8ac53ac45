#pragma once
// Document text without widgets: encodings, charset declarations, new-document
// templates and the highlighter chosen by extension. The main window's handlers
// of the same names read their controls and call these.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace DocumentText {

// The five encoding names a document's label can hold (case matters).
extern const QString Ansi;          // Windows-1252, no byte-order mark
extern const QString Utf8;          // "UTF8": UTF-8 without byte-order mark
extern const QString Utf8Bom;       // "UTF8Bom": EF BB BF, then UTF-8
extern const QString LittleEndian;  // FF FE, then UTF-16 little-endian
extern const QString BigEndian;     // FE FF, then UTF-16 big-endian

// The five names in the order of the radio buttons.
QStringList EncodingNames();
bool IsEncodingName(const QString &name);

// One of the five names for the bytes of a file.
QString DetectEncoding(const QByteArray &bytes);
// The text of the bytes in that encoding, the byte-order mark left out. Line
// breaks stay as they are; an unknown name decodes as ANSI.
QString DecodeText(const QByteArray &bytes, const QString &encoding);
// The bytes of the text in that encoding, with its byte-order mark. False (and
// no bytes) for a name that is not one of the five.
bool EncodeText(const QString &text, const QString &encoding, QByteArray *bytes);

// Reads a file and detects its encoding; false with the reason in *error when
// the file cannot be read.
bool LoadDocument(const QString &path, QString *text, QString *encoding, QString *error);
// Writes the text in the encoding, replacing the file only once everything is
// written. False with the system's reason in *error when nothing could be
// written (folder gone, no permission, disk full, unknown encoding name); an
// existing file is then left as it was.
bool SaveFileAsType(const QString &path, const QString &text, const QString &encoding,
                    QString *error);

// The items of the charset list, group headers included, in display order.
const QStringList &CBCharsetItems();
// "utf-8", selected at start.
constexpr int DefaultCharsetIndex = 2;
constexpr int NoCharsetChange = -1;
// The charset-list index named by the document's first charset declaration, or
// NoCharsetChange when there is none or it names no item of the list.
int SetCBCharset(const QString &text);
// The text with its charset declarations rewritten to the picked item. False,
// and *newText untouched, when the document declares no charset.
bool ReplaceCharsetInDocument(const QString &text, const QString &charset, QString *newText);

enum class NewDocKind { Html5, Html4Strict, Php, Css, Txt };
// The template of a new document, with LF line breaks; the HTML5 template's
// lang attribute is the language code in lower case.
QString NewDocTemplate(NewDocKind kind, const QString &languageCode);
// "html", "php", "css" or "txt".
QString NewDocExtension(NewDocKind kind);
// The tab caption of an untitled document, e.g. "Untitled3.css".
QString UntitledCaption(const QString &untitledText, int number, NewDocKind kind);

// Multi is the HTML highlighter with JavaScript, CSS and PHP inside it; the
// others are single languages (Html and Php only appear inside Multi).
enum class HighlighterKind { Multi, Html, Css, JScript, Php, Xml, Bat, Cpp, Pas, Asm, Sql };
// The extension of the file name with its dot ("" when there is none).
QString FileExtension(const QString &path);
// The highlighter for a path, chosen by its extension regardless of case.
HighlighterKind GetHighlihter(const QString &path);

// Document pages are compared by their paths exactly, case included; untitled
// documents (empty path) never match. The index in documentPaths, or -1.
int IndexOfSameFile(const QStringList &documentPaths, const QString &path);
bool IsSameFile(const QStringList &documentPaths, const QString &path);

} // namespace DocumentText
