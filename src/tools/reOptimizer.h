#pragma once
// The optimizer window: options for the rewriting passes, applied to the whole
// text of a document as one undo step. Non-modal, on top; closing only hides it.
#include "tools/HtmlRewriting.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TDocument;

class TOptimizer : public QWidget {
    Q_OBJECT
public:
    explicit TOptimizer(QWidget *parent = nullptr);

    // The lists as the settings file holds them, newest first.
    void SetRecentEntries(const QStringList &startingWith, const QStringList &endingWith);
    QStringList StartingWithItems() const;
    QStringList EndingWithItems() const;

public slots:
    // The document Apply rewrites: the one in front, null when none is. Held weakly, so a
    // document closed meanwhile is never touched.
    void setDocument(TDocument *document);

signals:
    // The recent-entry lists changed (Apply was pressed).
    void RecentEntriesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The boxes as the passes read them.
    HtmlRewriting::OptimizerOptions Options() const;

    // Apply on the document in front: the recent entries first, then the text, unless it is
    // empty or there is no document.
    void ButtonApplyClick();
    void ButtonResetClick();
    void CB_HTML_PresetClick();
    void CB_XHTML_PresetClick();
    // The recent-entry rule on one combo box; its text stays as it is.
    static void ReOrderCBItems(QComboBox *box);
    // Ctrl+C, Ctrl+V and Ctrl+X on the whole text of the box; true when handled.
    bool FormShortCut(QComboBox *box, int key, Qt::KeyboardModifiers modifiers);
    // Both combo boxes show their first entry, if any.
    void FormCreate();

    QRadioButton *CB_DTD_none = nullptr;
    QRadioButton *CB_HTML_5 = nullptr;
    QRadioButton *CB_HTML_Transitional = nullptr;
    QRadioButton *CB_HTML_Strict = nullptr;
    QRadioButton *CB_HTML_Frameset = nullptr;
    QRadioButton *CB_XHTML_10_Transitional = nullptr;
    QRadioButton *CB_XHTML_10_Strict = nullptr;
    QRadioButton *CB_XHTML_10_Frameset = nullptr;
    QRadioButton *CB_XHTML_11 = nullptr;
    QCheckBox *CBDeclaration_Language = nullptr;
    QLineEdit *EditDeclaration_Language = nullptr;

    QCheckBox *CBSlash_MetaLink = nullptr;
    QCheckBox *CBUnslash_MetaLink = nullptr;
    QCheckBox *CBSlash_tags = nullptr;
    QCheckBox *CBUnslash_tags = nullptr;
    QCheckBox *CB_b_strong = nullptr;
    QCheckBox *CB_i_em = nullptr;
    QCheckBox *CB_u_del = nullptr;
    QCheckBox *CB_strong_b = nullptr;
    QCheckBox *CB_em_i = nullptr;
    QCheckBox *CB_del_u = nullptr;
    QCheckBox *CBLowerCase_Tags = nullptr;
    QCheckBox *CBLowerCase_Attributes = nullptr;
    QCheckBox *CBLowerCase_AttributesValue = nullptr;
    QCheckBox *CBDelete_LineBreak13 = nullptr;
    QCheckBox *CBDelete_LineBreak10 = nullptr;
    QCheckBox *CBDelete_Tabs = nullptr;
    QCheckBox *CBDelete_ExtraSpaces = nullptr;
    QCheckBox *CBDelete_Comments = nullptr;
    QCheckBox *CB_del_target = nullptr;
    QCheckBox *CB_target_javascript = nullptr;
    QCheckBox *CBDelete_Img_Border = nullptr;
    QCheckBox *CBDelete_Table_Border = nullptr;
    QCheckBox *CBIgnore_Scripts = nullptr;
    QCheckBox *CBIgnore_PhpAsp = nullptr;
    QCheckBox *CBDeleteHtmlTags = nullptr;

    QComboBox *CBStartingWith = nullptr;
    QComboBox *CBEndingWith = nullptr;
    QPushButton *ButtonApply = nullptr;
    QPushButton *ButtonReset = nullptr;
    QPushButton *ButtonClose = nullptr;

    QPointer<TDocument> m_document;
    bool m_placed = false;
};
