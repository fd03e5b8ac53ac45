#pragma once
// The main window's insertion commands: the four insertion tool bars of PageControlHaut
// with their drop-down menus, the insertion items of the editors' pop-up menu and the
// generator hand-over. Every command acts on the document in front, and does nothing
// while there is none.
#include "authoring/InsertionMarkup.h"
#include "authoring/InsertionWidgets.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QMenu;
class QSpinBox;
class QToolBar;
class QWidget;

class TInsertionCommands : public QObject {
    Q_OBJECT
public:
    // What the commands need from the main window.
    struct Host {
        std::function<QString()> openDialogFilter;
        // Where the generators leave their markup.
        QString *generatedHtml = nullptr;
        QString *lastImageFolder = nullptr;
    };

    TInsertionCommands(QObject *parent, Host host);

    // Fills the pages TBHtmlTags, TBTableLists, TBForms and TBAttributes.
    void BuildToolBars(QWidget *htmlTags, QWidget *tablesLists, QWidget *forms, QWidget *attributes);
    // Adds the insertion items to the editors' pop-up menu (after its edit items).
    void BuildEditorPopup(QMenu *popup);
    // The Tools menu's generator items.
    void ConnectToolsMenu(QAction *containerEditor, QAction *tableEditor);

    // Hint-driven commands: the sender's Hint is the markup.
    void ToolButtonHtmlClosedTagClick(QObject *sender);
    void PopupHtmlClosedTagClick(QObject *sender);
    void ToolButtonpHtmlOpenTagClick(QObject *sender);
    void PopupHtmlOpenTagClick(QObject *sender);
    void HtmlAttributeClick(QObject *sender);
    void PopupHtmlAttributeClick(QObject *sender);
    void PopupNbspClick(QObject *sender);

    // Fixed-text commands.
    void ButtonCommentsTagClick();
    void ButtonJustifyClick(const QString &alignment);
    void ButtonRefAnchorClick(int level);
    void LinkToAnchorClick();
    void ButtonLinkExternalClick();
    void ButtonContainerClick();
    void Button_TRClick();
    void ButtonListClick(const QString &tag);
    void PopupCSSLinkClick();
    void PopupJavascriptLinkClick();
    void PopupLaquoRaquoClick();

    // Form controls.
    void ButtonFormClick();
    void ButtonFormInputTextClick();
    void ButtonFormTextAreaClick();
    void ButtonFormCheckClick();
    void ButtonFormRadioClick();
    void ButtonFormSelectClick();
    void ButtonFormListBoxClick();
    void ButtonFormButtonClick();
    void ButtonFormResetClick();
    void ButtonFormSubmitClick();
    void ButtonFormAttachFileClick();
    void ButtonFormPasswordClick();
    void ButtonFormHiddenClick();

    // Colours, links and images.
    void PopupColorTextDivClick();
    void PopupColorTextStyleClick();
    void PopupColorTextAttributeClick();
    void PopupHTMLColor_01Click();
    void ButtonInternalLinkClick();
    void ButtonImageClick();
    void ButtonFormImgClick();

    // Generators: the markup they hand back goes in as one undo step.
    void PopUpEditorContainerClick();
    void ButtonTableEditorClick();
    void ButtonTableWithoutCssClick();

public slots:
    // The document the commands act on: the one in front, null when none is.
    void setDocument(TDocument *document);

signals:
    // A generator is asked for: its modal window leaves its markup in the generated markup.
    void containerGeneratorRequested();
    void tableGeneratorRequested();
    void formTableRequested();

private:
    // Counters of the numbered form controls, shared by every document, never reset.
    int FormCheckboxCount = 0;
    int FormRadioCount = 0;
    int FormButtonCount = 0;
    // The colour the colour dialog opens on.
    QColor LastColor = Qt::black;
    TDocument *document() const;
    void image(ImageMarkupKind kind);
    void handOver(void (TInsertionCommands::*request)());
    QSpinBox *countBox(QWidget *parent, const QString &panelName, const QString &caption, const QString &boxName,
                       const QString &hint);
    void buildHtmlTags(QWidget *page);
    void buildTablesLists(QWidget *page);
    void buildForms(QWidget *page);
    void buildAttributes(QWidget *page);

    Host m_host;
    QPointer<TDocument> m_document;
    QSpinBox *SENumRows = nullptr;
    QSpinBox *SEFormOptions = nullptr;
};
