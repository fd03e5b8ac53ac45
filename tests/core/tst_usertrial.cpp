// Faults a user met trying the program as a whole, each kept from coming back.
#include "MainFormTestSupport.h"

#include "core/ImageList.h"
#include "program/uDivStartVK.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QTest>
#include <Qsci/qsciscintilla.h>
#include <memory>

class TestUserTrial : public QObject, MainFormFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(SetUp()); }
    void cleanup() { TearDown(); }

    void saveIsOffWithNoDocumentInFront_data()
    {
        QTest::addColumn<bool>("closeDocument");
        QTest::newRow("Tidy page brought to the front") << false;
        QTest::newRow("last modified document closed unsaved") << true;
    }

    // A modified document left Save enabled and its button lit once the Tidy page was in front, where it saved nothing.
    void saveIsOffWithNoDocumentInFront()
    {
        QFETCH(bool, closeDocument);
        TDocument *document = currentDocument(form);
        QVERIFY(document);
        document->editor()->setFocus();
        QTest::keyClicks(document->editor(), "typed");
        QVERIFY(document->isModified());
        QVERIFY(action(form, "MenuSave")->isEnabled());

        if (closeDocument) {
            dialogs->answers << QMessageBox::No;
            action(form, "MenuCloseActiveTab")->trigger();
            QVERIFY(documents(form).isEmpty());
        } else {
            documentPages(form)->setCurrentWidget(form->findChild<QWidget *>("TBTidyConfig"));
        }
        QVERIFY(!currentDocument(form));
        QVERIFY(!action(form, "MenuSave")->isEnabled());
        QVERIFY(!action(form, "PopupSave")->isEnabled());
        const QImage idle = ImageList1(imgSaveIdle).pixmap(16, 16).toImage();
        QCOMPARE(child<QToolButton *>(form, "ButtonSave")->icon().pixmap(16, 16).toImage(), idle);

        if (!closeDocument) {
            documentPages(form)->setCurrentWidget(document->container());
            QVERIFY(action(form, "MenuSave")->isEnabled());
        }
    }

    void statusBarShowsTheDocumentAfterAnalyze_data()
    {
        QTest::addColumn<bool>("tidyPresent");
        QTest::newRow("Tidy missing") << false;
        QTest::newRow("Tidy ran") << true;
    }

    // A run that could not start left "Please wait" in the encoding panel; every run left the caret panel empty.
    // A run that ends leaves the encoding panel empty.
    void statusBarShowsTheDocumentAfterAnalyze()
    {
        QFETCH(bool, tidyPresent);
        if (!tidyPresent)
            QVERIFY(QFile::remove(Paths().Tidy5Exe));
        TDocument *document = currentDocument(form);
        QVERIFY(document);
        document->editor()->setFocus();
        document->editor()->setCursorPosition(1, 2);
        QCoreApplication::processEvents();
        QCOMPARE(statusText(form, 0).simplified(), QStringLiteral("2: 3"));
        action(form, "MenuAnalyze")->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(dialogs->asked.size(), tidyPresent ? 0 : 1);
        QCOMPARE(statusText(form, 4), tidyPresent ? QString() : document->encoding());
        QCOMPARE(statusText(form, 0).simplified(), QStringLiteral("2: 3"));
    }

    // Options > Language was an empty submenu: no language could be chosen.
    void languageMenuSwitchesTheTexts()
    {
        TDocument *document = currentDocument(form);
        QVERIFY(document);
        dialogs->openAnswers << QStringList{Paths().AppPath + "language/lang_fr.txt"};
        QAction *language = action(form, "MenuLanguage");
        QVERIFY(language && !language->menu());
        language->trigger();
        QCOMPARE(dialogs->openFolders.value(0), Paths().AppPath + "language/");
        QCOMPARE(action(form, "MenuFile")->text(), QStringLiteral("&Fichier"));
        QCOMPARE(document->pages()->tabText(0), QString::fromUtf8("Éditeur"));
        QCOMPARE(form->Settings().LanguageFileName, Paths().AppPath + "language/lang_fr.txt");
    }
};

QTEST_MAIN(TestUserTrial)
#include "tst_usertrial.moc"
