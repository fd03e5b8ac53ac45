#pragma once
// The markup of the insertion commands, without widgets: what goes in place of the
// selection and what is selected afterwards. Texts are built with CR LF line breaks.
#include <QSize>
#include <QString>

// A caption's hot-key markers removed: a single "&" is dropped, "&&" becomes "&".
QString StripHotKeys(const QString &text);

// The text that replaces the selection, and the range selected afterwards, counted in
// characters (UTF-16 units) of that text; an empty range is the caret.
struct Insertion {
    QString text;
    int selectionStart = 0;
    int selectionLength = 0;
};

// "<" + inner + ">" then the selected text; the caret after the tag. A generator's
// editor drops the selected text instead of keeping it.
Insertion OpenEmptyTagInsertion(const QString &tag, const QString &selected, bool keepSelected = true);
// The selected text between "<inner>" and "</inner>", selected again.
Insertion ClosedTagInsertion(const QString &tag, const QString &selected);
// A blank, the attribute up to its opening double quote, the selected text, a double
// quote; the caret right after the opening double quote.
Insertion AttributeInsertion(const QString &attribute, const QString &selected);
// The selected text between two given texts, selected again.
Insertion DoubleTagInsertion(const QString &opening, const QString &closing, const QString &selected);
// The text itself, the caret after it.
Insertion BlockInsertion(const QString &text);

// Lists, rows and form controls.
QString ListMarkup(const QString &tag, int items);   // tag "ul" or "ol"
QString TableRowMarkup();
QString ContainerWithBorderMarkup();
QString FormMarkup();
QString OptionLines(int options);
QString SelectMarkup(int options);
QString ListBoxMarkup(int options);
QString CheckboxMarkup(int number);
QString RadioMarkup(int number);
QString ButtonMarkup(int number);
QString ResetMarkup(const QString &caption);
QString SubmitMarkup(const QString &caption);

// Colours: C is a colour text such as "#FF0000".
QString ColorSpanOpening(const QString &color);
QString ColorStyleAttribute(const QString &color);
QString ColorProperty(const QString &color);

// A link text made safe for an attribute value and a URL: blank, double quote, "#", "%"
// and "&" percent-encoded. Every link and picture source goes through here.
QString EncodeLinkText(const QString &link);
// The link from a saved document to a file: relative when both lie under one root (the
// same drive, or both under "/"), else an absolute "file:" URL; encoded either way.
QString LinkToFile(const QString &documentPath, const QString &targetPath);

enum class ImageMarkupKind {
    Image,          // <img ... />
    GeneratorImage, // <img ...> without the closing slash
    FormImage,      // <input type="image" ...>
};
// A picture with its size; an empty size (unreadable picture) leaves width and height out.
QString ImageMarkup(ImageMarkupKind kind, const QString &link, const QSize &size);
QString LinkOpening(const QString &link);
