// The message box value and its tables: the one apply that makes the
// window's definition hold a value, the facts the tables must keep for the
// reader and the window, and the one rule for line breaks.

#include "core/definition.h"
#include "core/linebreaks.h"
#include "core/msgboxtables.h"

#include <QSet>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace veltrano;
using msgbox::Buttons;
using msgbox::DefaultButton;

namespace {

using Steps = std::function<void(Definition&)>;

msgbox::Value valueWith(Buttons buttons, std::optional<DefaultButton> defaultButton) {
    msgbox::Value value;
    value.buttons = buttons;
    value.defaultButton = defaultButton;
    return value;
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestMsgBox : public QObject {
    Q_OBJECT

private slots:
    void applyFollowsTheClickRules_data();
    void applyFollowsTheClickRules();
    void applyingItsOwnValueChangesNothing();
    void applyRefusesAWholeValue();
    void tablesKeepTheirFacts();
    void lineBreaks_data();
    void lineBreaks();
};

void TestMsgBox::applyFollowsTheClickRules_data() {
    QTest::addColumn<Steps>("before");
    QTest::addColumn<msgbox::Value>("value");
    QTest::addColumn<msgbox::Value>("held");

    const Steps fresh = [](Definition&) {};
    const msgbox::Value okNone = valueWith(Buttons::Ok, std::nullopt);
    const msgbox::Value yesNoNone = valueWith(Buttons::YesNo, std::nullopt);
    QTest::newRow("no default button on a fresh definition stays without")
        << fresh << okNone << okNone;
    QTest::newRow("another set chooses the first default button")
        << fresh << yesNoNone << valueWith(Buttons::YesNo, DefaultButton::First);
    QTest::newRow("no default button after one was chosen: the first") << Steps([](Definition& d) {
        d.selectButtons(4);
        d.selectDefaultButton(256);
    }) << yesNoNone << valueWith(Buttons::YesNo, DefaultButton::First);
    QTest::newRow("the default button named")
        << fresh << valueWith(Buttons::YesNoCancel, DefaultButton::Third)
        << valueWith(Buttons::YesNoCancel, DefaultButton::Third);

    msgbox::Value help = valueWith(Buttons::Ok, DefaultButton::First);
    help.code = msgbox::CodeStyle::Vbs;
    help.helpButton = true;
    msgbox::Value noHelp = help;
    noHelp.helpButton = false;
    QTest::newRow("VBS refuses the help button") << fresh << help << noHelp;

    msgbox::Value lines = okNone;
    lines.title = u"a\r\nb\rc"_s;
    msgbox::Value oneLine = okNone;
    oneLine.title = u"a b c"_s;
    QTest::newRow("the title stays one line") << fresh << lines << oneLine;
}

void TestMsgBox::applyFollowsTheClickRules() {
    QFETCH(Steps, before);
    QFETCH(msgbox::Value, value);
    QFETCH(msgbox::Value, held);
    Definition d;
    before(d);
    const msgbox::Value was = d.value();
    int emitted = 0;
    connect(&d, &Definition::changed, this, [&emitted] { ++emitted; });
    d.apply(value);
    QCOMPARE(d.value(), held);
    QCOMPARE(emitted, held == was ? 0 : 1); // one batch, and only for a change
}

void TestMsgBox::applyingItsOwnValueChangesNothing() {
    Definition d;
    d.selectButtons(3);
    d.selectDefaultButton(512);
    d.selectIcon(48);
    d.setSystemModal(Definition::Grayed);
    d.setHelpButton(Definition::Checked);
    d.setTitle(u"T"_s);
    d.setMessage(u"M\r\n"_s);
    int emitted = 0;
    connect(&d, &Definition::changed, this, [&emitted] { ++emitted; });
    const msgbox::Value own = d.value();
    d.apply(own);
    QCOMPARE(d.value(), own);
    QCOMPARE(d.systemModal(), int(Definition::Grayed)); // a dimmed box stays dimmed
    QCOMPARE(d.defaultButtonCaption(512), u"Abbrechen"_s);
    // The handlers run again, but nothing differs afterwards.
    QCOMPARE(emitted, 0);
}

void TestMsgBox::applyRefusesAWholeValue() {
    Definition d;
    d.selectButtons(4);
    const msgbox::Value before = d.value();
    msgbox::Value bad;
    bad.title = u"neu"_s;
    bad.icon = msgbox::Icon(7);
    int emitted = 0;
    connect(&d, &Definition::changed, this, [&emitted] { ++emitted; });
    try {
        d.apply(bad);
        QFAIL("no error thrown");
    } catch (const vb::Error& e) {
        QCOMPARE(e.number(), int(vb::SubscriptOutOfRange));
    }
    QCOMPARE(d.value(), before);
    QCOMPARE(emitted, 0);
}

void TestMsgBox::tablesKeepTheirFacts() {
    // The reader finds every constant by its name in any letter case, so no
    // two rows may share one, in any language.
    QSet<QString> names;
    qsizetype count = 0;
    const auto add = [&](std::initializer_list<QStringView> spellings) {
        for (const QStringView name : spellings) {
            if (!name.isEmpty()) {
                names.insert(name.toString().toLower());
                ++count;
            }
        }
    };
    for (const auto& row : msgbox::icons())
        add({row.basic, row.vbNet, row.windowsForms, row.windowsFormsAlso[0],
             row.windowsFormsAlso[1]});
    for (const auto& row : msgbox::buttonSets())
        add({row.basic, row.vbNet, row.windowsForms});
    for (const auto& row : msgbox::defaultButtons())
        add({row.basic, row.vbNet, row.windowsForms});
    for (const auto& row : msgbox::flags())
        add({row.basic, row.vbNet, row.windowsForms});
    QCOMPARE(names.size(), count);

    // Each set's option names its buttons, in their order, and each button
    // has an answer of its own.
    for (const msgbox::ButtonSetFacts& set : msgbox::buttonSets()) {
        QSet<msgbox::Answer> answers;
        qsizetype at = 0;
        for (const msgbox::Answer answer : set.answers()) {
            answers.insert(answer);
            const QStringView caption = msgbox::facts(answer).caption;
            at = set.optionCaption.indexOf(caption, at);
            QVERIFY2(at >= 0, qPrintable(set.optionCaption.toString()));
        }
        QCOMPARE(answers.size(), qsizetype(set.count));
    }
}

void TestMsgBox::lineBreaks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("normalized"); // each break as "|"
    QTest::addColumn<QStringList>("lines");  // read as a file reads lines

    QTest::newRow("empty") << QString() << QString() << QStringList();
    QTest::newRow("one line") << u"a"_s << u"a"_s << QStringList{u"a"_s};
    QTest::newRow("CR LF") << u"a\r\nb"_s << u"a|b"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF CR is two breaks")
        << u"a\n\rb"_s << u"a||b"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("lone CR at the end") << u"a\r"_s << u"a|"_s << QStringList{u"a"_s};
    QTest::newRow("only a break") << u"\r\n"_s << u"|"_s << QStringList{QString()};
    QTest::newRow("an empty last line")
        << u"a\r\n\n"_s << u"a||"_s << QStringList{u"a"_s, QString()};
}

void TestMsgBox::lineBreaks() {
    QFETCH(QString, text);
    QFETCH(QString, normalized);
    QFETCH(QStringList, lines);
    QCOMPARE(linebreaks::normalized(text, u"|"), normalized);
    QStringList read;
    for (const QStringView line : linebreaks::lines(text))
        read.append(line.toString());
    QCOMPARE(read, lines);
}

QTEST_GUILESS_MAIN(TestMsgBox)
#include "tst_msgbox.moc"
