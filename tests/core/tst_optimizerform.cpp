// The optimizer as a user meets it: opened from the tool bar on the document in
// front, its recent entries kept in the settings file across runs.
#include "MainFormTestSupport.h"

#include "documents/EditorText.h"
#include "tools/reOptimizer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>

namespace {

const char *const Html4Page =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
    "<HTML DIR=\"rtl\" LANG=\"ar\">\n"
    "<HEAD>\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n"
    "<LINK REL=\"stylesheet\" HREF=\"Site.css\">\n"
    "<TITLE>Old Page</TITLE>\n"
    "<SCRIPT TYPE=\"text/javascript\">\n"
    "function Count(N) { for (var i=0; i<N; i++) { Tick(i); } } // Loop Over Items\n"
    "var Limit = 10;\n"
    "</SCRIPT>\n"
    "</HEAD>\n"
    "<BODY BGCOLOR=\"#FFFFFF\">\n"
    "<P CLASS=\"Intro\">Café € 5<BR>next line Łódź</P>\n"
    "<HR>\n"
    "<PRE>  Year   Sales\n  1999      12</PRE>\n"
    "<IMG SRC=\"Logo.GIF\" ALT=\"Logo\" BORDER=\"0\">\n"
    "<FORM ACTION=\"go.php\"><INPUT TYPE=\"text\" NAME=\"Q\"></FORM>\n"
    "</BODY>\n"
    "</HTML>\n"
    "😀 Łódź";  // a last line of wide characters

} // namespace

class TestOptimizerForm : public QObject, MainFormFixture {
    Q_OBJECT

    TOptimizer *openOptimizer()
    {
        auto *button = form->findChild<QToolButton *>(QStringLiteral("ButtonOptimizer"));
        if (!button)
            return nullptr;
        QTest::mouseClick(button, Qt::LeftButton);
        auto *optimizer = form->findChild<TOptimizer *>(QStringLiteral("Optimizer"));
        return optimizer && optimizer->isVisible() ? optimizer : nullptr;
    }

private slots:
    void init() { QVERIFY(SetUp()); }

    void cleanup() { TearDown(); }

    // An upper-case HTML 4 page with CR line breaks made XHTML 1.0 Strict, replaced whole up
    // to its last wide character with no other line break added, then given back by one Undo.
    // The preset's extra-space deletion leaves the columns of preformatted text, and the new
    // html start tag keeps the page's direction.
    void html4PageToXhtmlStrict()
    {
        const QString original = QString::fromUtf8(Html4Page).replace(u'\n', u'\r');
        QVERIFY(folder->write("old.html", original.toUtf8()));
        OpenThroughDialog(form.get(), dialogs.get(), folder->file("old.html"));
        TDocument *document = currentDocument(form);
        QVERIFY(document);
        QCOMPARE(document->text(), original);

        TOptimizer *optimizer = openOptimizer();
        QVERIFY(optimizer);
        auto *strict = optimizer->findChild<QRadioButton *>(QStringLiteral("CB_XHTML_10_Strict"));
        QTest::mouseClick(strict, Qt::LeftButton, {}, QPoint(6, strict->height() / 2));
        QVERIFY(strict->isChecked());
        Control<QLineEdit>(optimizer, "EditDeclaration_Language")->setText(QStringLiteral("en"));
        QTest::mouseClick(optimizer->findChild<QPushButton *>(QStringLiteral("ButtonApply")), Qt::LeftButton);

        QVERIFY(!document->text().contains(u'\n'));
        const QString result = document->text().replace(u'\r', u'\n');
        QVERIFY2(result.startsWith(QStringLiteral(
                     "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\n"
                     "   \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n"
                     "<html lang=\"en\" xml:lang=\"en\" xmlns=\"http://www.w3.org/1999/xhtml\" dir=\"rtl\">\n")),
                 qPrintable(result));
        QCOMPARE(result.count(QStringLiteral("<!DOCTYPE")), 1);
        QCOMPARE(result.count(QRegularExpression(QStringLiteral("<html"), QRegularExpression::CaseInsensitiveOption)), 1);
        for (const char *empty : {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />",
                                  "<link rel=\"stylesheet\" href=\"Site.css\" />", "<br />", "<hr />",
                                  "<img src=\"Logo.GIF\" alt=\"Logo\" border=\"0\" />", "<input type=\"text\" name=\"Q\" />"})
            QVERIFY2(result.contains(QLatin1String(empty)), empty);
        QVERIFY(result.contains(QStringLiteral(
            "<SCRIPT TYPE=\"text/javascript\">\n"
            "function Count(N) { for (var i=0; i<N; i++) { Tick(i); } } // Loop Over Items\n"
            "var Limit = 10;\n</SCRIPT>")));
        QVERIFY(result.contains(QStringLiteral("Café € 5<br />next line Łódź")));
        QVERIFY(result.contains(QStringLiteral("<pre>  Year   Sales\n  1999      12</pre>")));
        QVERIFY(result.endsWith(QStringLiteral("</html>\n😀 Łódź")));
        QVERIFY(document->isModified());

        // One Undo, as the editor's key gives it.
        QTest::keyClick(document->editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(document->text(), original);
        QVERIFY(!document->editor()->isUndoAvailable());
    }

    // Clicking a DOCTYPE ticks its set of boxes anew: HTML ones unslash empty elements, meta
    // and link too, XHTML ones slash them; a box ticked before the click no longer acts.
    void presetsGiveTheirEmptyElements_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<bool>("slashed");
        QTest::newRow("HTML 4.01 Strict") << "CB_HTML_Strict" << false;
        QTest::newRow("HTML 4.01 Frameset") << "CB_HTML_Frameset" << false;
        QTest::newRow("HTML 5") << "CB_HTML_5" << true;
        QTest::newRow("XHTML 1.1") << "CB_XHTML_11" << true;
    }
    void presetsGiveTheirEmptyElements()
    {
        QFETCH(QString, preset);
        QFETCH(bool, slashed);
        newDocument(form);
        TDocument *document = currentDocument(form);
        QVERIFY(document);
        document->editor()->setText(QStringLiteral(
            "<HTML><HEAD><META NAME=\"a\" CONTENT=\"b\" /><LINK REL=\"x\" HREF=\"y\"></HEAD>"
            "<BODY><!-- kept --><P>a<BR>b<HR /></P></BODY></HTML>"));
        TOptimizer *optimizer = openOptimizer();
        QVERIFY(optimizer);
        optimizer->findChild<QCheckBox *>(QStringLiteral("CBDelete_Comments"))->setChecked(true);
        auto *button = optimizer->findChild<QRadioButton *>(preset);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        QTest::mouseClick(optimizer->findChild<QPushButton *>(QStringLiteral("ButtonApply")), Qt::LeftButton);

        const QString end = slashed ? QStringLiteral(" />") : QStringLiteral(">");
        const QString text = document->text();
        for (const QString &element : {"<meta name=\"a\" content=\"b\"" + end, "<link rel=\"x\" href=\"y\"" + end,
                                       "a<br" + end + "b<hr" + end + "</p>", QStringLiteral("<!-- kept -->")})
            QVERIFY2(text.contains(element), qPrintable(element + " in " + text));
    }

    // The boxes' entries are written at exit and come back at the next start.
    void recentEntriesSurviveARestart()
    {
        TOptimizer *optimizer = openOptimizer();
        QVERIFY(optimizer);
        Control<QComboBox>(optimizer, "CBStartingWith")->setEditText(QStringLiteral("<b>"));
        Control<QComboBox>(optimizer, "CBEndingWith")->setEditText(QStringLiteral("<strong>"));
        QTest::mouseClick(Control<QPushButton>(optimizer, "ButtonApply"), Qt::LeftButton);
        CloseMainForm(form);
        const QByteArray settings = folder->read("velkandrix.ini");
        QVERIFY(settings.contains("[Optimizer CBStartingWith Items]\r\nCBStartingWith=<b>\r\n"));
        QVERIFY(settings.contains("[Optimizer CBEndingWith Items]\r\nCBEndingWith=<strong>"));

        form = StartMainForm();
        QVERIFY(form);
        optimizer = openOptimizer();
        QVERIFY(optimizer);
        QCOMPARE(Control<QComboBox>(optimizer, "CBStartingWith")->currentText(), QStringLiteral("<b>"));
        QCOMPARE(optimizer->EndingWithItems(), QStringList{"<strong>"});
    }
};

VK_WINDOW_TEST_MAIN(TestOptimizerForm)
#include "tst_optimizerform.moc"
