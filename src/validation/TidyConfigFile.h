#pragma once
// A Tidy configuration file: comment lines and "name: value" option lines.
//
// Written with CR LF line ends in UTF-8 (what Tidy 5 reads its configuration
// in): the "//" comment lines first, then the options class by class, in the
// order of the option grid, then any option that no class holds. A tag list
// whose line would pass 60 characters is cut after commas onto continuation
// lines indented by two blanks, the way Tidy continues a value; no other value
// is ever cut. Reading is the exact inverse, so a saved file reloads to the
// same options and saves again to the same bytes.
#include "validation/TidyOptionModel.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct TidyConfigEntry {
    QString name;   // lower case
    QString value;  // one line, no blanks at either end
};

inline bool operator==(const TidyConfigEntry &a, const TidyConfigEntry &b)
{
    return a.name == b.name && a.value == b.value;
}

// The options of one class, as the option grid shows them under its title.
struct TidyConfigBlock {
    TidyOptionClass optionClass = TidyOptionClass::clNone;
    QString title;
    QList<TidyConfigEntry> entries;
};

class TidyConfiguration {
public:
    // Longest option line that is written whole.
    static constexpr int WrapWidth = 60;

    // Comment texts, without their "//" or "#".
    const QStringList &comments() const { return m_comments; }
    // Texts holding line breaks give one comment per line.
    void setComments(const QStringList &lines);

    // The options in the order they were read or added; names are unique.
    const QList<TidyConfigEntry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty() && m_comments.isEmpty(); }
    bool contains(const QString &name) const;
    QString value(const QString &name) const;
    // Adds an option that is not there yet; false (and nothing changes) when
    // the name is already present or is not a usable option name.
    bool addOption(const QString &name, const QString &value);
    // Adds the option or replaces its value; false for an unusable name.
    bool setValue(const QString &name, const QString &value);
    bool removeOption(const QString &name);
    void clear();
    // The same comments and the same options with the same values, whatever
    // their order (tells whether the grid holds unsaved edits).
    bool sameAs(const TidyConfiguration &other) const;

    // Class by class in the fixed order, classes without options left out;
    // within a class sorted by name + ";" + value without regard to case.
    QList<TidyConfigBlock> blocks(const TidyOptionModel &model) const;
    // Options of no class, in the same sort order.
    QList<TidyConfigEntry> unclassified(const TidyOptionModel &model) const;

    // The file's text, every line ended by CR LF.
    QString toText(const TidyOptionModel &model) const;
    QByteArray toBytes(const TidyOptionModel &model) const;
    // Writes the file, replacing it only once everything is written; false with
    // the reason in *error when it cannot be written.
    bool save(const QString &path, const TidyOptionModel &model, QString *error = nullptr) const;

    static TidyConfiguration FromText(const QString &text);
    // UTF-8 when the bytes are valid UTF-8 (a byte-order mark is skipped),
    // otherwise ANSI, as files of older installations are.
    static TidyConfiguration FromBytes(const QByteArray &bytes);
    // False when the file does not exist or cannot be read; *config is then
    // left unchanged.
    static bool Load(const QString &path, TidyConfiguration *config, QString *error = nullptr);

    // A name can be written as an option line and read back as the same name.
    static bool IsValidOptionName(const QString &name);
    // The value as it is stored: line breaks and other control characters
    // (tabs excepted) become blanks, blanks at both ends are removed.
    static QString NormalizedValue(const QString &value);

private:
    int indexOf(const QString &normalizedName) const;

    QStringList m_comments;
    QList<TidyConfigEntry> m_entries;
};

// Tidy's name for a document encoding ("Ansi", "UTF8", "UTF8Bom",
// "LittleEndian", "BigEndian"); empty for any other name.
QString TidyEncodingName(const QString &documentEncoding);
// Whether Tidy is to write a byte-order mark for that encoding: "yes" for
// "UTF8Bom" and the two UTF-16 encodings, "no" for "Ansi" and "UTF8", empty for
// any other name.
QString TidyOutputBom(const QString &documentEncoding);

// The options of one validation run: the current options, with the encoding
// options replaced so that Tidy reads the temporary copy in the encoding it
// was written in and writes a cleaned copy back in the same one. An unknown
// encoding name leaves the options as they are.
TidyConfiguration TidyRunConfig(const TidyConfiguration &current, const QString &documentEncoding);
// Writes that run configuration (the "tidy-cfg.tmp" of a run).
bool WriteTidyRunConfig(const QString &path, const TidyConfiguration &current,
                        const TidyOptionModel &model, const QString &documentEncoding,
                        QString *error = nullptr);

// The tag names of a tag-list value, cut at commas, blanks and line breaks;
// empty names are left out.
QStringList TidyTagNames(const QString &value);
// The tag-list value of names given one or several per text: ", " between them.
QString TidyTagList(const QStringList &names);

// The tab size Tidy expands tabs with when it counts columns: the option
// tab-size when it holds a number, else Tidy's own 8.
int TidyTabSize(const TidyConfiguration &config);
