#include "platform/qtfiledialogs.h"
#include "platform/qtmessagebox.h"
#include "platform/translations.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

const QString kDefinitionFilter = u"MsgBox (*.msg) |*.msg|Dokumente (*.dat)|*.dat|"
                                  "Inidateien (*.ini)|*.ini|Alle Dateien (*.*)|*.*"_s;

QComboBox* typeList(QFileDialog& dialog) {
    return dialog.findChild<QComboBox*>(u"fileTypeCombo"_s);
}

// Answers the next file dialog that opens: picks the file type at position
// type (1-based, 0 leaves it), types name and accepts, or cancels when name
// is empty.
void answerNextDialog(QObject* context, int type, const QString& name) {
    QTimer::singleShot(0, context, [type, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (name.isEmpty()) {
            dialog->reject();
            return;
        }
        if (type > 0) {
            QComboBox* list = typeList(*dialog);
            list->setCurrentIndex(type - 1);
            emit list->activated(type - 1);
        }
        dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(name);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
    });
}

} // namespace

class TestQtFileDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(installGermanTranslations(*QCoreApplication::instance())); }
    void toNameFilters_data();
    void toNameFilters();
    void clampedIndex_data();
    void clampedIndex();
    void preparedDialog_data();
    void preparedDialog();
    void missingInitialFolder();
    void allFilesShowNamesWithoutDot_data();
    void allFilesShowNamesWithoutDot();
    void saveReturnsPathAndType();
    void openReturnsTypedNameEvenIfMissing();
    void cancelGivesNothing();
};

void TestQtFileDialogs::toNameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("definition file")
        << kDefinitionFilter
        << QStringList{u"MsgBox (*.msg)  (*.msg)"_s, u"Dokumente (*.dat) (*.dat)"_s,
                       u"Inidateien (*.ini) (*.ini)"_s, u"Alle Dateien (*.*) (*)"_s};
    QTest::newRow("script") << u"VB-Script (*.vbs)|*.vbs"_s
                            << QStringList{u"VB-Script (*.vbs) (*.vbs)"_s};
    QTest::newRow("pattern list") << u"Bilder|*.bmp;*.jpg; *.png"_s
                                  << QStringList{u"Bilder (*.bmp *.jpg *.png)"_s};
    QTest::newRow("description without pattern")
        << u"Texte|*.txt|Rest"_s << QStringList{u"Texte (*.txt)"_s};
    QTest::newRow("empty pattern") << u"Alles|"_s << QStringList{u"Alles (*)"_s};
    QTest::newRow("empty description") << u"|*.msg"_s << QStringList{u"*.msg (*.msg)"_s};
    QTest::newRow("nothing") << QString() << QStringList();
}

void TestQtFileDialogs::toNameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(filefilter::toNameFilters(filter), expected);
}

void TestQtFileDialogs::clampedIndex_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("expected");
    QTest::newRow("first") << 1 << 4 << 1;
    QTest::newRow("third") << 3 << 4 << 3;
    QTest::newRow("last") << 4 << 4 << 4;
    QTest::newRow("beyond") << 5 << 4 << 1;
    QTest::newRow("zero") << 0 << 4 << 1;
    QTest::newRow("negative") << -3 << 4 << 1;
    QTest::newRow("no filters") << 2 << 0 << 1;
}

void TestQtFileDialogs::clampedIndex() {
    QFETCH(int, index);
    QFETCH(int, count);
    QFETCH(int, expected);
    QCOMPARE(filefilter::clampedIndex(index, count), expected);
}

void TestQtFileDialogs::preparedDialog_data() {
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<bool>("forSaving");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("shown");
    QTest::newRow("open, first") << 1 << false << 1 << u"MsgBox (*.msg)"_s;
    QTest::newRow("save, third") << 3 << true << 3 << u"Inidateien (*.ini)"_s;
    QTest::newRow("open, fourth") << 4 << false << 4 << u"Alle Dateien (*.*)"_s;
    QTest::newRow("save, beyond the list") << 9 << true << 1 << u"MsgBox (*.msg)"_s;
}

void TestQtFileDialogs::preparedDialog() {
    QFETCH(int, filterIndex);
    QFETCH(bool, forSaving);
    QFETCH(int, selected);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QFileDialog dialog;
    QtFileDialogs::prepare(dialog, {kDefinitionFilter, dir.path(), QString(), filterIndex},
                           forSaving);
    QCOMPARE(typeList(dialog)->currentIndex() + 1, selected);
    QCOMPARE(typeList(dialog)->currentText(), shown);
    QCOMPARE(QtFileDialogs::resultOf(dialog).filterIndex, selected);
    QCOMPARE(dialog.directory().absolutePath(), QDir(dir.path()).absolutePath());
    QCOMPARE(dialog.acceptMode(), forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog.defaultSuffix(), QString());
    // The platform's own titles, in German.
    QCOMPARE(dialog.windowTitle(), forSaving ? QCoreApplication::translate("QFileDialog", "Save As")
                                             : QCoreApplication::translate("QFileDialog", "Open"));
    QVERIFY(dialog.windowTitle() != u"Open"_s && dialog.windowTitle() != u"Save As"_s);
}

void TestQtFileDialogs::missingInitialFolder() {
    QFileDialog dialog;
    QtFileDialogs::prepare(dialog, {kDefinitionFilter, u"/no/such/folder/"_s, QString(), 1}, false);
    QCOMPARE(dialog.directory().absolutePath(), QDir::homePath());
}

// Counts the files the dialog offers (listed and enabled) under a filter.
void TestQtFileDialogs::allFilesShowNamesWithoutDot_data() {
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<int>("offered");
    QTest::newRow("MsgBox") << 1 << 1;
    QTest::newRow("Alle Dateien") << 4 << 3;
}

void TestQtFileDialogs::allFilesShowNamesWithoutDot() {
    QFETCH(int, filterIndex);
    QFETCH(int, offered);
    QTemporaryDir dir;
    for (const QString& name : {u"README"_s, u"a.msg"_s, u"b.dat"_s}) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QFileDialog dialog;
    QtFileDialogs::prepare(dialog, {kDefinitionFilter, dir.path(), QString(), filterIndex}, false);
    dialog.show();
    auto* view = dialog.findChild<QListView*>(u"listView"_s);
    QVERIFY(view);
    const auto count = [view] {
        int n = 0;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            if (view->model()->index(row, 0, root).flags().testFlag(Qt::ItemIsEnabled))
                ++n;
        }
        return n;
    };
    QTRY_COMPARE(count(), offered);
}

void TestQtFileDialogs::saveReturnsPathAndType() {
    QTemporaryDir dir;
    QtFileDialogs dialogs;
    answerNextDialog(this, 3, u"neu"_s);
    const auto result = dialogs.save({kDefinitionFilter, dir.path(), QString(), 1});
    QVERIFY(result);
    // No suffix is added to a name typed without one.
    QCOMPARE(result->path, dir.filePath(u"neu"_s));
    QCOMPARE(result->filterIndex, 3);
}

void TestQtFileDialogs::openReturnsTypedNameEvenIfMissing() {
    QTemporaryDir dir;
    QtFileDialogs dialogs;
    answerNextDialog(this, 0, u"fehlt.msg"_s);
    const auto result = dialogs.open({kDefinitionFilter, dir.path(), QString(), 2});
    QVERIFY(result);
    QCOMPARE(result->path, dir.filePath(u"fehlt.msg"_s));
    QCOMPARE(result->filterIndex, 2);
}

void TestQtFileDialogs::cancelGivesNothing() {
    QtFileDialogs dialogs;
    answerNextDialog(this, 0, QString());
    QVERIFY(!dialogs.open({kDefinitionFilter, QDir::homePath(), QString(), 1}));
    answerNextDialog(this, 0, QString());
    QVERIFY(!dialogs.save({kDefinitionFilter, QDir::homePath(), QString(), 1}));
}

QTEST_MAIN(TestQtFileDialogs)
#include "tst_qtfiledialogs.moc"
