#pragma once
// The tag bar of the table and container generators: the main window's HTML tags bar,
// smaller, acting on the dialog's own editor. Differences from the main bar: an empty
// tag replaces the selection; "<del>" for strike-through without a menu; no title or
// anchor buttons; the colour menu without the colour-only item; the image leaves the
// image folder alone and has no closing slash; in the container generator the line-break
// button itself does nothing (only its menu acts) and the underline button is ToolButton1.
#include "authoring/InsertionWidgets.h"

#include <QColor>
#include <QPointer>
#include <QToolBar>

class QsciScintilla;

class TGeneratorTagBar : public QToolBar {
    Q_OBJECT
public:
    enum class Generator { Table, Container };

    TGeneratorTagBar(Generator generator, QsciScintilla *editor, LinkContext links, QWidget *parent = nullptr);

    // The tool tips that follow the language (set again each time the dialog is shown).
    void ApplyMessageTexts();

public slots:
    // The document links and pictures are made relative to; held weakly.
    void setDocument(TDocument *document);

private:
    // The colour the dialog's colour dialog opens on.
    QColor LastColor = Qt::black;
    void closedTag(QObject *sender);
    void openTag(QObject *sender);
    void color(int kind);
    void internalLink();
    void image();

    Generator m_generator;
    QPointer<QsciScintilla> m_editor;
    LinkContext m_links;
    QPointer<TDocument> m_document;
};
