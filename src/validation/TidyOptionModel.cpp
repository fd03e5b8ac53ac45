#include "validation/TidyOptionModel.h"

#include <QSet>

#include <algorithm>

namespace {

// When a name stands in several type lists, the first of this order decides
// (the order in which the option grid chooses its value editor).
struct TypeList {
    TidyValueType type;
    QStringList TidyOptionTables::*names;
};
const TypeList kTypeOrder[] = {
    {TidyValueType::tpTagNames, &TidyOptionTables::tpTagNames},
    {TidyValueType::tpString, &TidyOptionTables::tpString},
    {TidyValueType::tpInteger, &TidyOptionTables::tpInteger},
    {TidyValueType::tpDocType, &TidyOptionTables::tpDocType},
    {TidyValueType::tpAutoBool, &TidyOptionTables::tpAutoBool},
    {TidyValueType::tpRepeatedAttributes, &TidyOptionTables::tpRepeatedAttributes},
    {TidyValueType::tpAccessibilityCheck, &TidyOptionTables::tpAccessibilityCheck},
    {TidyValueType::tpSortAttributes, &TidyOptionTables::tpSortAttributes},
    {TidyValueType::tpEncoding, &TidyOptionTables::tpEncoding},
    {TidyValueType::tpNewline, &TidyOptionTables::tpNewline},
    {TidyValueType::tpBoolean, &TidyOptionTables::tpBoolean},
};

struct ClassList {
    TidyOptionClass optionClass;
    QStringList TidyOptionTables::*names;
};
const ClassList kClassOrder[] = {
    {TidyOptionClass::clHTML_XHTML_XML, &TidyOptionTables::clHTML_XHTML_XML},
    {TidyOptionClass::clDiagnostics, &TidyOptionTables::clDiagnostics},
    {TidyOptionClass::clPrettyPrint, &TidyOptionTables::clPrettyPrint},
    {TidyOptionClass::clCharacterEncoding, &TidyOptionTables::clCharacterEncoding},
    {TidyOptionClass::clMiscellaneous, &TidyOptionTables::clMiscellaneous},
};

struct ValueList {
    TidyValueType type;
    QString TidyOptionTables::*values;
};
const ValueList kValueLists[] = {
    {TidyValueType::tpAutoBool, &TidyOptionTables::ItemsCBAutoBool},
    {TidyValueType::tpEncoding, &TidyOptionTables::ItemsCBCharEncoding},
    {TidyValueType::tpDocType, &TidyOptionTables::ItemsCBDocType},
    {TidyValueType::tpRepeatedAttributes, &TidyOptionTables::ItemsCBRepeatedAttributes},
    {TidyValueType::tpNewline, &TidyOptionTables::ItemsCBNewLine},
    {TidyValueType::tpAccessibilityCheck, &TidyOptionTables::ItemsCBAccessibilityCheck},
    {TidyValueType::tpSortAttributes, &TidyOptionTables::ItemsCBSortAttributes},
    {TidyValueType::tpBoolean, &TidyOptionTables::ItemsCBBoolean},
};

// Trims blanks and control characters, as the settings lines are trimmed.
QString trimControl(const QString &text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

TidyOptionModel::TidyOptionModel(const TidyOptionTables &tables)
{
    load(tables);
}

void TidyOptionModel::load(const TidyOptionTables &tables)
{
    m_options.clear();
    m_index.clear();
    m_values.clear();

    auto optionOf = [this](const QString &rawName) -> TidyOption * {
        const QString name = NormalizedName(rawName);
        if (name.isEmpty())
            return nullptr;
        auto it = m_index.constFind(name);
        if (it != m_index.constEnd())
            return &m_options[*it];
        m_index.insert(name, m_options.size());
        TidyOption option;
        option.name = name;
        m_options.append(option);
        return &m_options.last();
    };

    // Classes first, so that options() runs in class order; an option listed
    // in two classes belongs to the first.
    for (const ClassList &cl : kClassOrder) {
        for (const QString &name : tables.*(cl.names)) {
            TidyOption *option = optionOf(name);
            if (option && option->optionClass == TidyOptionClass::clNone)
                option->optionClass = cl.optionClass;
        }
    }
    for (const TypeList &tl : kTypeOrder) {
        for (const QString &name : tables.*(tl.names)) {
            TidyOption *option = optionOf(name);
            if (option && option->type == TidyValueType::tpNone)
                option->type = tl.type;
        }
    }
    // The first entry of a name gives its default.
    QSet<QString> defaulted;
    for (const QString &entry : tables.tpDefVal) {
        const int colon = entry.indexOf(QLatin1Char(':'));
        const QString name = NormalizedName(colon < 0 ? entry : entry.left(colon));
        if (name.isEmpty() || defaulted.contains(name))
            continue;
        defaulted.insert(name);
        if (TidyOption *option = optionOf(name))
            option->defaultValue = colon < 0 ? QString() : trimControl(entry.mid(colon + 1));
    }

    for (const ValueList &vl : kValueLists) {
        const QString list = tables.*(vl.values);
        m_values.insert(int(vl.type), list.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    }
}

const TidyOption *TidyOptionModel::find(const QString &name) const
{
    auto it = m_index.constFind(NormalizedName(name));
    return it == m_index.constEnd() ? nullptr : &m_options.at(*it);
}

TidyValueType TidyOptionModel::typeOf(const QString &name) const
{
    const TidyOption *option = find(name);
    return option ? option->type : TidyValueType::tpNone;
}

QString TidyOptionModel::defaultOf(const QString &name) const
{
    const TidyOption *option = find(name);
    return option ? option->defaultValue : QString();
}

TidyOptionClass TidyOptionModel::classOf(const QString &name) const
{
    const TidyOption *option = find(name);
    return option ? option->optionClass : TidyOptionClass::clNone;
}

QString TidyOptionModel::classTitleOf(const QString &name) const
{
    return ClassTitle(classOf(name));
}

QStringList TidyOptionModel::optionsOfClass(TidyOptionClass optionClass) const
{
    QStringList names;
    if (optionClass == TidyOptionClass::clNone)
        return names;
    for (const TidyOption &option : m_options) {
        if (option.optionClass == optionClass)
            names.append(option.name);
    }
    return names;
}

QStringList TidyOptionModel::typedOptionNames() const
{
    QStringList names;
    for (const TidyOption &option : m_options) {
        if (option.type != TidyValueType::tpNone)
            names.append(option.name);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QStringList TidyOptionModel::valuesOf(TidyValueType type) const
{
    return m_values.value(int(type));
}

QString TidyOptionModel::proposedValueOf(const QString &name) const
{
    const QString value = defaultOf(name);
    const QStringList items = valuesOfOption(name);
    if (items.isEmpty())
        return value;
    for (const QString &item : items) {
        if (item.compare(value, Qt::CaseInsensitive) == 0)
            return item;
    }
    // The stored defaults abbreviate some values ("n" for "no").
    if (!value.isEmpty()) {
        for (const QString &item : items) {
            if (item.startsWith(value, Qt::CaseInsensitive))
                return item;
        }
    }
    return items.first();
}

bool TidyOptionModel::IsEnumerated(TidyValueType type)
{
    switch (type) {
    case TidyValueType::tpAutoBool:
    case TidyValueType::tpEncoding:
    case TidyValueType::tpDocType:
    case TidyValueType::tpRepeatedAttributes:
    case TidyValueType::tpNewline:
    case TidyValueType::tpAccessibilityCheck:
    case TidyValueType::tpSortAttributes:
    case TidyValueType::tpBoolean:
        return true;
    default:
        return false;
    }
}

bool TidyOptionModel::IsValidValue(TidyValueType type, const QString &value)
{
    for (const QChar c : value) {
        if (c.unicode() < 32 && c != QLatin1Char('\t'))
            return false;
        if (c.unicode() == 0x7F || c == QChar(0x2028) || c == QChar(0x2029))
            return false;
    }
    if (type == TidyValueType::tpInteger) {
        // Tidy reads an unsigned number; nine digits keep it within range.
        if (value.isEmpty() || value.size() > 9)
            return false;
        for (const QChar c : value) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
    }
    return true;
}

QList<TidyOptionClass> TidyOptionModel::Classes()
{
    return {TidyOptionClass::clHTML_XHTML_XML, TidyOptionClass::clDiagnostics,
            TidyOptionClass::clPrettyPrint, TidyOptionClass::clCharacterEncoding,
            TidyOptionClass::clMiscellaneous};
}

QString TidyOptionModel::ClassTitle(TidyOptionClass optionClass)
{
    switch (optionClass) {
    case TidyOptionClass::clHTML_XHTML_XML:
        return QStringLiteral("HTML XHTML XML");
    case TidyOptionClass::clDiagnostics:
        return QStringLiteral("DIAGNOSTICS");
    case TidyOptionClass::clPrettyPrint:
        return QStringLiteral("PRETTY PRINT");
    case TidyOptionClass::clCharacterEncoding:
        return QStringLiteral("CHARACTER ENCODING");
    case TidyOptionClass::clMiscellaneous:
        return QStringLiteral("MISCELLANEOUS");
    case TidyOptionClass::clNone:
        break;
    }
    return QString();
}

TidyOptionClass TidyOptionModel::ClassOfTitle(const QString &title)
{
    for (TidyOptionClass optionClass : Classes()) {
        if (ClassTitle(optionClass) == title)
            return optionClass;
    }
    return TidyOptionClass::clNone;
}

bool TidyOptionModel::IsClassHeader(const QString &text)
{
    return ClassOfTitle(text) != TidyOptionClass::clNone;
}

QString TidyOptionModel::TypeKey(TidyValueType type)
{
    switch (type) {
    case TidyValueType::tpAutoBool: return QStringLiteral("tpAutoBool");
    case TidyValueType::tpEncoding: return QStringLiteral("tpEncoding");
    case TidyValueType::tpDocType: return QStringLiteral("tpDocType");
    case TidyValueType::tpTagNames: return QStringLiteral("tpTagNames");
    case TidyValueType::tpRepeatedAttributes: return QStringLiteral("tpRepeatedAttributes");
    case TidyValueType::tpNewline: return QStringLiteral("tpNewline");
    case TidyValueType::tpAccessibilityCheck: return QStringLiteral("tpAccessibilityCheck");
    case TidyValueType::tpSortAttributes: return QStringLiteral("tpSortAttributes");
    case TidyValueType::tpBoolean: return QStringLiteral("tpBoolean");
    case TidyValueType::tpString: return QStringLiteral("tpString");
    case TidyValueType::tpInteger: return QStringLiteral("tpInteger");
    case TidyValueType::tpNone: break;
    }
    return QString();
}

bool TidyOptionModel::IsInSemicolonList(const QString &name, const QString &list)
{
    if (list.isEmpty() || name.isEmpty())
        return false;
    const QStringList items = list.split(QLatin1Char(';'));
    return items.contains(name);
}

QString TidyOptionModel::NormalizedName(const QString &name)
{
    return trimControl(name).toLower();
}
