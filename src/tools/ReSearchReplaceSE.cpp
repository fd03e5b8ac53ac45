#include "tools/ReSearchReplaceSE.h"

#include "dialogs/MessageBoxes.h"
#include "program/MessagesKandrix.h"
#include "documents/EditorText.h"
#include "documents/TDocument.h"
#include "dialogs/UserDialogs.h"
#include "util/RecentEntries.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace {
using Sci = QsciScintillaBase;

QComboBox *recentCombo(QWidget *parent, const QString &name)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(RecentEntriesRows);
    combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return combo;
}

void fillCombo(QComboBox *combo, const QStringList &items)
{
    const QSignalBlocker blocker(combo);
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(items);
    combo->setEditText(text);
}
} // namespace

TSearchReplaceSE::TSearchReplaceSE(QWidget *parent) : QDialog(parent)
{
    setObjectName("SearchReplaceSE");
    setWindowTitle(QStringLiteral("Rechercher et remplacer"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    buildPages();
    resize(365, 245);
    // The window's keys win over the boxes' own (copy, paste, undo, Enter).
    installEventFilter(this);
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
}

void TSearchReplaceSE::buildPages()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    PageControlSearchReplace = new QTabWidget(this);
    PageControlSearchReplace->setObjectName("PageControlSearchReplace");
    layout->addWidget(PageControlSearchReplace);

    struct PageBoxes {
        QComboBox *find = nullptr;
        QComboBox *replace = nullptr;
        QRadioButton *beginDocument, *beginSelection, *endSelection, *endDocument, *forward, *backward;
        QCheckBox *matchCase, *wholeWord, *confirm = nullptr;
        QHBoxLayout *buttons;
    };
    auto page = [this](const QString &name, const QString &caption, const QString &prefix, bool replace) {
        auto *w = new QWidget(PageControlSearchReplace);
        w->setObjectName(name);
        PageControlSearchReplace->addTab(w, caption);
        auto *v = new QVBoxLayout(w);
        v->setContentsMargins(6, 6, 6, 6);
        v->setSpacing(4);
        PageBoxes b{};
        auto *texts = new QGridLayout;
        texts->addWidget(new QLabel(QStringLiteral("Chercher :"), w), 0, 0);
        b.find = recentCombo(w, prefix + "FindText");
        texts->addWidget(b.find, 0, 1);
        if (replace) {
            texts->addWidget(new QLabel(QStringLiteral("Remplacer par :"), w), 1, 0);
            b.replace = recentCombo(w, prefix + "ReplaceText");
            texts->addWidget(b.replace, 1, 1);
        }
        v->addLayout(texts);

        auto radio = [](QWidget *parent, const QString &objectName, const QString &text) {
            auto *r = new QRadioButton(text, parent);
            r->setObjectName(objectName);
            return r;
        };
        auto check = [](QWidget *parent, const QString &objectName, const QString &text) {
            auto *c = new QCheckBox(text, parent);
            c->setObjectName(objectName);
            return c;
        };
        auto *zone = new QGroupBox(QStringLiteral("Zone de recherche :"), w);
        auto *zoneLayout = new QHBoxLayout(zone);
        zoneLayout->setContentsMargins(4, 2, 4, 2);
        auto *begin = new QGroupBox(QStringLiteral("Début :"), zone);
        auto *beginLayout = new QVBoxLayout(begin);
        beginLayout->setContentsMargins(4, 0, 4, 0);
        b.beginDocument = radio(begin, prefix + "BeginDocument", QStringLiteral("Début du document"));
        b.beginSelection = radio(begin, prefix + "BeginSelection", CursorCaption({1, 1}));
        beginLayout->addWidget(b.beginDocument);
        beginLayout->addWidget(b.beginSelection);
        auto *end = new QGroupBox(QStringLiteral("Fin :"), zone);
        auto *endLayout = new QVBoxLayout(end);
        endLayout->setContentsMargins(4, 0, 4, 0);
        b.endSelection = radio(end, prefix + "EndSelection", CursorCaption({1, 1}));
        b.endDocument = radio(end, prefix + "EndDocument", QStringLiteral("Fin du document"));
        b.endDocument->setChecked(true);
        endLayout->addWidget(b.endSelection);
        endLayout->addWidget(b.endDocument);
        zoneLayout->addWidget(begin);
        zoneLayout->addWidget(end);
        v->addWidget(zone);

        auto *row = new QHBoxLayout;
        auto *options = new QGroupBox(QStringLiteral("Options :"), w);
        auto *optionsLayout = new QVBoxLayout(options);
        optionsLayout->setContentsMargins(4, 0, 4, 0);
        b.matchCase = check(options, prefix + "MatchCase", QStringLiteral("Différence MAJ/min"));
        b.wholeWord = check(options, prefix + "WholeWord", QStringLiteral("Mots entiers"));
        optionsLayout->addWidget(b.matchCase);
        optionsLayout->addWidget(b.wholeWord);
        if (replace) {
            b.confirm = check(options, prefix + "ConfirmReplacements", QStringLiteral("Confirmer"));
            optionsLayout->addWidget(b.confirm);
        }
        auto *direction = new QGroupBox(QStringLiteral("Direction"), w);
        auto *directionLayout = new QVBoxLayout(direction);
        directionLayout->setContentsMargins(4, 0, 4, 0);
        b.forward = radio(direction, prefix + "Forward", QStringLiteral("Aller vers l'avant"));
        b.backward = radio(direction, prefix + "Backward", QStringLiteral("Aller vers l'arrière"));
        b.forward->setChecked(true);
        directionLayout->addWidget(b.forward);
        directionLayout->addWidget(b.backward);
        row->addWidget(options);
        row->addWidget(direction);
        v->addLayout(row);
        b.buttons = new QHBoxLayout;
        b.buttons->addStretch();
        v->addLayout(b.buttons);
        return std::make_pair(w, b);
    };

    auto [search, s] = page("TBSearch", QStringLiteral("Rechercher"), "CBSea_", false);
    auto [replacePage, r] = page("TBReplace", QStringLiteral("Remplacer"), "CBRep_", true);
    TBSearch = search;
    TBReplace = replacePage;
    CBSea_FindText = s.find;
    CBRep_FindText = r.find;
    CBRep_ReplaceText = r.replace;
    CBSea_BeginDocument = s.beginDocument;
    CBRep_BeginDocument = r.beginDocument;
    CBSea_BeginSelection = s.beginSelection;
    CBRep_BeginSelection = r.beginSelection;
    CBSea_EndSelection = s.endSelection;
    CBRep_EndSelection = r.endSelection;
    CBSea_EndDocument = s.endDocument;
    CBRep_EndDocument = r.endDocument;
    CBSea_MatchCase = s.matchCase;
    CBRep_MatchCase = r.matchCase;
    CBSea_WholeWord = s.wholeWord;
    CBRep_WholeWord = r.wholeWord;
    CBSea_Forward = s.forward;
    CBRep_Forward = r.forward;
    CBSea_Backward = s.backward;
    CBRep_Backward = r.backward;
    CBRep_ConfirmReplacements = r.confirm;

    auto button = [](QWidget *parent, const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, parent);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    ButtonSearch = button(TBSearch, "ButtonSearch", QStringLiteral("Chercher"));
    QPushButton *searchClose = button(TBSearch, "ButtonSea_Close", QStringLiteral("Fermer"));
    s.buttons->addWidget(ButtonSearch);
    s.buttons->addWidget(searchClose);
    ButtonReplace = button(TBReplace, "ButtonReplace", QStringLiteral("Remplacer"));
    ButtonReplaceAll = button(TBReplace, "ButtonReplaceAll", QStringLiteral("Tout remplacer"));
    QPushButton *replaceClose = button(TBReplace, "ButtonRep_Close", QStringLiteral("Fermer"));
    r.buttons->addWidget(ButtonReplace);
    r.buttons->addWidget(ButtonReplaceAll);
    r.buttons->addWidget(replaceClose);
    connect(ButtonSearch, &QPushButton::clicked, this, &TSearchReplaceSE::ButtonSearchClick);
    connect(ButtonReplace, &QPushButton::clicked, this, &TSearchReplaceSE::ButtonReplaceClick);
    connect(ButtonReplaceAll, &QPushButton::clicked, this, &TSearchReplaceSE::ButtonReplaceAllClick);
    connect(searchClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(replaceClose, &QPushButton::clicked, this, &QWidget::hide);

    bindTwins(CBSea_BeginDocument, CBRep_BeginDocument);
    bindTwins(CBSea_BeginSelection, CBRep_BeginSelection);
    bindTwins(CBSea_EndSelection, CBRep_EndSelection);
    bindTwins(CBSea_EndDocument, CBRep_EndDocument);
    bindTwins(CBSea_MatchCase, CBRep_MatchCase);
    bindTwins(CBSea_WholeWord, CBRep_WholeWord);
    bindTwins(CBSea_Forward, CBRep_Forward);
    bindTwins(CBSea_Backward, CBRep_Backward);

    // Showing a page gives its find box the focus.
    connect(PageControlSearchReplace, &QTabWidget::currentChanged, this, [this](int index) {
        (index == 0 ? CBSea_FindText : CBRep_FindText)->setFocus();
    });
}

void TSearchReplaceSE::bindTwins(QWidget *search, QWidget *replace)
{
    auto *a = static_cast<QAbstractButton *>(search);
    auto *b = static_cast<QAbstractButton *>(replace);
    connect(a, &QAbstractButton::toggled, b, [b](bool on) {
        if (b->isChecked() != on)
            b->setChecked(on);
    });
    connect(b, &QAbstractButton::toggled, a, [a](bool on) {
        if (a->isChecked() != on)
            a->setChecked(on);
    });
}

void TSearchReplaceSE::setDocument(TDocument *document)
{
    if (!document)
        return;
    FDocument = document;
    ZoneToWholeDocument();
}

QsciScintilla *TSearchReplaceSE::editor() const
{
    return FDocument ? FDocument->editor() : nullptr;
}

void TSearchReplaceSE::SetRecentEntries(const QStringList &find, const QStringList &replaceFind,
                                        const QStringList &replacement)
{
    // A stored list longer than use would grow it keeps its length (one in, one out).
    m_findItems = find;
    m_replaceFindItems = replaceFind;
    m_replaceItems = replacement;
    const QList<QPair<QComboBox *, QStringList>> boxes = {
        {CBSea_FindText, m_findItems}, {CBRep_FindText, m_replaceFindItems}, {CBRep_ReplaceText, m_replaceItems}};
    for (const auto &box : boxes) {
        fillCombo(box.first, box.second);
        // The first entry, if any, is the box's text.
        box.first->setEditText(box.second.value(0));
    }
}

void TSearchReplaceSE::ShowPage(int pageIndex)
{
    FPageIndex = quint8(pageIndex);
    if (isVisible())
        FormShow();
    else
        show();
    raise();
    activateWindow();
}

void TSearchReplaceSE::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TSearchReplaceSE::FormShow()
{
    FHitCount = 0;
    PageControlSearchReplace->setCurrentWidget(FPageIndex == 0 ? TBSearch : TBReplace);
    (FPageIndex == 0 ? CBSea_FindText : CBRep_FindText)->setFocus();
    AutoSetting();
}

long TSearchReplaceSE::textLength() const
{
    QsciScintilla *ed = editor();
    return ed ? long(ed->SendScintilla(Sci::SCI_GETLENGTH)) : 0;
}

long TSearchReplaceSE::toPosition(const TextPos &pos) const
{
    QsciScintilla *ed = editor();
    if (!ed)
        return 0;
    int line = 0;
    int index = 0;
    CaretToLineIndex(pos.character, pos.line, &line, &index);
    if (line >= ed->lines())
        return textLength();
    const long lineStart = long(ed->SendScintilla(Sci::SCI_POSITIONFROMLINE, line));
    const long lineEnd = long(ed->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line));
    const long characters = long(ed->SendScintilla(Sci::SCI_COUNTCHARACTERS, lineStart, lineEnd));
    if (index >= characters)
        return lineEnd;
    return ed->positionFromLineIndex(line, index);
}

TextPos TSearchReplaceSE::toTextPos(long position) const
{
    QsciScintilla *ed = editor();
    if (!ed)
        return {};
    int line = 0;
    int index = 0;
    ed->lineIndexFromPosition(int(position), &line, &index);
    TextPos pos;
    LineIndexToCaret(line, index, &pos.character, &pos.line);
    return pos;
}

TextPos TSearchReplaceSE::textEnd() const
{
    return toTextPos(textLength());
}

void TSearchReplaceSE::GetBeginEndPosition()
{
    QsciScintilla *ed = editor();
    FSelBegin = toTextPos(long(ed->SendScintilla(Sci::SCI_GETSELECTIONSTART)));
    FSelEnd = toTextPos(long(ed->SendScintilla(Sci::SCI_GETSELECTIONEND)));
    SwapPosIfNecessary(FSelBegin, FSelEnd);
    FRangeBegin = FSelBegin;
    FRangeEnd = FSelEnd;
}

void TSearchReplaceSE::ShowZoneCaptions()
{
    CBSea_BeginSelection->setText(CursorCaption(FSelBegin));
    CBRep_BeginSelection->setText(CursorCaption(FSelBegin));
    CBSea_EndSelection->setText(CursorCaption(FSelEnd));
    CBRep_EndSelection->setText(CursorCaption(FSelEnd));
}

void TSearchReplaceSE::AutoSetting()
{
    FHitCount = 0;
    if (!editor())
        return;
    GetBeginEndPosition();
    ShowZoneCaptions();
    const TextPos end = textEnd();
    const ZoneProposal zone = ProposeZone(FSelBegin, FSelEnd, end);
    (zone.beginAtCursor ? CBSea_BeginSelection : CBSea_BeginDocument)->setChecked(true);
    (zone.endAtCursor ? CBSea_EndSelection : CBSea_EndDocument)->setChecked(true);
    m_rangeEndIsTextEnd = FRangeEnd == end;
}

void TSearchReplaceSE::ZoneToWholeDocument()
{
    FHitCount = 0;
    FRangeBegin = FSelBegin = TextPos{1, 1};
    FRangeEnd = FSelEnd = textEnd();
    m_rangeEndIsTextEnd = true;
    ShowZoneCaptions();
    CBSea_BeginDocument->setChecked(true);
    CBSea_EndDocument->setChecked(true);
}

void TSearchReplaceSE::SetRangeEndToTextEnd()
{
    FRangeEnd = textEnd();
    m_rangeEndIsTextEnd = true;
}

void TSearchReplaceSE::GetOptionsAndRange()
{
    m_options.matchCase = CBSea_MatchCase->isChecked();
    m_options.wholeWord = CBSea_WholeWord->isChecked();
    if (CBSea_Forward->isChecked())
        m_options.down = true;
    if (CBSea_Backward->isChecked())
        m_options.down = false;
    FRangeBegin = CBSea_BeginDocument->isChecked() ? TextPos{1, 1} : FSelBegin;
    m_rangeEndIsTextEnd = CBSea_EndDocument->isChecked();
    FRangeEnd = m_rangeEndIsTextEnd ? textEnd() : FSelEnd;
}

void TSearchReplaceSE::ReOrderCBItems(QComboBox *combo, QStringList &items)
{
    const QStringList before = items;
    AddRecentEntry(items, combo->currentText());
    if (items == before)
        return;
    fillCombo(combo, items);
    emit recentEntriesChanged();
}

void TSearchReplaceSE::CBFindText()
{
    const QString text = CBSea_FindText->currentText();
    if (text != m_findText)
        FHitCount = 0;
    m_findText = text;
    ReOrderCBItems(CBSea_FindText, m_findItems);
}

void TSearchReplaceSE::CBFindReplaceText()
{
    const QString text = CBRep_FindText->currentText();
    if (text != m_replaceFindText)
        FHitCount = 0;
    m_replaceFindText = text;
    m_replaceText = CBRep_ReplaceText->currentText();
    ReOrderCBItems(CBRep_FindText, m_replaceFindItems);
    ReOrderCBItems(CBRep_ReplaceText, m_replaceItems);
}

TSearchReplaceSE::Span TSearchReplaceSE::zoneSpan() const
{
    Span span{toPosition(FRangeBegin), m_rangeEndIsTextEnd ? textLength() : toPosition(FRangeEnd)};
    if (span.begin > span.end)
        std::swap(span.begin, span.end);
    return span;
}

TSearchReplaceSE::Span TSearchReplaceSE::searchSpan(bool fromCaret) const
{
    QsciScintilla *ed = editor();
    Span span = zoneSpan();
    // An empty zone is no zone: the search runs from there to the document's edge.
    if (span.begin == span.end) {
        if (m_options.down)
            span.end = textLength();
        else
            span.begin = 0;
    }
    if (fromCaret) {
        if (m_options.down)
            span.begin = qMax(span.begin, long(ed->SendScintilla(Sci::SCI_GETSELECTIONEND)));
        else
            span.end = qMin(span.end, long(ed->SendScintilla(Sci::SCI_GETSELECTIONSTART)));
    }
    if (span.begin > span.end)
        span.begin = span.end;
    return span;
}

namespace {
// What a search looks for and how.
struct Needle {
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
};

// One search of the text in [from, to] of the editor; backwards finds the last match. Our own
// search: the editor's folds the case of ASCII letters only.
bool findIn(QsciScintilla *ed, const Needle &what, long from, long to, bool down, long *hit, long *hitEnd)
{
    const QByteArrayView text(static_cast<const char *>(ed->SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER)),
                              qsizetype(ed->SendScintilla(Sci::SCI_GETLENGTH)));
    std::function<bool(qsizetype, qsizetype)> wholeWord;
    if (what.wholeWord)
        wholeWord = [ed](qsizetype begin, qsizetype end) {
            return ed->SendScintilla(Sci::SCI_ISRANGEWORD, static_cast<unsigned long>(begin), long(end)) != 0;
        };
    const std::optional<TextMatch> match = FindLiteral(text, what.text, from, to, down, what.matchCase, wholeWord);
    if (!match)
        return false;
    *hit = long(match->begin);
    *hitEnd = long(match->end);
    return true;
}

void selectHit(QsciScintilla *ed, long hit, long hitEnd, bool down)
{
    // The caret goes to the side the search moves on from.
    if (down)
        ed->SendScintilla(Sci::SCI_SETSEL, hit, hitEnd);
    else
        ed->SendScintilla(Sci::SCI_SETSEL, hitEnd, hit);
}

// Replaces every match of [from, to] in one edit of the editor, which grows linearly with the
// text where one edit per match does not. The caret ends where replacing the matches one by one
// would leave it: after the last one replaced. Returns how much the text grew.
long replaceAllAtOnce(QsciScintilla *ed, const Needle &what, const QByteArray &with, long from, long to, bool down,
                      int *count)
{
    std::vector<std::pair<long, long>> hits;
    long hit = 0;
    long hitEnd = 0;
    while (findIn(ed, what, from, to, down, &hit, &hitEnd)) {
        hits.emplace_back(hit, hitEnd);
        if (down)
            from = hitEnd;
        else
            to = hit;
    }
    if (hits.empty())
        return 0;
    if (!down)
        std::reverse(hits.begin(), hits.end());
    const long first = hits.front().first;
    const long last = hits.back().second;
    const auto *text = reinterpret_cast<const char *>(ed->SendScintilla(Sci::SCI_GETRANGEPOINTER, first, last - first));
    QByteArray replaced;
    replaced.reserve(qsizetype(last - first) + qsizetype(hits.size()) * with.size());
    long pos = first;
    for (const auto &h : hits) {
        replaced.append(text + (pos - first), qsizetype(h.first - pos));
        replaced.append(with);
        pos = h.second;
    }
    ed->SendScintilla(Sci::SCI_SETTARGETRANGE, first, last);
    ed->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(replaced.size()), replaced.constData());
    *count = int(hits.size());
    const long grown = long(replaced.size()) - (last - first);
    // Backwards the last one replaced is the first in the text.
    ed->SendScintilla(Sci::SCI_SETEMPTYSELECTION, down ? last + grown : first + long(with.size()));
    return grown;
}
} // namespace

bool TSearchReplaceSE::searchAndSelect(const Span &span, const QString &text)
{
    QsciScintilla *ed = editor();
    long hit = 0;
    long hitEnd = 0;
    if (!findIn(ed, {text, m_options.matchCase, m_options.wholeWord}, span.begin, span.end, m_options.down, &hit,
                &hitEnd))
        return false;
    selectHit(ed, hit, hitEnd, m_options.down);
    return true;
}

void TSearchReplaceSE::notFound(const QString &text)
{
    QsciScintilla *ed = editor();
    ed->SendScintilla(Sci::SCI_SETEMPTYSELECTION, ed->SendScintilla(Sci::SCI_GETCURRENTPOS));
    FHitCount = 0;
    const DialogsOver over(this);
    ShowMessageKind(0, FormatMessageText(SStringNotFound, {text}));
}

void TSearchReplaceSE::ButtonSearchClick()
{
    GetOptionsAndRange();
    CBFindText();
    FindDialogFind();
}

void TSearchReplaceSE::FindDialogFind()
{
    if (!editor())
        return;
    // An empty text matches nothing.
    if (searchAndSelect(searchSpan(FHitCount != 0), m_findText)) {
        ++FHitCount;
        ReplaceWindow();
    } else {
        notFound(m_findText);
    }
}

void TSearchReplaceSE::ButtonReplaceClick()
{
    QsciScintilla *ed = editor();
    if (!ed)
        return;
    GetOptionsAndRange();
    CBFindReplaceText();
    // An empty selection would equal an empty text: the replacement would go in at the caret.
    if (m_replaceFindText.isEmpty())
        notFound(m_replaceFindText);
    else if (!SameAsFindText(ed->selectedText(), m_replaceFindText, m_options.matchCase))
        ReplaceDialogFind();
    else
        ReplaceDialogReplace();
}

bool TSearchReplaceSE::ReplaceDialogFind()
{
    // Like a search, the next press goes on from the caret rather than from the zone's start.
    if (searchAndSelect(searchSpan(FHitCount != 0), m_replaceFindText)) {
        ++FHitCount;
        ReplaceWindow();
        return true;
    }
    notFound(m_replaceFindText);
    return false;
}

void TSearchReplaceSE::ReplaceDialogReplace()
{
    QsciScintilla *ed = editor();
    if (CBRep_ConfirmReplacements->isChecked()) {
        const QPointer<QsciScintilla> guard(ed);
        const QMessageBox::StandardButton answer = ConfirmReplacement();
        if (!guard || editor() != ed)
            return;
        if (answer == QMessageBox::Cancel)
            return;
        if (answer == QMessageBox::No) {
            if (searchAndSelect(searchSpan(true), m_replaceFindText)) {
                ++FHitCount;
                ReplaceWindow();
            }
            return;
        }
    }
    if (!SameAsFindText(ed->selectedText(), m_replaceFindText, m_options.matchCase))
        return;
    const long zoneEnd = zoneSpan().end;
    const long start = long(ed->SendScintilla(Sci::SCI_GETSELECTIONSTART));
    const long end = long(ed->SendScintilla(Sci::SCI_GETSELECTIONEND));
    const QByteArray with = m_replaceText.toUtf8();
    ed->SendScintilla(Sci::SCI_TARGETFROMSELECTION);
    ed->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(with.size()), with.constData());
    const long delta = long(with.size()) - (end - start);
    if (start < zoneEnd)
        zoneEndMoved(zoneEnd + delta);
    // Forwards the caret stays after the replacement, backwards before it: the next press goes on from there.
    ed->SendScintilla(Sci::SCI_SETEMPTYSELECTION, m_options.down ? start + long(with.size()) : start);
    FHitCount = qMax(FHitCount, 1);
}

void TSearchReplaceSE::zoneEndMoved(long zoneEnd)
{
    // A zone that ends at the cursor keeps its text: replacements inside it move its end.
    if (m_rangeEndIsTextEnd)
        return;
    FRangeEnd = FSelEnd = toTextPos(zoneEnd);
    ShowZoneCaptions();
}

void TSearchReplaceSE::ButtonReplaceAllClick()
{
    QsciScintilla *ed = editor();
    if (!ed)
        return;
    GetOptionsAndRange();
    CBFindReplaceText();
    FHitCount = 0;
    const bool confirm = CBRep_ConfirmReplacements->isChecked();
    const bool zoneAtCursor = !m_rangeEndIsTextEnd && zoneSpan().begin != zoneSpan().end;
    const Span zone = searchSpan(false);
    long zoneEnd = zone.end;
    const Needle what{m_replaceFindText, m_options.matchCase, m_options.wholeWord};
    const QByteArray with = m_replaceText.toUtf8();
    const bool down = m_options.down;

    ed->beginUndoAction();
    if (confirm) {
        long from = zone.begin;
        long to = zone.end;
        long hit = 0;
        long hitEnd = 0;
        while (findIn(ed, what, from, to, down, &hit, &hitEnd)) {
            selectHit(ed, hit, hitEnd, down);
            ReplaceWindow();
            const QPointer<QsciScintilla> guard(ed);
            const QMessageBox::StandardButton action = ConfirmReplacement();
            // The question runs the event loop: the document may have gone meanwhile.
            if (!guard)
                return;
            if (editor() != ed) {
                // What was replaced stays one undo step, apart from the edits that come after.
                ed->endUndoAction();
                return;
            }
            if (action == QMessageBox::Cancel)
                break;
            if (action == QMessageBox::No) {
                if (down)
                    from = hitEnd;
                else
                    to = hit;
                continue;
            }
            ed->SendScintilla(Sci::SCI_SETTARGETRANGE, hit, hitEnd);
            ed->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(with.size()), with.constData());
            ed->SendScintilla(Sci::SCI_SETEMPTYSELECTION, hit + long(with.size()));
            ++FHitCount;
            // The zone's end follows the text it held; the search goes on after the replacement
            // (forwards) or before it (backwards), never inside it.
            const long delta = long(with.size()) - (hitEnd - hit);
            zoneEnd += delta;
            if (down) {
                from = hit + long(with.size());
                to += delta;
            } else {
                to = hit;
            }
        }
    } else {
        zoneEnd += replaceAllAtOnce(ed, what, with, zone.begin, zone.end, down, &FHitCount);
    }
    ed->endUndoAction();

    if (zoneAtCursor) {
        ed->SendScintilla(Sci::SCI_SETSEL, zone.begin, zoneEnd);
        zoneEndMoved(zoneEnd);
    } else {
        ed->SendScintilla(Sci::SCI_SETEMPTYSELECTION, ed->SendScintilla(Sci::SCI_GETCURRENTPOS));
    }
    const DialogsOver over(this);
    ShowMessageKind(0, FormatMessageText(SOccurencesFinded, {QString::number(FHitCount)}));
}

QMessageBox::StandardButton TSearchReplaceSE::ConfirmReplacement()
{
    QsciScintilla *ed = editor();
    const long caret = long(ed->SendScintilla(Sci::SCI_GETCURRENTPOS));
    const QPoint point(int(ed->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, caret)),
                       int(ed->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, caret)));
    const QPoint onScreen = ed->viewport()->mapToGlobal(point);
    const QScreen *screen = ed->screen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    const DialogsOver over(this);
    return Dialogs().messageAt(QuestionPosition(onScreen, screenSize), QMessageBox::Question,
                               QStringLiteral("Confirmation"), SConfirmReplace,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void TSearchReplaceSE::ReplaceWindow()
{
    QsciScintilla *ed = editor();
    if (!ed || !isVisible())
        return;
    const long caret = long(ed->SendScintilla(Sci::SCI_GETCURRENTPOS));
    const QPoint point(int(ed->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, caret)),
                       int(ed->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, caret)));
    const QPoint onScreen = ed->viewport()->mapToGlobal(point);
    const QRect frame = frameGeometry();
    const QPoint topLeft = ed->viewport()->mapFromGlobal(frame.topLeft());
    const QScreen *screen = ed->screen();
    const int screenHeight = screen ? screen->geometry().height() : 768;
    if (const std::optional<int> top = WindowTopOffHit(point, topLeft, frame.size(), onScreen, screenHeight))
        move(frame.left(), *top);
}

QComboBox *TSearchReplaceSE::focusedCombo() const
{
    for (QWidget *w = QApplication::focusWidget(); w && w != this; w = w->parentWidget()) {
        if (w == CBSea_FindText || w == CBRep_FindText || w == CBRep_ReplaceText)
            return static_cast<QComboBox *>(w);
    }
    return nullptr;
}

bool TSearchReplaceSE::shortcut(QKeyEvent *key, bool press)
{
    const Qt::KeyboardModifiers mods =
        key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool ctrl = mods == Qt::ControlModifier;
    const bool plain = mods == Qt::NoModifier;
    const int k = key->key();
    if (ctrl && (k == Qt::Key_C || k == Qt::Key_V || k == Qt::Key_X || k == Qt::Key_Z)) {
        QComboBox *combo = focusedCombo();
        if (!combo)
            return false;
        if (!press)
            return true;
        QClipboard *clipboard = QApplication::clipboard();
        switch (k) {
        case Qt::Key_C: clipboard->setText(combo->currentText()); break;
        case Qt::Key_V: combo->setEditText(clipboard->text()); break;
        case Qt::Key_X:
            clipboard->setText(combo->currentText());
            combo->setEditText(QString());
            break;
        default: combo->setEditText(combo->count() > 0 ? combo->itemText(0) : QString()); break;
        }
        return true;
    }
    if (plain && k == Qt::Key_F3) {
        if (press)
            ButtonSearchClick();
        return true;
    }
    if (ctrl && k == Qt::Key_R) {
        if (press)
            ButtonReplaceClick();
        return true;
    }
    if (plain && (k == Qt::Key_Return || k == Qt::Key_Enter)) {
        if (press) {
            if (PageControlSearchReplace->currentWidget() == TBSearch)
                ButtonSearchClick();
            else
                ButtonReplaceClick();
        }
        return true;
    }
    return false;
}

bool TSearchReplaceSE::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (shortcut(key, event->type() == QEvent::KeyPress)) {
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
