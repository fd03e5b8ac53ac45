// The dialog seam and the message boxes asked through it.
#include "TestSupport.h"

#include "dialogs/MessageBoxes.h"
#include "dialogs/UserDialogs.h"
#include "program/MessagesKandrix.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QtTest>

class TestDialogs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        SWarningOverwriteFile = "Overwrite %s?";
    }

    void confirmOverwrite_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("answer");  // NoButton: the box is closed (escape answer)
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("no file, no question") << false << int(QMessageBox::NoButton) << true;
        QTest::newRow("Yes") << true << int(QMessageBox::Yes) << true;
        QTest::newRow("Cancel") << true << int(QMessageBox::Cancel) << false;
        QTest::newRow("closed") << true << int(QMessageBox::NoButton) << false;
    }

    // Overwriting an existing file needs an explicit Yes; closing the box is a No.
    void confirmOverwrite()
    {
        QFETCH(bool, exists);
        QFETCH(int, answer);
        QFETCH(bool, confirmed);
        const QString path = m_dir.filePath("page one.html");
        QFile::remove(path);
        if (exists)
            QVERIFY(WriteBytes(path, "x"));

        ScriptedDialogs dialogs;
        if (answer != QMessageBox::NoButton)
            dialogs.answers << QMessageBox::StandardButton(answer);
        QCOMPARE(ConfirmOverwrite(path), confirmed);
        QCOMPARE(dialogs.asked.size(), exists ? 1 : 0);
        if (exists) {
            QCOMPARE(dialogs.asked[0].text, QString("Overwrite " + path + "?"));
            QCOMPARE(dialogs.asked[0].buttons, QMessageBox::Yes | QMessageBox::Cancel);
        }
    }

    void filterList_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("patterns");  // per entry, as Qt's dialog applies them
        QTest::newRow("two entries") << "HTML files (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*"
                                     << QStringList{"*.htm *.html", "*.*"};
        QTest::newRow("leading blank description") << "Web pages|*.htm;*.html| Image Files (*.jpg)|*.jpg;*.png|All|*.*"
                                                   << QStringList{"*.htm *.html", "*.jpg *.png", "*.*"};
        QTest::newRow("blanks around separators") << "Pages | *.htm; *.html ;|Text  files|*.txt"
                                                  << QStringList{"*.htm *.html", "*.txt"};
        QTest::newRow("empty description") << "|*.txt|All|*.*" << QStringList{"*.txt", "*.*"};
        QTest::newRow("trailing bar") << "Text|*.txt|" << QStringList{"*.txt"};
        QTest::newRow("no filter") << "" << QStringList{};
    }

    // Entries keep order and count, and Qt's dialog keeps each entry's text as given,
    // so the 1-based filter index maps both ways.
    void filterList()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, patterns);
        const QStringList filters = QtFilterList(filter);
        QCOMPARE(filters.size(), patterns.size());
        if (filters.isEmpty())
            return;

        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilters(filters);
        QCOMPARE(dialog.nameFilters(), filters);
        auto *model = dialog.findChild<QFileSystemModel *>();
        QVERIFY(model);
        for (int i = 0; i < filters.size(); ++i) {
            dialog.selectNameFilter(filters[i]);
            QCOMPARE(dialog.selectedNameFilter(), filters[i]);
            QCOMPARE(model->nameFilters().join(' '), patterns[i]);
        }
        if (filter.contains(" Image Files"))
            QVERIFY(filters[1].startsWith("Image Files"));
    }

};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
