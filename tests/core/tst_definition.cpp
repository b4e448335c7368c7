#include "core/definition.h"
#include "core/msgboxtables.h"

#include <QList>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace veltrano;
using msgbox::DefaultButton;
using options::Group;

namespace {

// Everything the window can see of a definition, to check that a refused
// request changed nothing.
struct Seen {
    std::array<int, 4> selected;
    int systemModal;
    int helpButton;
    QString title;
    QString message;
    QStringList captions;
    QList<bool> visible;
    bool marker;
    msgbox::Value value;

    explicit Seen(const Definition& d)
        : selected{d.selectedIcon(), d.selectedButtons(), d.selectedDefaultButton(),
                   d.selectedCode()},
          systemModal(d.systemModal()), helpButton(d.helpButton()), title(d.title()),
          message(d.message()), captions{d.defaultButtonCaption(0), d.defaultButtonCaption(256),
                                         d.defaultButtonCaption(512)},
          visible{d.isDefaultButtonVisible(0), d.isDefaultButtonVisible(256),
                  d.isDefaultButtonVisible(512)},
          marker(d.isHelpMarkerVisible()), value(d.value()) {}
    bool operator==(const Seen&) const = default;
};

// The captions of the visible default-button options, in order.
QStringList visibleCaptions(const Definition& d) {
    QStringList result;
    for (int index : {0, 256, 512}) {
        if (d.isDefaultButtonVisible(index)) {
            result << d.defaultButtonCaption(index);
        }
    }
    return result;
}

using Request = std::function<void(Definition&)>;

} // namespace

Q_DECLARE_METATYPE(Request)

class TestDefinition : public QObject {
    Q_OBJECT

private slots:
    void startState();
    void tablesCarryTheConstants();
    void buttonSetShowsItsButtons_data();
    void buttonSetShowsItsButtons();
    void buttonSetResetsDefaultButton();
    void firstButtonChoiceNamesDefaultButton();
    void defaultButtonChoice_data();
    void defaultButtonChoice();
    void iconChoice_data();
    void iconChoice();
    void helpButtonRule_data();
    void helpButtonRule();
    void unknownRequestsRefused_data();
    void unknownRequestsRefused();
    void oneSignalPerAction_data();
    void oneSignalPerAction();
    void signalSeesFinishedState();
    void batchCollectsSeveralActions();
    void titleStaysOneLine_data();
    void titleStaysOneLine();
};

void TestDefinition::startState() {
    Definition d;
    QCOMPARE(d.selectedIcon(), 0);
    QCOMPARE(d.selectedButtons(), 0);
    QCOMPARE(d.selectedDefaultButton(), 0);
    QCOMPARE(d.selectedCode(), int(msgbox::CodeStyle::SelectCase));
    QCOMPARE(d.systemModal(), 0);
    QCOMPARE(d.helpButton(), 0);
    QVERIFY(d.title().isEmpty());
    QVERIFY(d.message().isEmpty());
    QCOMPARE(d.value(), msgbox::Value());
    QVERIFY(!d.value().defaultButton);
    QCOMPARE(d.defaultButtonCaption(0), u"Ok"_s);
    QCOMPARE(d.defaultButtonCaption(256), u"2. Button default"_s);
    QCOMPARE(d.defaultButtonCaption(512), u"3. Button default"_s);
    QCOMPARE(visibleCaptions(d), QStringList{u"Ok"_s});
    QVERIFY(!d.isHelpMarkerVisible());
}

void TestDefinition::tablesCarryTheConstants() {
    // The window's options stand in layout order, and their tooltips show
    // the constants the options write.
    const QList<QPair<Group, QList<int>>> groups{{Group::Icons, {0, 16, 32, 48, 64}},
                                                 {Group::Buttons, {0, 1, 2, 3, 4, 5}},
                                                 {Group::DefaultButton, {0, 256, 512}},
                                                 {Group::Code, {0, 1, 2, 3}}};
    for (const auto& [group, indexes] : groups) {
        QList<int> seen;
        for (const options::Option& o : options::table(group)) {
            seen << o.index;
            QCOMPARE(options::find(group, o.index), &o);
        }
        QCOMPARE(seen, indexes);
    }
    QCOMPARE(options::find(Group::Buttons, 3)->tooltip, u"vbYesNoCancel"_s);
    QCOMPARE(options::find(Group::Icons, 48)->tooltip, u"vbExclamation"_s);
    QCOMPARE(options::find(Group::Code, 3)->tooltip, u" Code für ein VB-Script "_s);
    QVERIFY(options::find(Group::Icons, 0)->tooltip.isEmpty());
}

void TestDefinition::buttonSetShowsItsButtons_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("captions");

    const QList<QPair<QString, QStringList>> sets{
        {u"vbOKOnly"_s, {u"OK"_s}},
        {u"vbOKCancel"_s, {u"OK"_s, u"Abbrechen"_s}},
        {u"vbAbortRetryIgnore"_s, {u"Abbruch"_s, u"Wiederholen"_s, u"Ignorieren"_s}},
        {u"vbYesNoCancel"_s, {u"Ja"_s, u"Nein"_s, u"Abbrechen"_s}},
        {u"vbYesNo"_s, {u"Ja"_s, u"Nein"_s}},
        {u"vbRetryCancel"_s, {u"Wiederholen"_s, u"Abbrechen"_s}},
    };
    // From the start state, and after a three-button set (the options it
    // showed must be hidden again).
    for (int before : {-1, 2}) {
        for (int set = 0; set < 6; ++set) {
            QTest::addRow("%s -> %d", before < 0 ? "start" : "3 buttons", set)
                << before << set << sets[set].first << sets[set].second;
        }
    }
}

void TestDefinition::buttonSetShowsItsButtons() {
    QFETCH(int, before);
    QFETCH(int, buttons);
    QFETCH(QString, name);
    QFETCH(QStringList, captions);

    Definition d;
    if (before >= 0) {
        d.selectButtons(before);
    }
    d.selectButtons(buttons);
    QCOMPARE(d.selectedButtons(), buttons);
    QCOMPARE(int(d.value().buttons), buttons);
    QCOMPARE(msgbox::facts(d.value().buttons).basic, name);
    QCOMPARE(visibleCaptions(d), captions);
    QVERIFY(d.isDefaultButtonVisible(0));
}

void TestDefinition::buttonSetResetsDefaultButton() {
    Definition d;
    d.selectButtons(3);
    d.selectDefaultButton(512);
    QCOMPARE(d.value().defaultButton, DefaultButton::Third);
    d.selectButtons(4);
    QCOMPARE(visibleCaptions(d), (QStringList{u"Ja"_s, u"Nein"_s}));
    QCOMPARE(d.selectedDefaultButton(), 0);
    QCOMPARE(d.value().defaultButton, DefaultButton::First);

    // Choosing the same set again also resets the default button.
    d.selectDefaultButton(256);
    d.selectButtons(4);
    QCOMPARE(d.selectedDefaultButton(), 0);
    QCOMPARE(d.value().defaultButton, DefaultButton::First);
}

void TestDefinition::firstButtonChoiceNamesDefaultButton() {
    // The first default button is selected already; choosing a set runs its
    // handler all the same.
    Definition d;
    d.selectButtons(0);
    QCOMPARE(d.value().defaultButton, DefaultButton::First);
    QCOMPARE(d.defaultButtonCaption(0), u"OK"_s);
}

void TestDefinition::defaultButtonChoice_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 0 << u"vbDefaultButton1"_s;
    QTest::newRow("second") << 256 << u"vbDefaultButton2"_s;
    QTest::newRow("third") << 512 << u"vbDefaultButton3"_s;
}

void TestDefinition::defaultButtonChoice() {
    QFETCH(int, index);
    QFETCH(QString, name);
    Definition d;
    d.selectButtons(2);
    d.selectDefaultButton(index);
    QCOMPARE(d.selectedDefaultButton(), index);
    QCOMPARE(d.value().defaultButton, DefaultButton(index));
    QCOMPARE(msgbox::facts(*d.value().defaultButton).basic, name);
}

void TestDefinition::iconChoice_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("vbCritical") << 16 << u"vbCritical"_s;
    QTest::newRow("vbQuestion") << 32 << u"vbQuestion"_s;
    QTest::newRow("vbExclamation") << 48 << u"vbExclamation"_s;
    QTest::newRow("vbInformation") << 64 << u"vbInformation"_s;
    QTest::newRow("Ohne") << 0 << QString();
}

void TestDefinition::iconChoice() {
    QFETCH(int, index);
    QFETCH(QString, name);
    Definition d;
    d.selectIcon(64); // "Ohne" must empty a name set before
    d.selectIcon(index);
    QCOMPARE(d.selectedIcon(), index);
    QCOMPARE(int(d.value().icon), index);
    QCOMPARE(msgbox::facts(d.value().icon).basic, name);
}

void TestDefinition::helpButtonRule_data() {
    QTest::addColumn<Request>("steps");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("marker");

    for (int code : {0, 1, 2}) {
        QTest::addRow("tick in style %d", code) << Request([code](Definition& d) {
            d.selectCode(code);
            d.setHelpButton(1);
        }) << 1 << true;
        QTest::addRow("tick and clear in style %d", code) << Request([code](Definition& d) {
            d.selectCode(code);
            d.setHelpButton(1);
            d.setHelpButton(0);
        }) << 0 << false;
    }
    QTest::newRow("VBS clears a tick") << Request([](Definition& d) {
        d.setHelpButton(1);
        d.selectCode(int(msgbox::CodeStyle::Vbs));
    }) << 0 << false;
    QTest::newRow("tick refused under VBS") << Request([](Definition& d) {
        d.selectCode(int(msgbox::CodeStyle::Vbs));
        d.setHelpButton(1);
    }) << 0 << false;
    QTest::newRow("back from VBS stays clear") << Request([](Definition& d) {
        d.setHelpButton(1);
        d.selectCode(int(msgbox::CodeStyle::Vbs));
        d.selectCode(int(msgbox::CodeStyle::Einfach));
    }) << 0 << false;
    QTest::newRow("dimmed hides the marker") << Request([](Definition& d) {
        d.setHelpButton(1);
        d.setHelpButton(2);
    }) << 2 << false;
    QTest::newRow("VBS clears a dimmed box") << Request([](Definition& d) {
        d.setHelpButton(2);
        d.selectCode(int(msgbox::CodeStyle::Vbs));
    }) << 0 << false;
    QTest::newRow("dimmed allowed under VBS") << Request([](Definition& d) {
        d.selectCode(int(msgbox::CodeStyle::Vbs));
        d.setHelpButton(2);
    }) << 2 << false;
}

void TestDefinition::helpButtonRule() {
    QFETCH(Request, steps);
    QFETCH(int, value);
    QFETCH(bool, marker);
    Definition d;
    steps(d);
    QCOMPARE(d.helpButton(), value);
    QCOMPARE(d.isHelpMarkerVisible(), marker);
}

void TestDefinition::unknownRequestsRefused_data() {
    QTest::addColumn<Request>("request");
    QTest::addColumn<int>("error");

    QTest::newRow("icon 1") << Request([](Definition& d) { d.selectIcon(1); }) << 9;
    QTest::newRow("icon -16") << Request([](Definition& d) { d.selectIcon(-16); }) << 9;
    QTest::newRow("buttons 6") << Request([](Definition& d) { d.selectButtons(6); }) << 9;
    QTest::newRow("buttons -1") << Request([](Definition& d) { d.selectButtons(-1); }) << 9;
    QTest::newRow("default 1") << Request([](Definition& d) { d.selectDefaultButton(1); }) << 9;
    QTest::newRow("default 768") << Request([](Definition& d) { d.selectDefaultButton(768); }) << 9;
    QTest::newRow("code 4") << Request([](Definition& d) { d.selectCode(4); }) << 9;
    QTest::newRow("system modal 3") << Request([](Definition& d) { d.setSystemModal(3); }) << 380;
    QTest::newRow("help button -1") << Request([](Definition& d) { d.setHelpButton(-1); }) << 380;
}

void TestDefinition::unknownRequestsRefused() {
    QFETCH(Request, request);
    QFETCH(int, error);

    Definition d;
    d.selectButtons(3);
    d.selectIcon(32);
    d.selectDefaultButton(512);
    d.selectCode(int(msgbox::CodeStyle::Einfach));
    d.setHelpButton(1);
    d.setTitle(u"T"_s);
    const Seen before(d);
    int emitted = 0;
    connect(&d, &Definition::changed, this, [&emitted] { ++emitted; });

    try {
        request(d);
        QFAIL("no error thrown");
    } catch (const vb::Error& e) {
        QCOMPARE(e.number(), error);
    }
    QVERIFY(Seen(d) == before);
    QCOMPARE(emitted, 0);
}

void TestDefinition::oneSignalPerAction_data() {
    QTest::addColumn<Request>("request");
    QTest::addColumn<Definition::Changes>("changes");

    using D = Definition;
    QTest::newRow("first button set")
        << Request([](D& d) { d.selectButtons(3); })
        << D::Changes(D::ButtonsChanged | D::DefaultButtonChanged | D::DefaultButtonOptionsChanged);
    QTest::newRow("icon") << Request([](D& d) { d.selectIcon(16); }) << D::Changes(D::IconChanged);
    QTest::newRow("code") << Request([](D& d) { d.selectCode(2); }) << D::Changes(D::CodeChanged);
    QTest::newRow("help tick") << Request([](D& d) { d.setHelpButton(1); })
                               << D::Changes(D::HelpButtonChanged | D::HelpMarkerChanged);
    QTest::newRow("help tick refused under VBS") << Request([](D& d) {
        d.selectCode(int(msgbox::CodeStyle::Vbs));
        d.setHelpButton(1);
    }) << D::Changes(D::CodeChanged);
    QTest::newRow("system modal") << Request([](D& d) { d.setSystemModal(2); })
                                  << D::Changes(D::SystemModalChanged);
    QTest::newRow("title") << Request([](D& d) { d.setTitle(u"x"_s); })
                           << D::Changes(D::TitleChanged);
    QTest::newRow("message") << Request([](D& d) { d.setMessage(u"x"_s); })
                             << D::Changes(D::MessageChanged);
}

void TestDefinition::oneSignalPerAction() {
    QFETCH(Request, request);
    QFETCH(Definition::Changes, changes);

    Definition d;
    QList<Definition::Changes> seen;
    connect(&d, &Definition::changed, this, [&seen](Definition::Changes what) { seen << what; });
    request(d);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first(), changes);

    // The same request again changes nothing and says nothing.
    request(d);
    QCOMPARE(seen.size(), 1);
}

void TestDefinition::signalSeesFinishedState() {
    Definition d;
    d.setHelpButton(1);
    QStringList captionsSeen;
    bool markerSeen = true;
    int emitted = 0;
    connect(&d, &Definition::changed, this, [&] {
        ++emitted;
        captionsSeen = visibleCaptions(d);
        markerSeen = d.isHelpMarkerVisible();
    });

    d.selectButtons(2);
    QCOMPARE(emitted, 1);
    QCOMPARE(captionsSeen, (QStringList{u"Abbruch"_s, u"Wiederholen"_s, u"Ignorieren"_s}));

    // "VBS" clears the box, whose handler hides the marker: one signal, after
    // all of it.
    d.selectCode(int(msgbox::CodeStyle::Vbs));
    QCOMPARE(emitted, 2);
    QVERIFY(!markerSeen);
}

void TestDefinition::batchCollectsSeveralActions() {
    Definition d;
    QList<Definition::Changes> seen;
    connect(&d, &Definition::changed, this, [&seen](Definition::Changes what) { seen << what; });
    {
        Definition::Batch batch(d);
        d.selectIcon(64);
        d.selectButtons(1);
        d.setTitle(u"T"_s);
        QVERIFY(seen.isEmpty());
    }
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first(), Definition::Changes(
                               Definition::IconChanged | Definition::ButtonsChanged |
                               Definition::DefaultButtonChanged |
                               Definition::DefaultButtonOptionsChanged | Definition::TitleChanged));
}

void TestDefinition::titleStaysOneLine_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("CR LF") << u"Zeile 1\r\nZeile 2"_s << u"Zeile 1 Zeile 2"_s;
    QTest::newRow("lone LF") << u"a\nb"_s << u"a b"_s;
    QTest::newRow("lone CR") << u"a\rb"_s << u"a b"_s;
    QTest::newRow("LF CR is two breaks") << u"a\n\rb"_s << u"a  b"_s;
    QTest::newRow("no break") << u"Frage"_s << u"Frage"_s;
}

void TestDefinition::titleStaysOneLine() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Definition d;
    d.setTitle(typed);
    QCOMPARE(d.title(), kept);
}

QTEST_GUILESS_MAIN(TestDefinition)
#include "tst_definition.moc"
