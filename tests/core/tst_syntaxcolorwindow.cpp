// The syntax colour dialog opened from the main window's menu, as a user works with it.
#include "../themes/SyntaxColorDriver.h"
#include "MainFormTestSupport.h"

#include "documents/TDocument.h"
#include "program/uDivStartVK.h"
#include "themes/SyntaxColorModel.h"
#include "themes/SyntaxPaintColors.h"
#include "themes/SyntaxStyles.h"

#include <QAction>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

namespace {

using Base = QsciScintillaBase;

QColor styleFore(QsciScintilla *editor, int style)
{
    return TColorToQColor(TColor(editor->SendScintilla(Base::SCI_STYLEGETFORE, static_cast<unsigned long>(style))));
}

bool styleBold(QsciScintilla *editor, int style)
{
    return qAbs(editor->SendScintilla(Base::SCI_STYLEGETWEIGHT, static_cast<unsigned long>(style))) >= QFont::DemiBold;
}

QColor gutterBack(QsciScintilla *editor)
{
    return TColorToQColor(TColor(editor->SendScintilla(Base::SCI_STYLEGETBACK, static_cast<unsigned long>(Base::STYLE_LINENUMBER))));
}

} // namespace

class TestSyntaxColorWindow : public QObject, MainFormFixture {
    Q_OBJECT

    void start()
    {
        form = StartMainForm();
        QVERIFY(form);
    }

    // Opens the dialog from the menu, lets the user act in it, then closes it with its button.
    void useDialog(const std::function<void(TSyntaxColor *)> &act)
    {
        bool acted = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<TSyntaxColor *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            acted = true;
            act(dialog);
            Click(dialog, "ButtonClose");
        });
        action(form, QStringLiteral("MenuSyntaxHighlighting"))->trigger();
        QVERIFY(acted);
        // Each opening is a fresh dialog, freed when it closes.
        QVERIFY(form->findChildren<TSyntaxColor *>().isEmpty());
    }

    QList<QsciScintilla *> editors() const
    {
        QList<QsciScintilla *> list;
        for (TDocument *document : documents(form))
            list << document->editor();
        return list;
    }

private slots:
    void init() { QVERIFY(SetUp(false)); }
    void cleanup() { TearDown(); }

    // Red bold HTML keywords show in every open HTML tab at once; saved as a theme, picked,
    // they come back at the next start.
    void themeMadeInTheDialogComesBackAfterRestart()
    {
        start();
        newDocument(form);
        newDocument(form);
        QCOMPARE(editors().size(), 3);
        const int key = SyntaxStyleOf(SyntaxAttri::HTML_Key);
        const QString before = form->Settings().ThemeName;

        useDialog([&](TSyntaxColor *dialog) {
            SelectAttribute(dialog, "HTML", "Key");
            if (!Control<QToolButton>(dialog, "ButtonBold")->isChecked())
                Click(dialog, "ButtonBold");
            dialogs->colorAnswers << QColor(Qt::red);
            Click(dialog, "ButtonFontColor");
            for (QsciScintilla *editor : editors()) {
                QCOMPARE(styleFore(editor, key), QColor(Qt::red));
                QVERIFY(styleBold(editor, key));
            }
            dialogs->saveAnswers << Paths().HighlightersDir + "mine";
            Click(dialog, "ButtonSaveSettings");
            QCOMPARE(Control<QComboBox>(dialog, "CBThemes")->currentText(), before);
        });
        QVERIFY(QFile::exists(Paths().HighlightersDir + "mine.cfg"));
        QCOMPARE(form->Settings().ThemeName, before);

        useDialog([&](TSyntaxColor *dialog) {
            Click(dialog, "ButtonRestore");
            QVERIFY(styleFore(currentEditor(form), key) != QColor(Qt::red));
            PickTheme(dialog, "mine");
        });
        QCOMPARE(form->Settings().ThemeName, QStringLiteral("mine"));
        CloseMainForm(form);

        start();
        QCOMPARE(form->Settings().ThemeName, QStringLiteral("mine"));
        QVERIFY(currentEditor(form));
        QCOMPARE(styleFore(currentEditor(form), key), QColor(Qt::red));
        QVERIFY(styleBold(currentEditor(form), key));
        QVERIFY(dialogs->asked.isEmpty());
    }

    // A gutter colour chosen with no document open reaches the next document; with one open,
    // its editor shows it at once.
    void gutterColorReachesTheEditors()
    {
        start();
        trigger(form, "PopUpClose");
        QVERIFY(!currentEditor(form));
        useDialog([&](TSyntaxColor *dialog) {
            dialogs->colorAnswers << QColor(0x12, 0x34, 0x56);
            Click(dialog, "ButtonGutterColor");
        });
        newDocument(form);
        QVERIFY(currentEditor(form));
        QCOMPARE(gutterBack(currentEditor(form)), QColor(0x12, 0x34, 0x56));

        useDialog([&](TSyntaxColor *dialog) {
            dialogs->colorAnswers << QColor(0x65, 0x43, 0x21);
            Click(dialog, "ButtonGutterColor");
            QCOMPARE(gutterBack(currentEditor(form)), QColor(0x65, 0x43, 0x21));
        });
    }
};

VK_WINDOW_TEST_MAIN(TestSyntaxColorWindow)
#include "tst_syntaxcolorwindow.moc"
