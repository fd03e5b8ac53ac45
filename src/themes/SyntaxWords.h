#pragma once
// Word lists of the scanners: reserved words, tag names, property names.
#include <initializer_list>
#include <vector>

// A fixed set of words looked up straight from the text being styled, without copying it.
class WordSet {
public:
    // Case-insensitive sets hold their words in lower case.
    WordSet(std::initializer_list<const char *> words, bool caseSensitive);
    bool contains(const char *text, int length) const;

private:
    struct Slot {
        const char *Word = nullptr;
        int Length = 0;
    };
    unsigned hash(const char *text, int length) const;

    std::vector<Slot> m_slots;
    unsigned m_mask = 0;
    bool m_caseSensitive;
};

namespace SyntaxWords {

// HTML 5 and HTML 4 element names, with "!doctype".
const WordSet &HtmlTags();
// CSS property names, without vendor prefixes.
const WordSet &CssProperties();
// At-rules whose block holds rules rather than declarations.
const WordSet &CssRuleBlockAtRules();

const WordSet &JsKeywords();
const WordSet &JsNonReserved();
const WordSet &JsEvents();
const WordSet &PhpKeywords();

const WordSet &SqlKeywords();
const WordSet &SqlDataTypes();
const WordSet &SqlFunctions();
const WordSet &SqlExceptions();
const WordSet &SqlDefaultPackages();
const WordSet &SqlPlsql();
const WordSet &SqlPlus();
// Words after which an identifier names a table.
const WordSet &SqlTableIntroducers();

const WordSet &CppKeywords();
const WordSet &PasKeywords();
const WordSet &AsmKeywords();
const WordSet &BatKeywords();

} // namespace SyntaxWords
