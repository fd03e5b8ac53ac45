#include "themes/SyntaxWords.h"

#include <cstring>

namespace {

constexpr int kMaxWord = 48;

inline unsigned char lower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

} // namespace

WordSet::WordSet(std::initializer_list<const char *> words, bool caseSensitive)
    : m_caseSensitive(caseSensitive)
{
    unsigned size = 16;
    while (size < words.size() * 3)
        size *= 2;
    m_slots.resize(size);
    m_mask = size - 1;
    for (const char *word : words) {
        const int length = int(std::strlen(word));
        if (contains(word, length))
            continue;
        unsigned i = hash(word, length) & m_mask;
        while (m_slots[i].Word)
            i = (i + 1) & m_mask;
        m_slots[i] = {word, length};
    }
}

unsigned WordSet::hash(const char *text, int length) const
{
    unsigned h = 2166136261u;
    for (int i = 0; i < length; ++i) {
        const unsigned char c = m_caseSensitive ? text[i] : lower(text[i]);
        h = (h ^ c) * 16777619u;
    }
    return h;
}

bool WordSet::contains(const char *text, int length) const
{
    if (length <= 0 || length > kMaxWord)
        return false;
    for (unsigned i = hash(text, length) & m_mask; m_slots[i].Word; i = (i + 1) & m_mask) {
        const Slot &slot = m_slots[i];
        if (slot.Length != length)
            continue;
        if (m_caseSensitive) {
            if (std::memcmp(slot.Word, text, size_t(length)) == 0)
                return true;
            continue;
        }
        int k = 0;
        while (k < length && slot.Word[k] == char(lower(text[k])))
            ++k;
        if (k == length)
            return true;
    }
    return false;
}

namespace SyntaxWords {

const WordSet &HtmlTags()
{
    static const WordSet set(
        {"!doctype", "a", "abbr", "acronym", "address", "applet", "area", "article", "aside", "audio",
         "b", "base", "basefont", "bdi", "bdo", "bgsound", "big", "blink", "blockquote", "body", "br",
         "button", "canvas", "caption", "center", "cite", "code", "col", "colgroup", "data",
         "datalist", "dd", "del", "details", "dfn", "dialog", "dir", "div", "dl", "dt", "em", "embed",
         "fieldset", "figcaption", "figure", "font", "footer", "form", "frame", "frameset", "h1", "h2",
         "h3", "h4", "h5", "h6", "head", "header", "hgroup", "hr", "html", "i", "iframe", "img",
         "input", "ins", "isindex", "kbd", "keygen", "label", "legend", "li", "link", "listing",
         "main", "map", "mark", "marquee", "math", "menu", "menuitem", "meta", "meter", "nav", "nobr",
         "noembed", "noframes", "noscript", "object", "ol", "optgroup", "option", "output", "p",
         "param", "picture", "plaintext", "pre", "progress", "q", "rb", "rp", "rt", "rtc", "ruby", "s",
         "samp", "script", "search", "section", "select", "slot", "small", "source", "span",
         "strike", "strong", "style", "sub", "summary", "sup", "svg", "table", "tbody", "td",
         "template", "textarea", "tfoot", "th", "thead", "time", "title", "tr", "track", "tt", "u",
         "ul", "var", "video", "wbr", "xmp"},
        false);
    return set;
}

const WordSet &CssProperties()
{
    static const WordSet set(
        {"accent-color", "align-content", "align-items", "align-self", "all", "animation",
         "animation-delay", "animation-direction", "animation-duration", "animation-fill-mode",
         "animation-iteration-count", "animation-name", "animation-play-state",
         "animation-timing-function", "appearance", "aspect-ratio", "backdrop-filter",
         "backface-visibility", "background", "background-attachment", "background-blend-mode",
         "background-clip", "background-color", "background-image", "background-origin",
         "background-position", "background-position-x", "background-position-y",
         "background-repeat", "background-size", "block-size", "border", "border-block",
         "border-block-color", "border-block-end", "border-block-start", "border-block-style",
         "border-block-width", "border-bottom", "border-bottom-color", "border-bottom-left-radius",
         "border-bottom-right-radius", "border-bottom-style", "border-bottom-width",
         "border-collapse", "border-color", "border-image", "border-image-outset",
         "border-image-repeat", "border-image-slice", "border-image-source", "border-image-width",
         "border-inline", "border-inline-color", "border-inline-end", "border-inline-start",
         "border-inline-style", "border-inline-width", "border-left", "border-left-color",
         "border-left-style", "border-left-width", "border-radius", "border-right",
         "border-right-color", "border-right-style", "border-right-width", "border-spacing",
         "border-style", "border-top", "border-top-color", "border-top-left-radius",
         "border-top-right-radius", "border-top-style", "border-top-width", "border-width", "bottom",
         "box-decoration-break", "box-shadow", "box-sizing", "break-after", "break-before",
         "break-inside", "caption-side", "caret-color", "clear", "clip", "clip-path", "color",
         "color-scheme", "column-count", "column-fill", "column-gap", "column-rule",
         "column-rule-color", "column-rule-style", "column-rule-width", "column-span",
         "column-width", "columns", "contain", "container", "container-name", "container-type",
         "content", "content-visibility", "counter-increment", "counter-reset", "counter-set",
         "cursor", "direction", "display", "empty-cells", "fill", "fill-opacity", "filter", "flex",
         "flex-basis", "flex-direction", "flex-flow", "flex-grow", "flex-shrink", "flex-wrap",
         "float", "font", "font-display", "font-family", "font-feature-settings", "font-kerning",
         "font-size", "font-size-adjust", "font-stretch", "font-style", "font-variant",
         "font-variant-caps", "font-variant-ligatures", "font-variant-numeric",
         "font-variation-settings", "font-weight", "gap", "grid", "grid-area", "grid-auto-columns",
         "grid-auto-flow", "grid-auto-rows", "grid-column", "grid-column-end", "grid-column-gap",
         "grid-column-start", "grid-gap", "grid-row", "grid-row-end", "grid-row-gap",
         "grid-row-start", "grid-template", "grid-template-areas", "grid-template-columns",
         "grid-template-rows", "hanging-punctuation", "height", "hyphens", "image-rendering",
         "inline-size", "inset", "inset-block", "inset-block-end", "inset-block-start",
         "inset-inline", "inset-inline-end", "inset-inline-start", "isolation", "justify-content",
         "justify-items", "justify-self", "left", "letter-spacing", "line-break", "line-height",
         "list-style", "list-style-image", "list-style-position", "list-style-type", "margin",
         "margin-block", "margin-block-end", "margin-block-start", "margin-bottom", "margin-inline",
         "margin-inline-end", "margin-inline-start", "margin-left", "margin-right", "margin-top",
         "marker", "mask", "mask-image", "mask-mode", "mask-position", "mask-repeat", "mask-size",
         "max-block-size", "max-height", "max-inline-size", "max-width", "min-block-size",
         "min-height", "min-inline-size", "min-width", "mix-blend-mode", "object-fit",
         "object-position", "offset", "opacity", "order", "orphans", "outline", "outline-color",
         "outline-offset", "outline-style", "outline-width", "overflow", "overflow-anchor",
         "overflow-wrap", "overflow-x", "overflow-y", "overscroll-behavior", "padding",
         "padding-block", "padding-block-end", "padding-block-start", "padding-bottom",
         "padding-inline", "padding-inline-end", "padding-inline-start", "padding-left",
         "padding-right", "padding-top", "page-break-after", "page-break-before",
         "page-break-inside", "paint-order", "perspective", "perspective-origin", "place-content",
         "place-items", "place-self", "pointer-events", "position", "print-color-adjust", "quotes",
         "resize", "right", "rotate", "row-gap", "scale", "scroll-behavior", "scroll-margin",
         "scroll-padding", "scroll-snap-align", "scroll-snap-stop", "scroll-snap-type",
         "scrollbar-color", "scrollbar-gutter", "scrollbar-width", "shape-outside", "speak", "src",
         "stroke", "stroke-dasharray", "stroke-dashoffset", "stroke-linecap", "stroke-linejoin",
         "stroke-opacity", "stroke-width", "tab-size", "table-layout", "text-align",
         "text-align-last", "text-decoration", "text-decoration-color", "text-decoration-line",
         "text-decoration-style", "text-decoration-thickness", "text-emphasis", "text-indent",
         "text-justify", "text-orientation", "text-overflow", "text-rendering", "text-shadow",
         "text-size-adjust", "text-transform", "text-underline-offset", "text-underline-position",
         "text-wrap", "top", "touch-action", "transform", "transform-origin", "transform-style",
         "transition", "transition-delay", "transition-duration", "transition-property",
         "transition-timing-function", "translate", "unicode-bidi", "unicode-range", "user-select",
         "vertical-align", "visibility", "white-space", "widows", "width", "will-change",
         "word-break", "word-spacing", "word-wrap", "writing-mode", "z-index", "zoom",
         // CSS 2 aural and older properties still found in style sheets
         "azimuth", "cue", "cue-after", "cue-before", "elevation", "pause", "pause-after",
         "pause-before", "pitch", "pitch-range", "play-during", "richness", "speak-header",
         "speak-numeral", "speak-punctuation", "speech-rate", "stress", "voice-family", "volume",
         "font-smoothing", "scrollbar-base-color", "scrollbar-face-color", "scrollbar-arrow-color",
         "scrollbar-track-color", "scrollbar-shadow-color", "scrollbar-highlight-color",
         "scrollbar-3dlight-color", "scrollbar-darkshadow-color"},
        false);
    return set;
}

const WordSet &CssRuleBlockAtRules()
{
    static const WordSet set({"media", "supports", "document", "-moz-document", "layer", "container",
                              "scope", "starting-style", "keyframes", "-webkit-keyframes",
                              "-moz-keyframes", "-o-keyframes"},
                             false);
    return set;
}

const WordSet &JsKeywords()
{
    static const WordSet set(
        {"await", "break", "case", "catch", "class", "const", "continue", "debugger", "default",
         "delete", "do", "else", "enum", "export", "extends", "false", "finally", "for", "function",
         "if", "implements", "import", "in", "instanceof", "interface", "let", "new", "null",
         "package", "private", "protected", "public", "return", "static", "super", "switch", "this",
         "throw", "true", "try", "typeof", "var", "void", "while", "with", "yield", "async"},
        true);
    return set;
}

const WordSet &JsNonReserved()
{
    static const WordSet set(
        {"Array", "ArrayBuffer", "BigInt", "Boolean", "DataView", "Date", "Error", "EvalError",
         "Float32Array", "Float64Array", "Function", "Infinity", "Int8Array", "Int16Array",
         "Int32Array", "Intl", "JSON", "Map", "Math", "NaN", "Number", "Object", "Promise", "Proxy",
         "RangeError", "ReferenceError", "Reflect", "RegExp", "Set", "String", "Symbol",
         "SyntaxError", "TypeError", "URIError", "Uint8Array", "Uint16Array", "Uint32Array",
         "WeakMap", "WeakSet", "alert", "arguments", "atob", "btoa", "clearInterval", "clearTimeout",
         "confirm", "console", "decodeURI", "decodeURIComponent", "document", "encodeURI",
         "encodeURIComponent", "escape", "eval", "event", "fetch", "frames", "globalThis", "history",
         "isFinite", "isNaN", "localStorage", "location", "navigator", "parent", "parseFloat",
         "parseInt", "prompt", "requestAnimationFrame", "screen", "self", "sessionStorage",
         "setInterval", "setTimeout", "top", "undefined", "unescape", "window", "XMLHttpRequest",
         "addEventListener", "appendChild", "createElement", "getElementById",
         "getElementsByClassName", "getElementsByTagName", "innerHTML", "length", "prototype",
         "querySelector", "querySelectorAll", "removeEventListener", "setAttribute",
         "getAttribute", "style", "value", "write", "writeln"},
        true);
    return set;
}

const WordSet &JsEvents()
{
    static const WordSet set(
        {"onabort", "onafterprint", "onbeforeprint", "onbeforeunload", "onblur", "oncanplay",
         "oncanplaythrough", "onchange", "onclick", "oncontextmenu", "oncopy", "oncut", "ondblclick",
         "ondrag", "ondragend", "ondragenter", "ondragleave", "ondragover", "ondragstart", "ondrop",
         "ondurationchange", "onended", "onerror", "onfocus", "onfocusin", "onfocusout",
         "onhashchange", "oninput", "oninvalid", "onkeydown", "onkeypress", "onkeyup", "onload",
         "onloadeddata", "onloadedmetadata", "onloadstart", "onmessage", "onmousedown",
         "onmouseenter", "onmouseleave", "onmousemove", "onmouseout", "onmouseover", "onmouseup",
         "onoffline", "ononline", "onpagehide", "onpageshow", "onpaste", "onpause", "onplay",
         "onplaying", "onpopstate", "onprogress", "onratechange", "onreset", "onresize", "onscroll",
         "onsearch", "onseeked", "onseeking", "onselect", "onstalled", "onstorage", "onsubmit",
         "onsuspend", "ontimeupdate", "ontoggle", "ontouchcancel", "ontouchend", "ontouchmove",
         "ontouchstart", "onunload", "onvolumechange", "onwaiting", "onwheel"},
        false);
    return set;
}

const WordSet &PhpKeywords()
{
    static const WordSet set(
        {"__class__", "__dir__", "__file__", "__function__", "__halt_compiler", "__line__",
         "__method__", "__namespace__", "__trait__", "abstract", "and", "array", "as", "break",
         "callable", "case", "catch", "class", "clone", "const", "continue", "declare", "default",
         "die", "do", "echo", "else", "elseif", "empty", "enddeclare", "endfor", "endforeach",
         "endif", "endswitch", "endwhile", "enum", "eval", "exit", "extends", "false", "final",
         "finally", "fn", "for", "foreach", "function", "global", "goto", "if", "implements",
         "include", "include_once", "instanceof", "insteadof", "interface", "isset", "list",
         "match", "namespace", "new", "null", "or", "parent", "print", "private", "protected",
         "public", "readonly", "require", "require_once", "return", "self", "static", "switch",
         "throw", "trait", "true", "try", "unset", "use", "var", "while", "xor", "yield"},
        false);
    return set;
}

const WordSet &SqlKeywords()
{
    static const WordSet set(
        {"add", "all", "alter", "and", "any", "as", "asc", "authorization", "between", "by",
         "cascade", "case", "check", "column", "commit", "constraint", "create", "cross", "current",
         "database", "default", "delete", "desc", "distinct", "drop", "else", "end", "escape",
         "except", "exists", "foreign", "from", "full", "grant", "group", "having", "identity", "if",
         "in", "index", "inner", "insert", "intersect", "into", "is", "join", "key", "left", "like",
         "limit", "natural", "not", "null", "offset", "on", "or", "order", "outer", "primary",
         "procedure", "references", "rename", "replace", "revoke", "right", "rollback", "schema",
         "select", "set", "table", "then", "to", "top", "transaction", "trigger", "truncate", "union",
         "unique", "update", "use", "using", "values", "view", "when", "where", "with"},
        false);
    return set;
}

const WordSet &SqlDataTypes()
{
    static const WordSet set(
        {"bigint", "binary", "bit", "blob", "bool", "boolean", "char", "character", "clob", "date",
         "datetime", "dec", "decimal", "double", "enum", "float", "int", "integer", "interval",
         "long", "longtext", "mediumint", "mediumtext", "money", "nchar", "nclob", "number",
         "numeric", "nvarchar", "nvarchar2", "raw", "real", "rowid", "serial", "smallint", "text",
         "time", "timestamp", "tinyint", "tinytext", "uuid", "varbinary", "varchar", "varchar2",
         "xml", "year"},
        false);
    return set;
}

const WordSet &SqlFunctions()
{
    static const WordSet set(
        {"abs", "avg", "cast", "ceil", "ceiling", "coalesce", "concat", "convert", "count",
         "current_date", "current_time", "current_timestamp", "decode", "floor", "getdate",
         "greatest", "ifnull", "initcap", "instr", "isnull", "lag", "last_day", "lead", "least",
         "length", "lower", "lpad", "ltrim", "max", "min", "mod", "months_between", "now", "nullif",
         "nvl", "nvl2", "power", "rank", "round", "row_number", "rpad", "rtrim", "sign", "sqrt",
         "substr", "substring", "sum", "sysdate", "to_char", "to_date", "to_number", "trim",
         "trunc", "upper"},
        false);
    return set;
}

const WordSet &SqlExceptions()
{
    static const WordSet set(
        {"access_into_null", "case_not_found", "collection_is_null", "cursor_already_open",
         "dup_val_on_index", "invalid_cursor", "invalid_number", "login_denied", "no_data_found",
         "not_logged_on", "program_error", "rowtype_mismatch", "self_is_null", "storage_error",
         "subscript_beyond_count", "subscript_outside_limit", "sys_invalid_rowid",
         "timeout_on_resource", "too_many_rows", "value_error", "zero_divide"},
        false);
    return set;
}

const WordSet &SqlDefaultPackages()
{
    static const WordSet set(
        {"dbms_alert", "dbms_ddl", "dbms_describe", "dbms_job", "dbms_lob", "dbms_lock",
         "dbms_output", "dbms_pipe", "dbms_random", "dbms_session", "dbms_sql", "dbms_standard",
         "dbms_transaction", "dbms_utility", "utl_file", "utl_http", "utl_raw", "utl_smtp"},
        false);
    return set;
}

const WordSet &SqlPlsql()
{
    static const WordSet set(
        {"begin", "body", "close", "cursor", "declare", "elsif", "exception", "execute", "exit",
         "fetch", "for", "function", "goto", "loop", "open", "others", "out", "package", "pragma",
         "raise", "record", "return", "returning", "rowtype", "type", "while"},
        false);
    return set;
}

const WordSet &SqlPlus()
{
    static const WordSet set(
        {"accept", "append", "archive", "attribute", "break", "btitle", "clear", "column", "compute",
         "connect", "copy", "define", "del", "describe", "disconnect", "edit", "execute", "exit",
         "get", "help", "host", "input", "list", "pause", "print", "prompt", "quit", "recover",
         "rem", "remark", "repfooter", "repheader", "run", "save", "show", "shutdown", "spool",
         "start", "startup", "store", "timing", "ttitle", "undefine", "variable", "whenever"},
        false);
    return set;
}

const WordSet &SqlTableIntroducers()
{
    static const WordSet set({"from", "join", "into", "update", "table"}, false);
    return set;
}

const WordSet &CppKeywords()
{
    static const WordSet set(
        {"alignas", "alignof", "asm", "auto", "bool", "break", "case", "catch", "char", "char8_t",
         "char16_t", "char32_t", "class", "concept", "const", "consteval", "constexpr", "constinit",
         "const_cast", "continue", "co_await", "co_return", "co_yield", "decltype", "default",
         "delete", "do", "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern",
         "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable",
         "namespace", "new", "noexcept", "nullptr", "operator", "private", "protected", "public",
         "register", "reinterpret_cast", "requires", "return", "short", "signed", "sizeof",
         "static", "static_assert", "static_cast", "struct", "switch", "template", "this",
         "thread_local", "throw", "true", "try", "typedef", "typeid", "typename", "union",
         "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while", "_asm", "__asm",
         "__cdecl", "__declspec", "__fastcall", "__stdcall", "__int64", "override", "final"},
        true);
    return set;
}

const WordSet &PasKeywords()
{
    static const WordSet set(
        {"absolute", "abstract", "and", "array", "as", "asm", "assembler", "begin", "case", "cdecl",
         "class", "const", "constructor", "default", "destructor", "dispinterface", "div", "do",
         "downto", "dynamic", "else", "end", "except", "export", "exports", "external", "far",
         "file", "finalization", "finally", "for", "forward", "function", "goto", "if",
         "implementation", "in", "index", "inherited", "initialization", "inline", "interface",
         "is", "label", "library", "message", "mod", "name", "near", "nil", "not", "object", "of",
         "on", "or", "out", "overload", "override", "packed", "pascal", "private", "procedure",
         "program", "property", "protected", "public", "published", "raise", "read", "record",
         "register", "reintroduce", "repeat", "resourcestring", "safecall", "set", "shl", "shr",
         "stdcall", "stored", "string", "then", "threadvar", "to", "try", "type", "unit", "until",
         "uses", "var", "virtual", "while", "with", "write", "xor"},
        false);
    return set;
}

const WordSet &AsmKeywords()
{
    static const WordSet set(
        {// instructions
         "aaa", "aad", "aam", "aas", "adc", "add", "and", "call", "cbw", "cdq", "clc", "cld", "cli",
         "cmc", "cmp", "cmps", "cmpsb", "cmpsd", "cmpsw", "cwd", "daa", "das", "dec", "div", "enter",
         "hlt", "idiv", "imul", "in", "inc", "int", "into", "iret", "ja", "jae", "jb", "jbe", "jc",
         "jcxz", "je", "jecxz", "jg", "jge", "jl", "jle", "jmp", "jna", "jnae", "jnb", "jnbe", "jnc",
         "jne", "jng", "jnge", "jnl", "jnle", "jno", "jnp", "jns", "jnz", "jo", "jp", "jpe", "jpo",
         "js", "jz", "lahf", "lea", "leave", "lods", "lodsb", "lodsd", "lodsw", "loop", "loope",
         "loopne", "loopnz", "loopz", "mov", "movs", "movsb", "movsd", "movsw", "movsx", "movzx",
         "mul", "neg", "nop", "not", "or", "out", "pop", "popa", "popad", "popf", "popfd", "push",
         "pusha", "pushad", "pushf", "pushfd", "rcl", "rcr", "rep", "repe", "repne", "repnz", "repz",
         "ret", "retf", "retn", "rol", "ror", "sahf", "sal", "sar", "sbb", "scas", "scasb", "scasd",
         "scasw", "shl", "shr", "stc", "std", "sti", "stos", "stosb", "stosd", "stosw", "sub",
         "syscall", "test", "xchg", "xlat", "xor",
         // registers
         "al", "ah", "ax", "eax", "rax", "bl", "bh", "bx", "ebx", "rbx", "cl", "ch", "cx", "ecx",
         "rcx", "dl", "dh", "dx", "edx", "rdx", "si", "esi", "rsi", "di", "edi", "rdi", "bp", "ebp",
         "rbp", "sp", "esp", "rsp", "cs", "ds", "es", "fs", "gs", "ss", "r8", "r9", "r10", "r11",
         "r12", "r13", "r14", "r15",
         // directives
         "align", "assume", "byte", "db", "dd", "dq", "dw", "dword", "end", "endm", "endp", "ends",
         "equ", "extern", "global", "include", "macro", "model", "offset", "org", "proc", "ptr",
         "qword", "section", "segment", "word"},
        false);
    return set;
}

const WordSet &BatKeywords()
{
    static const WordSet set(
        {"assoc", "break", "call", "cd", "chcp", "chdir", "choice", "cls", "cmd", "color", "copy",
         "date", "defined", "del", "dir", "do", "echo", "else", "endlocal", "equ", "erase",
         "errorlevel", "exist", "exit", "for", "ftype", "geq", "goto", "gtr", "if", "in", "leq",
         "lss", "md", "mkdir", "mklink", "move", "neq", "not", "nul", "off", "on", "path", "pause",
         "popd", "prompt", "pushd", "rd", "rem", "ren", "rename", "rmdir", "set", "setlocal",
         "shift", "start", "time", "title", "type", "ver", "verify", "vol"},
        false);
    return set;
}

} // namespace SyntaxWords
