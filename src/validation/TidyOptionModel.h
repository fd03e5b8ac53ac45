#pragma once
// What the program knows of every Tidy option: its value type (which decides the
// value editor), its default value and its class (the block of the option grid
// it belongs to). Built from the tables of the settings file.
#include "program/TidyOptionTables.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

enum class TidyValueType {
    tpNone,  // in no type list: no editor, never offered by the add dialog
    tpAutoBool,
    tpEncoding,
    tpDocType,
    tpTagNames,
    tpRepeatedAttributes,
    tpNewline,
    tpAccessibilityCheck,
    tpSortAttributes,
    tpBoolean,
    tpString,
    tpInteger,
};

// In the fixed order of the option grid.
enum class TidyOptionClass {
    clNone,
    clHTML_XHTML_XML,
    clDiagnostics,
    clPrettyPrint,
    clCharacterEncoding,
    clMiscellaneous,
};

struct TidyOption {
    QString name;  // lower case
    TidyValueType type = TidyValueType::tpNone;
    QString defaultValue;
    TidyOptionClass optionClass = TidyOptionClass::clNone;
};

class TidyOptionModel {
public:
    TidyOptionModel() = default;
    explicit TidyOptionModel(const TidyOptionTables &tables);

    // Replaces the whole model.
    void load(const TidyOptionTables &tables);
    bool isEmpty() const { return m_options.isEmpty(); }

    // Every option the tables name, classes first in class order, then the
    // options of no class in the order their type or default lines give them.
    const QList<TidyOption> &options() const { return m_options; }
    // Lookups take the name in any case and with blanks around it; an unknown
    // name gives nullptr, tpNone, an empty default and clNone.
    const TidyOption *find(const QString &name) const;
    bool contains(const QString &name) const { return find(name) != nullptr; }
    TidyValueType typeOf(const QString &name) const;
    QString defaultOf(const QString &name) const;
    TidyOptionClass classOf(const QString &name) const;
    // The class title, empty for an option of no class.
    QString classTitleOf(const QString &name) const;
    // The option names of a class, in the order of the class list.
    QStringList optionsOfClass(TidyOptionClass optionClass) const;
    // The names that have a type (those the add dialog can offer), sorted
    // without regard to case.
    QStringList typedOptionNames() const;

    // The values offered for a type, in their order; empty for the types that
    // have no value list (tag names, string, integer, none).
    QStringList valuesOf(TidyValueType type) const;
    QStringList valuesOfOption(const QString &name) const { return valuesOf(typeOf(name)); }
    // The value proposed for a new option: for a type with a value list, the
    // item its default stands for (the same text in any case, else the first
    // item the default begins, so "n" is "no"), the first item when it stands
    // for none; for the other types, the default itself.
    QString proposedValueOf(const QString &name) const;

    // Types chosen from a value list.
    static bool IsEnumerated(TidyValueType type);
    // Whether a value may be stored for an option of the type: an integer is
    // one to nine decimal digits; no value of any type holds a line break or
    // another control character (a tab excepted). Enumerated values are not
    // limited to the list: Tidy also takes, for instance, a quoted doctype.
    static bool IsValidValue(TidyValueType type, const QString &value);
    bool isValidValue(const QString &name, const QString &value) const
    {
        return IsValidValue(typeOf(name), value);
    }

    // The five classes in order, their titles, and the class of a title.
    static QList<TidyOptionClass> Classes();
    static QString ClassTitle(TidyOptionClass optionClass);
    static TidyOptionClass ClassOfTitle(const QString &title);
    // True when the text is exactly one of the five titles.
    static bool IsClassHeader(const QString &text);
    // The type's key in the settings file ("tpAutoBool", ...); empty for tpNone.
    static QString TypeKey(TidyValueType type);
    // True when the name equals one item of the ";"-separated list.
    static bool IsInSemicolonList(const QString &name, const QString &list);
    // Option names are compared in lower case, without blanks around them.
    static QString NormalizedName(const QString &name);

private:
    QList<TidyOption> m_options;
    QHash<QString, int> m_index;
    QHash<int, QStringList> m_values;
};
