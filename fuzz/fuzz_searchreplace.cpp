// Replace all of the search window over a real editor (offscreen). The first byte picks the
// options (match case, whole words, confirmation, direction, zone), the next ones the
// selection, the lengths of the two texts and the answers to the questions; the rest is read
// in a small alphabet (so that matches are frequent) as the text to find, the replacement and
// the document. Replace all must give what a plain replacement of the literal text gives,
// within the zone, report that count, leave a zone ending at the caret selected, and be taken
// back by one Undo.
#include "FuzzSupport.h"

#include "dialogs/UserDialogs.h"
#include "documents/TDocument.h"
#include "program/MessagesKandrix.h"
#include "tools/ReSearchReplaceSE.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <Qsci/qsciscintilla.h>
#include <memory>

namespace {

using Base = QsciScintillaBase;

// A control of the window by its name.
template <typename T> T *control(QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

// Cases, marks, word and punctuation characters, blanks and line breaks, several byte widths.
const char *const kAlphabet[] = {"a", "a", "A", "b", "\xc3\xa9", "\xc3\x89", "_", ".", " ", "\n", "\r",
                                 "\xe6\x97\xa5", "\xf0\x9f\x98\x80"};
constexpr int kAlphabetSize = int(sizeof kAlphabet / sizeof kAlphabet[0]);

QString readText(const uint8_t *&data, size_t &size, size_t length)
{
    QByteArray bytes;
    for (; length > 0 && size > 0; --length)
        bytes += kAlphabet[FuzzTakeByte(data, size) % kAlphabetSize];
    return QString::fromUtf8(bytes);
}

// Answers every replacement question from a row of bits and keeps the last message.
struct Answers : UserDialogs {
    quint32 bits = 0;
    int asked = 0;
    QString lastMessage;
    QMessageBox::StandardButton message(QMessageBox::Icon, const QString &, const QString &text,
                                        QMessageBox::StandardButtons) override
    {
        lastMessage = text;
        return QMessageBox::Ok;
    }
    QMessageBox::StandardButton messageAt(const QPoint &, QMessageBox::Icon, const QString &, const QString &,
                                          QMessageBox::StandardButtons) override
    {
        return yes(asked++) ? QMessageBox::Yes : QMessageBox::No;
    }
    bool yes(int question) const { return question >= 32 || (bits >> question) & 1; }
    QStringList openFiles(const QString &, const QString &, const QString &, int *, bool) override { return {}; }
    QString saveFile(const QString &, const QString &, const QString &, int *) override { return {}; }
    bool color(QColor *) override { return false; }
    bool inputText(const QString &, const QString &, QString *) override { return false; }
    bool font(QFont *) override { return false; }
    bool printer(QPrinter *, bool) override { return false; }
};

struct World {
    Answers answers;
    QWidget container;
    QsciScintilla *editor = new QsciScintilla(&container);
    TDocument *document = new TDocument(0, &container, editor, nullptr);
    TSearchReplaceSE window;
};
World *g_world = nullptr;

enum class CharClass { Blank, LineBreak, Word, Punctuation };

CharClass classOf(char32_t c)
{
    if (c == '\n' || c == '\r')
        return CharClass::LineBreak;
    if (c <= ' ')
        return CharClass::Blank;
    if (c < 0x80)
        return (QChar::isLetterOrNumber(c) || c == '_') ? CharClass::Word : CharClass::Punctuation;
    if (QChar::isSpace(c))
        return CharClass::Blank;
    return (QChar::isLetterOrNumber(c) || QChar::isMark(c)) ? CharClass::Word : CharClass::Punctuation;
}

char32_t before(const QString &text, qsizetype i)
{
    if (i >= 2 && text[i - 1].isLowSurrogate() && text[i - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[i - 2], text[i - 1]);
    return text[i - 1].unicode();
}

char32_t after(const QString &text, qsizetype i)
{
    if (i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    return text[i].unicode();
}

// A whole word starts where the class of the characters changes to a word or punctuation, and
// ends where it changes from one; the document's edges count as changes.
bool wordStartsAt(const QString &text, qsizetype i)
{
    if (i == 0)
        return true;
    const CharClass here = classOf(after(text, i));
    return (here == CharClass::Word || here == CharClass::Punctuation) && here != classOf(before(text, i));
}

bool wordEndsAt(const QString &text, qsizetype i)
{
    if (i == text.size())
        return true;
    const CharClass last = classOf(before(text, i));
    return (last == CharClass::Word || last == CharClass::Punctuation) && last != classOf(after(text, i));
}

struct Options {
    bool matchCase, wholeWord, confirm, backward;
};

bool matchesAt(const QString &text, qsizetype i, const QString &find, const Options &o)
{
    if (QStringView(text).mid(i, find.size()).compare(find, o.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive))
        return false;
    return !o.wholeWord || (wordStartsAt(text, i) && wordEndsAt(text, i + find.size()));
}

struct Reference {
    QString text;
    int count = 0;
    qsizetype zoneEnd = 0;
};

// The plain replacement of [begin, end). Without questions the matches are those of the text as
// it was; with them each search looks at the text as the replacements before left it.
Reference replaceAll(const QString &text, qsizetype begin, qsizetype end, const QString &find, const QString &with,
                     const Options &o, const Answers &answers)
{
    Reference r{text, 0, end};
    const qsizetype n = find.size();
    int question = 0;
    auto replace = [&](qsizetype at) {
        r.text.replace(at, n, with);
        r.zoneEnd += with.size() - n;
        ++r.count;
    };
    const QString &judged = o.confirm ? r.text : text;
    if (!o.backward) {
        QList<qsizetype> hits;
        for (qsizetype i = begin; i + n <= (o.confirm ? r.zoneEnd : end);) {
            if (!matchesAt(judged, i, find, o)) {
                ++i;
            } else if (!o.confirm) {
                hits << i;
                i += n;
            } else if (answers.yes(question++)) {
                replace(i);
                i += with.size();
            } else {
                i += n;
            }
        }
        for (qsizetype k = hits.size() - 1; k >= 0; --k)
            replace(hits[k]);
    } else {
        for (qsizetype i = end - n; i >= begin;) {
            if (!matchesAt(judged, i, find, o)) {
                --i;
                continue;
            }
            if (!o.confirm || answers.yes(question++))
                replace(i);
            i -= n;
        }
    }
    return r;
}

// A place in the text that splits neither a character nor a CR LF pair.
qsizetype boundary(const QString &text, uint8_t byte)
{
    qsizetype i = qsizetype(byte) * text.size() / 255;
    while (i > 0 && i < text.size() &&
           (text[i].isLowSurrogate() || (text[i] == QLatin1Char('\n') && text[i - 1] == QLatin1Char('\r'))))
        --i;
    return i;
}

long editorPosition(const QString &text, qsizetype i)
{
    return long(text.left(i).toUtf8().size());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_searchreplace";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    SOccurencesFinded = QStringLiteral("%d");
    g_world = new World;
    g_world->editor->setUtf8(true);
    g_world->window.setDocument(g_world->document);
    SetDialogs(&g_world->answers);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const uint8_t bits = FuzzTakeByte(data, size);
    const Options o{bool(bits & 1), bool(bits & 2), bool(bits & 4), bool(bits & 8)};
    const bool beginAtCursor = bits & 16;
    const bool endAtCursor = bits & 32;
    const uint8_t anchorByte = FuzzTakeByte(data, size);
    const uint8_t caretByte = FuzzTakeByte(data, size);
    const uint8_t lengths = FuzzTakeByte(data, size);
    quint32 answerBits = 0;
    for (int i = 0; i < 4; ++i)
        answerBits = answerBits << 8 | FuzzTakeByte(data, size);
    const QString find = readText(data, size, 1 + (lengths & 3));
    const QString with = readText(data, size, (lengths >> 2) & 7);
    const QString text = readText(data, size, size);
    if (find.isEmpty())
        return 0;

    World &w = *g_world;
    QsciScintilla *editor = w.editor;
    const QByteArray bytes = text.toUtf8();
    editor->SendScintilla(Base::SCI_CLEARALL);
    editor->SendScintilla(Base::SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.constData());
    editor->SendScintilla(Base::SCI_EMPTYUNDOBUFFER);
    const qsizetype anchor = boundary(text, anchorByte);
    const qsizetype caret = boundary(text, caretByte);
    editor->SendScintilla(Base::SCI_SETSEL, editorPosition(text, anchor), editorPosition(text, caret));

    TSearchReplaceSE &window = w.window;
    window.AutoSetting();
    (beginAtCursor ? control<QRadioButton>(window, "CBRep_BeginSelection") : control<QRadioButton>(window, "CBRep_BeginDocument"))->setChecked(true);
    (endAtCursor ? control<QRadioButton>(window, "CBRep_EndSelection") : control<QRadioButton>(window, "CBRep_EndDocument"))->setChecked(true);
    control<QCheckBox>(window, "CBRep_MatchCase")->setChecked(o.matchCase);
    control<QCheckBox>(window, "CBRep_WholeWord")->setChecked(o.wholeWord);
    control<QCheckBox>(window, "CBRep_ConfirmReplacements")->setChecked(o.confirm);
    (o.backward ? control<QRadioButton>(window, "CBRep_Backward") : control<QRadioButton>(window, "CBRep_Forward"))->setChecked(true);
    control<QComboBox>(window, "CBRep_FindText")->setEditText(find);
    control<QComboBox>(window, "CBRep_ReplaceText")->setEditText(with);
    FUZZ_CHECK_TEXT(control<QComboBox>(window, "CBRep_FindText")->currentText(), find);
    FUZZ_CHECK_TEXT(control<QComboBox>(window, "CBRep_ReplaceText")->currentText(), with);
    w.answers.bits = answerBits;
    w.answers.asked = 0;
    w.answers.lastMessage.clear();
    control<QPushButton>(window, "ButtonReplaceAll")->click();

    // The zone: an empty one runs to the document's edge in the search's direction.
    qsizetype begin = beginAtCursor ? qMin(anchor, caret) : 0;
    qsizetype end = endAtCursor ? qMax(anchor, caret) : text.size();
    const bool emptyZone = begin == end;
    if (emptyZone)
        (o.backward ? begin : end) = o.backward ? 0 : text.size();
    const Reference expected = replaceAll(text, begin, end, find, with, o, w.answers);
    FUZZ_CHECK_TEXT(editor->text(), expected.text);
    FUZZ_CHECK_TEXT(w.answers.lastMessage, QString::number(expected.count));
    if (endAtCursor && !emptyZone)
        FUZZ_CHECK_TEXT(editor->selectedText(), expected.text.mid(begin, expected.zoneEnd - begin));
    if (expected.count > 0) {
        editor->undo();
        FUZZ_CHECK_TEXT(editor->text(), text);
    }
    // No event loop runs here: the scroll bars' queued signals would pile up.
    QCoreApplication::sendPostedEvents();
    return 0;
}
