// The language of the window: "Sprache" chooses the language of Copy (its
// menu entry, Ctrl+C and its toolbar picture) and of the source view, names
// it in the frame of the code styles and keeps it in the settings; each
// entry of "Kopieren als" copies its own language whatever is chosen.
#include "fixture.h"

#include "app/toolbarpicture.h"
#include "core/generators.h"
#include "core/languages.h"

#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace veltrano;

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void chosenLanguageCopiesAndShows_data();
    void chosenLanguageCopiesAndShows();
    void storedLanguage_data();
    void storedLanguage();
    void copyAsEntries();
};

namespace {

void addLanguageRows() {
    QTest::addColumn<int>("language");
    for (const lang::LanguageFacts& row : lang::languages())
        QTest::newRow(qPrintable(row.value.toString())) << int(row.language);
}

void fillIn(Definition& definition) {
    definition.setTitle(u"Frage"_s);
    definition.setMessage(u"Weiter \"jetzt\"?"_s);
    definition.selectButtons(4);
    definition.selectCode(3); // VBS, which a language without it writes as einfach
}

} // namespace

void TestLanguage::chosenLanguageCopiesAndShows_data() {
    addLanguageRows();
}

void TestLanguage::chosenLanguageCopiesAndShows() {
    QFETCH(int, language);
    const lang::LanguageFacts& row = lang::facts(lang::Language(language));
    WindowFixture f;
    fillIn(f.definition);
    f.child<QAction>(u"mnuSprache"_s + row.actionName.toString())->trigger();
    const QString code = gen::generateCode(f.definition.value(), row.language);

    QCOMPARE(f.fakes.settings.values.value(u"Sprache"_s), row.value.toString());
    QCOMPARE(f.child<QGroupBox>(u"fraAbfrageCode"_s)->title(),
             row.language == lang::DefaultLanguage ? u"Quellcode"_s
                                                   : u"Quellcode (%1)"_s.arg(row.name));
    f.window.show();
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QWidget* title = f.child(u"txtTitel"_s);
    title->setFocus();
    QTest::keyClick(title, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(f.fakes.clipboard.text, code);
    f.fakes.clipboard.text.clear();
    QTest::mouseClick(f.window.toolbarPicture(5), Qt::LeftButton);
    QCOMPARE(f.fakes.clipboard.text, code);
    f.child<QAction>(u"mnuQuellcode"_s)->trigger();
    QCOMPARE(f.fakes.messageBox.shown.size(), 1);
    QCOMPARE(f.fakes.messageBox.shown.at(0).text, code);
}

void TestLanguage::storedLanguage_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("language");
    QTest::newRow("missing") << QString() << int(lang::Language::Basic);
    QTest::newRow("c") << u"c"_s << int(lang::Language::C);
    QTest::newRow("any case") << u" LibreOffice"_s << int(lang::Language::LibreOffice);
    QTest::newRow("unknown") << u"cobol"_s << int(lang::Language::Basic);
}

void TestLanguage::storedLanguage() {
    QFETCH(QString, stored);
    QFETCH(int, language);
    FakeServices fakes;
    if (!stored.isNull())
        fakes.settings.values.insert(u"Sprache"_s, stored);
    Definition definition;
    MainWindow window(definition, fakes.services);
    fillIn(definition);
    const lang::LanguageFacts& row = lang::facts(lang::Language(language));
    QVERIFY(window.findChild<QAction*>(u"mnuSprache"_s + row.actionName.toString())->isChecked());
    window.findChild<QAction*>(u"mnuKopieren"_s)->trigger();
    QCOMPARE(fakes.clipboard.text, gen::generateCode(definition.value(), row.language));
    QVERIFY(fakes.settings.writes.isEmpty()); // taking the setting stores nothing
}

// Each entry copies its language, and a screen reader names it by its caption.
void TestLanguage::copyAsEntries() {
    WindowFixture f;
    fillIn(f.definition);
    f.child<QAction>(u"mnuSpracheC"_s)->trigger();
    auto* menu = f.child<QMenu>(u"mnuKopierenAls"_s);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(menu);
    QVERIFY(spoken);
    QCOMPARE(spoken->childCount(), int(lang::languages().size()));
    for (const lang::LanguageFacts& row : lang::languages()) {
        f.child<QAction>(u"mnuKopieren"_s + row.actionName.toString())->trigger();
        QCOMPARE(f.fakes.clipboard.text, gen::generateCode(f.definition.value(), row.language));
        QCOMPARE(spoken->child(int(row.language))->text(QAccessible::Name),
                 row.copyAsCaption.toString().remove(u'&'));
    }
}

QTEST_MAIN(TestLanguage)
#include "tst_mainwindow_language.moc"
