#pragma once
// The search and replace window: searches the current document's editor within a
// zone, replaces one occurrence or all of them. One instance, shown non-modally.
#include "tools/SearchZone.h"

#include <QDialog>
#include <QMessageBox>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class QsciScintilla;
#include "documents/TDocument.h"

class TSearchReplaceSE : public QDialog {
    Q_OBJECT
public:
    explicit TSearchReplaceSE(QWidget *parent = nullptr);

    // The document searched; null once its tab closed.
    TDocument *Document() const { return FDocument; }

    // The recent entries of the three boxes, as the settings file stores them.
    void SetRecentEntries(const QStringList &find, const QStringList &replaceFind, const QStringList &replacement);
    QStringList FindItems() const { return m_findItems; }
    QStringList ReplaceFindItems() const { return m_replaceFindItems; }
    QStringList ReplaceReplaceItems() const { return m_replaceItems; }

    // The page shown: 0 Search, 1 Replace; set before showing.
    quint8 FPageIndex = 0;
    // Runs the showing steps (page, focus, zone) and brings the window to the front.
    void ShowPage(int pageIndex);

    // Proposes the zone from the editor's selection and caret.
    void AutoSetting();
    // Finds the next match with the options and zone of the last search.
    void FindDialogFind();
    // The zone's bounds as the edit commands move them.
    void SetRangeBegin(const TextPos &begin) { FRangeBegin = begin; }
    void SetRangeEndToTextEnd();
    // The text of the last search.
    QString FindText() const { return m_findText; }

public slots:
    // The document in front. A document shown is searched from then on, in the whole of it;
    // while a page that is no document is in front (null) the last one shown stays searched.
    // The window holds it weakly: once its tab closes the window searches nothing.
    void setDocument(TDocument *document);

signals:
    void recentEntriesChanged();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Options {
        bool matchCase = false;
        bool wholeWord = false;
        bool down = true;
    };
    // A zone in editor positions, begin <= end.
    struct Span {
        long begin = 0;
        long end = 0;
    };

    void ButtonSearchClick();
    void ButtonReplaceClick();
    void ButtonReplaceAllClick();
    // The zone becomes the whole document.
    void ZoneToWholeDocument();
    void buildPages();
    void bindTwins(QWidget *search, QWidget *replace);
    void FormShow();
    QsciScintilla *editor() const;
    void GetBeginEndPosition();
    void ShowZoneCaptions();
    void GetOptionsAndRange();
    void CBFindText();
    void CBFindReplaceText();
    void ReOrderCBItems(QComboBox *combo, QStringList &items);
    Span zoneSpan() const;
    Span searchSpan(bool fromCaret) const;
    // Searches the span (backwards when the options say so); selects the hit.
    bool searchAndSelect(const Span &span, const QString &text);
    bool ReplaceDialogFind();
    void ReplaceDialogReplace();
    void zoneEndMoved(long zoneEnd);
    QMessageBox::StandardButton ConfirmReplacement();
    void ReplaceWindow();
    void notFound(const QString &text);
    QComboBox *focusedCombo() const;
    bool shortcut(QKeyEvent *key, bool press);

    // Positions of the editor: text positions (character, line) and editor positions.
    long toPosition(const TextPos &pos) const;
    TextPos toTextPos(long position) const;
    long textLength() const;
    TextPos textEnd() const;

    QPointer<TDocument> FDocument;
    QString m_findText;
    QString m_replaceFindText;
    QString m_replaceText;
    Options m_options;
    bool m_rangeEndIsTextEnd = true;
    QStringList m_findItems, m_replaceFindItems, m_replaceItems;
    TextPos FSelBegin, FSelEnd;
    TextPos FRangeBegin, FRangeEnd;
    int FHitCount = 0;

    QTabWidget *PageControlSearchReplace = nullptr;
    QWidget *TBSearch = nullptr;
    QWidget *TBReplace = nullptr;
    QComboBox *CBSea_FindText = nullptr;
    QComboBox *CBRep_FindText = nullptr;
    QComboBox *CBRep_ReplaceText = nullptr;
    QRadioButton *CBSea_BeginDocument = nullptr, *CBRep_BeginDocument = nullptr;
    QRadioButton *CBSea_BeginSelection = nullptr, *CBRep_BeginSelection = nullptr;
    QRadioButton *CBSea_EndSelection = nullptr, *CBRep_EndSelection = nullptr;
    QRadioButton *CBSea_EndDocument = nullptr, *CBRep_EndDocument = nullptr;
    QCheckBox *CBSea_MatchCase = nullptr, *CBRep_MatchCase = nullptr;
    QCheckBox *CBSea_WholeWord = nullptr, *CBRep_WholeWord = nullptr;
    QRadioButton *CBSea_Forward = nullptr, *CBRep_Forward = nullptr;
    QRadioButton *CBSea_Backward = nullptr, *CBRep_Backward = nullptr;
    QCheckBox *CBRep_ConfirmReplacements = nullptr;
    QPushButton *ButtonSearch = nullptr;
    QPushButton *ButtonReplace = nullptr;
    QPushButton *ButtonReplaceAll = nullptr;
};
