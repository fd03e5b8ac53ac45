// The optimizer window on a document of its own: presets, Reset, Apply as one
// undo step, the recent-entry boxes and their clipboard keys.
#include "TestSupport.h"

#include "documents/EditorText.h"
#include "documents/TDocument.h"
#include "tools/reOptimizer.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <Qsci/qsciscintilla.h>
#include <memory>

namespace {

// A document with an editor, as a tab holds it.
struct Page {
    QWidget container;
    QsciScintilla *editor = new QsciScintilla(&container);
    TDocument *document = new TDocument(1, &container, editor, nullptr);

    explicit Page(const QString &text)
    {
        LoadEditorText(editor, text);
        editor->setModified(false);
    }
};

template <typename T> T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

QStringList checked(TOptimizer *window)
{
    QStringList names;
    for (QCheckBox *box : window->findChildren<QCheckBox *>()) {
        if (box->isChecked())
            names << box->objectName();
    }
    names.sort();
    return names;
}

} // namespace

class TestOptimizer : public QObject {
    Q_OBJECT

    std::unique_ptr<TOptimizer> window;
    std::unique_ptr<Page> page;

    void apply(const QString &text)
    {
        page = std::make_unique<Page>(text);
        window->setDocument(page->document);
        QTest::mouseClick(child<QPushButton>(window.get(), "ButtonApply"), Qt::LeftButton);
    }

private slots:
    void init()
    {
        window = std::make_unique<TOptimizer>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        window.reset();
        page.reset();
    }

    // A preset that kept the user's other boxes, or gave the wrong slash style, would rewrite
    // more or other than its kind asks; "none" has no preset.
    void presets_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("slashStyle");  // empty: no preset
        QTest::newRow("HTML 5") << "CB_HTML_5" << "CBSlash_tags";
        QTest::newRow("HTML 4.01 strict") << "CB_HTML_Strict" << "CBUnslash_tags";
        QTest::newRow("none") << "CB_DTD_none" << "";
    }

    void presets()
    {
        QFETCH(QString, button);
        QFETCH(QString, slashStyle);
        Control<QCheckBox>(window, "CBDelete_Comments")->setChecked(true);
        auto *radio = window->findChild<QRadioButton *>(button);
        // On the indicator: the button is wider than its caption.
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
        QVERIFY(radio->isChecked());
        QCOMPARE(Control<QCheckBox>(window, "CBDelete_Comments")->isChecked(), slashStyle.isEmpty());
        if (!slashStyle.isEmpty()) {
            QVERIFY(window->findChild<QCheckBox *>(slashStyle)->isChecked());
            QVERIFY(Control<QCheckBox>(window, "CBLowerCase_Tags")->isChecked() && Control<QCheckBox>(window, "CBIgnore_Scripts")->isChecked());
        }
    }

    // Reset keeps "Delete HTML tags", the Language box, the DOCTYPE and the boxes' texts.
    void resetKeepsItsExceptions()
    {
        for (QCheckBox *box : window->findChildren<QCheckBox *>())
            box->setChecked(true);
        child<QRadioButton>(window.get(), "CB_XHTML_11")->setChecked(true);
        Control<QComboBox>(window, "CBStartingWith")->setEditText(QStringLiteral("keep"));
        QTest::mouseClick(child<QPushButton>(window.get(), "ButtonReset"), Qt::LeftButton);
        QCOMPARE(checked(window.get()), (QStringList{"CBDeclaration_Language", "CBDeleteHtmlTags"}));
        QVERIFY(Control<QRadioButton>(window, "CB_XHTML_11")->isChecked());
        QCOMPARE(Control<QComboBox>(window, "CBStartingWith")->currentText(), QStringLiteral("keep"));
    }

    // Nothing happens to an empty document but the recent entries.
    void emptyDocument()
    {
        Control<QComboBox>(window, "CBStartingWith")->setEditText(QStringLiteral("a"));
        Control<QComboBox>(window, "CBEndingWith")->setEditText(QStringLiteral("b"));
        QSignalSpy changed(window.get(), &TOptimizer::RecentEntriesChanged);
        apply(QString());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(window->StartingWithItems(), QStringList{"a"});
        QCOMPARE(window->EndingWithItems(), QStringList{"b"});
        QVERIFY(page->document->text().isEmpty());
        QVERIFY(!page->editor->isUndoAvailable());
        QVERIFY(!page->document->isModified());
    }

    // "This:" without "To:" is remembered but replaces nothing; with both it replaces. The new
    // head keeps the document's LF line breaks.
    void literalReplacement()
    {
        Control<QComboBox>(window, "CBStartingWith")->setEditText(QStringLiteral("cat"));
        apply(QStringLiteral("<p>cat</p>"));
        QVERIFY(page->document->text().endsWith(QStringLiteral("<p>cat</p>")));
        QCOMPARE(window->StartingWithItems(), QStringList{"cat"});
        QVERIFY(window->EndingWithItems().isEmpty());
        Control<QComboBox>(window, "CBEndingWith")->setEditText(QStringLiteral("dog"));
        apply(QStringLiteral("<p>cat Cat</p>"));
        QCOMPARE(page->document->text(), QStringLiteral("<!doctype html>\n<html lang=\"fr\">\n<p>dog Cat</p>"));
    }

    // The list must not grow without end, must hold each entry once, and must not cut a
    // longer list read from the settings file.
    void recentEntryBoxes()
    {
        for (int i = 0; i < 32; ++i) {
            Control<QComboBox>(window, "CBStartingWith")->setEditText(QString::number(i));
            QTest::mouseClick(Control<QPushButton>(window, "ButtonApply"), Qt::LeftButton);
        }
        QCOMPARE(Control<QComboBox>(window, "CBStartingWith")->count(), 30);
        QCOMPARE(Control<QComboBox>(window, "CBStartingWith")->currentText(), QStringLiteral("31"));
        Control<QComboBox>(window, "CBStartingWith")->setEditText(QStringLiteral("5"));
        QTest::mouseClick(Control<QPushButton>(window, "ButtonApply"), Qt::LeftButton);
        QCOMPARE(window->StartingWithItems().mid(0, 2), (QStringList{"5", "31"}));
        QCOMPARE(window->StartingWithItems().count(QStringLiteral("5")), 1);

        QStringList read;
        for (int i = 0; i < 40; ++i)
            read << QStringLiteral("r%1").arg(i);
        window->SetRecentEntries(read, {QStringLiteral("x")});
        QCOMPARE(Control<QComboBox>(window, "CBStartingWith")->currentText(), QStringLiteral("r0"));
        QCOMPARE(Control<QComboBox>(window, "CBEndingWith")->currentText(), QStringLiteral("x"));
        Control<QComboBox>(window, "CBStartingWith")->setEditText(QStringLiteral("new"));
        QTest::mouseClick(Control<QPushButton>(window, "ButtonApply"), Qt::LeftButton);
        QCOMPARE(Control<QComboBox>(window, "CBStartingWith")->count(), 40);
    }

    // Ctrl+C, V and X act on the box's whole text, not on its selection.
    void clipboardKeys()
    {
        QLineEdit *edit = Control<QComboBox>(window, "CBStartingWith")->lineEdit();
        window->activateWindow();
        edit->setFocus();
        edit->setText(QStringLiteral("whole text"));
        edit->setSelection(0, 5);
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("whole text"));
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        edit->setSelection(0, 2);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Control<QComboBox>(window, "CBStartingWith")->currentText(), QStringLiteral("pasted"));
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(Control<QComboBox>(window, "CBStartingWith")->currentText(), QString());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("pasted"));
    }

    // Close must only hide the window: its options survive.
    void closeOnlyHides()
    {
        QPointer<TOptimizer> alive = window.get();
        Control<QCheckBox>(window, "CBDelete_Comments")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(window.get(), "ButtonClose"), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QVERIFY(alive);
        window->show();
        QVERIFY(Control<QCheckBox>(window, "CBDelete_Comments")->isChecked());
    }
};

VK_WINDOW_TEST_MAIN(TestOptimizer)
#include "tst_optimizer.moc"
