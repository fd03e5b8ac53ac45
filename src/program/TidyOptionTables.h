#pragma once
// The Tidy option tables as the settings file stores them: option names by
// value type, the default values, the five option classes and the value lists
// of the enumerated types. The settings reader fills them; the option model
// turns them into typed options.
#include <QString>
#include <QStringList>

struct TidyOptionTables {
    // Option names by value type, in file order (lower-cased after reading).
    QStringList tpAutoBool, tpEncoding, tpDocType, tpTagNames, tpRepeatedAttributes, tpNewline,
        tpAccessibilityCheck, tpSortAttributes, tpString, tpInteger, tpBoolean;
    // "name:value" pairs.
    QStringList tpDefVal;
    // Lower-cased option names of the five classes.
    QStringList clHTML_XHTML_XML, clDiagnostics, clPrettyPrint, clCharacterEncoding, clMiscellaneous;
    // ";"-separated value lists of the enumerated types, case kept.
    QString ItemsCBDocType, ItemsCBAutoBool, ItemsCBRepeatedAttributes, ItemsCBAccessibilityCheck,
        ItemsCBSortAttributes, ItemsCBCharEncoding, ItemsCBNewLine, ItemsCBBoolean;
};
