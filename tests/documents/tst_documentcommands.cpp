#include "core/definition.h"
#include "core/generators.h"
#include "core/optiontables.h"
#include "core/vberror.h"
#include "documents/commands.h"
#include "documents/definitionfile.h"
#include "documents/textcodec.h"
#include "platform/fakes/fakes.h"

#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

const QString folder = u"/home/user/Dokumente/Veltrano/"_s;
const QString definitionFilter =
    u"MsgBox (*.msg) |*.msg|Dokumente (*.dat)|*.dat|Inidateien (*.ini)|*.ini|Alle Dateien (*.*)|*.*"_s;
const QString scriptFilter = u"VB-Script (*.vbs)|*.vbs|Alle Dateien (*.*)|*.*"_s;

// The window's definition, the fakes and the commands under test.
struct Window {
    Window() {
        fakes.session.dataFolderPath = folder;
        fakes.services.session.lastFilterIndex = 1;
    }
    FakeServices fakes;
    Definition definition;
    DocumentCommands commands{definition, fakes.services};

    void answerOpen(const QString& path, int filterIndex = 1) {
        fakes.fileDialogs.openAnswers.push_back(FileDialogResult{path, filterIndex});
    }
    void answerSave(const QString& path, int filterIndex = 1) {
        fakes.fileDialogs.saveAnswers.push_back(FileDialogResult{path, filterIndex});
    }
    void cancelSave() { fakes.fileDialogs.saveAnswers.push_back(std::nullopt); }

    // A definition far from the start state.
    void fill(const QString& title = u"Achtung"_s,
              const QString& message = u"Zeile 1\r\nZeile 2"_s) {
        definition.selectIcon(48);
        definition.selectButtons(3);
        definition.selectDefaultButton(512);
        definition.selectCode(options::Einfach);
        definition.setTitle(title);
        definition.setMessage(message);
    }
};

// What a failed or cancelled command must leave as it was.
struct Snapshot {
    explicit Snapshot(const Window& w)
        : selections{w.definition.selectedIcon(), w.definition.selectedButtons(),
                     w.definition.selectedDefaultButton(), w.definition.selectedCode()},
          values{w.definition.state().iconValue, w.definition.state().buttonsValue,
                 w.definition.state().defaultButtonValue, w.definition.state().codeValue},
          title(w.definition.title()), message(w.definition.message()),
          dateiname(w.commands.fileName()), files(w.fakes.fileSystem.files),
          settings(w.fakes.settings.values) {}
    std::array<int, 4> selections;
    std::array<int, 4> values;
    QString title;
    QString message;
    QString dateiname;
    QMap<QString, QByteArray> files;
    QMap<QString, QString> settings;

    bool operator==(const Snapshot&) const = default;
};

char* toString(const Snapshot& s) {
    return qstrdup(
        u"icon %1 buttons %2 default %3 code %4 title \"%5\" message \"%6\" file \"%7\" %8 files"_s
            .arg(s.selections[0])
            .arg(s.selections[1])
            .arg(s.selections[2])
            .arg(s.selections[3])
            .arg(s.title, s.message, s.dateiname)
            .arg(s.files.size())
            .toUtf8()
            .constData());
}

QString report(int number) {
    return QString::number(number) + u' ' + vb::describe(number);
}

// The code the core generates for a definition built like the window's.
QString expectedCode(const Window& w, int style) {
    Definition copy;
    copy.selectIcon(w.definition.selectedIcon());
    copy.selectButtons(w.definition.selectedButtons());
    copy.selectDefaultButton(w.definition.selectedDefaultButton());
    copy.selectCode(style);
    copy.setSystemModal(w.definition.systemModal());
    copy.setHelpButton(w.definition.helpButton());
    copy.setTitle(w.definition.title());
    copy.setMessage(w.definition.message());
    return gen::generateCode(copy);
}

using Command = void (DocumentCommands::*)();

} // namespace

Q_DECLARE_METATYPE(Command)

class tst_DocumentCommands : public QObject {
    Q_OBJECT

private slots:
    void dialogRequest_data();
    void dialogRequest();
    void saveAsWritesTheFormat();
    void roundTripThroughTheCommands_data();
    void roundTripThroughTheCommands();
    void openNeverTouchesCheckBoxes();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void failedWriteChangesNothing_data();
    void failedWriteChangesNothing();
    void failedSaveAsTakesOverTheNewName();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void saveWithKnownNameAsksNothing();
    void saveWithoutNameIsSaveAs();
    void extensionSurvives();
    void newAfterChanges();
    void copyAndSourceViewShowTheGeneratedCode_data();
    void copyAndSourceViewShowTheGeneratedCode();
    void scriptExport_data();
    void scriptExport();
    void scriptDialogStartsWithLastFileType();
    void saveAfterScriptExportKeepsTheDefinitionFile();
};

void tst_DocumentCommands::dialogRequest_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("opening");
    QTest::addColumn<std::optional<QString>>("stored");
    QTest::addColumn<int>("filterIndex");

    const std::optional<QString> absent;
    QTest::newRow("open, nothing stored") << &DocumentCommands::open << true << absent << 1;
    QTest::newRow("open, 3") << &DocumentCommands::open << true << std::optional(u"3"_s) << 3;
    QTest::newRow("open, not a number")
        << &DocumentCommands::open << true << std::optional(u"abc"_s) << 1;
    QTest::newRow("open, empty") << &DocumentCommands::open << true << std::optional(QString())
                                 << 1;
    QTest::newRow("save as, 2 with blanks")
        << &DocumentCommands::saveAs << false << std::optional(u" 2 "_s) << 2;
    QTest::newRow("save as, fraction")
        << &DocumentCommands::saveAs << false << std::optional(u"2.5"_s) << 2;
    QTest::newRow("save as, zero")
        << &DocumentCommands::saveAs << false << std::optional(u"0"_s) << 1;
    QTest::newRow("save as, negative")
        << &DocumentCommands::saveAs << false << std::optional(u"-4"_s) << 1;
    QTest::newRow("save as, beyond the list is passed on")
        << &DocumentCommands::saveAs << false << std::optional(u"9"_s) << 9;
    QTest::newRow("save without a name")
        << &DocumentCommands::save << false << std::optional(u"4"_s) << 4;
}

void tst_DocumentCommands::dialogRequest() {
    QFETCH(Command, command);
    QFETCH(bool, opening);
    QFETCH(std::optional<QString>, stored);
    QFETCH(int, filterIndex);
    Window w;
    if (stored)
        w.fakes.settings.values.insert(u"Extension"_s, *stored);

    (w.commands.*command)();

    const auto& requests =
        opening ? w.fakes.fileDialogs.openRequests : w.fakes.fileDialogs.saveRequests;
    QCOMPARE(requests.size(), 1);
    QCOMPARE((opening ? w.fakes.fileDialogs.saveRequests : w.fakes.fileDialogs.openRequests).size(),
             0);
    QCOMPARE(requests[0].filter, definitionFilter);
    QCOMPARE(requests[0].initialFolder, folder);
    QCOMPARE(requests[0].initialName, QString());
    QCOMPARE(requests[0].filterIndex, filterIndex);
    // A bad stored value is not reported, and a cancel writes nothing back.
    QVERIFY(w.fakes.messageBox.shown.isEmpty());
    QVERIFY(w.fakes.settings.writes.isEmpty());
}

void tst_DocumentCommands::saveAsWritesTheFormat() {
    Window w;
    w.fill(u"Grüße \"€\""_s, u"a\r\nb"_s);
    w.answerSave(folder + u"a.ini"_s, 3);

    w.commands.saveAs();

    QVERIFY(w.fakes.messageBox.shown.isEmpty());
    QCOMPARE(w.fakes.fileSystem.files.value(folder + u"a.ini"_s),
             QByteArray(" 48 \r\n 3 \r\n 512 \r\n 2 \r\nGr\xFC\xDF"
                        "e \"\x80\"\r\na\r\nb\r\n"));
    QCOMPARE(w.commands.fileName(), folder + u"a.ini"_s);
    QCOMPARE(w.fakes.settings.values.value(u"Extension"_s), u"3"_s);
    QCOMPARE(w.fakes.session.lastFilterIndex, 3);
}

void tst_DocumentCommands::roundTripThroughTheCommands_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    QTest::newRow("umlauts") << u"Größe"_s << u"Äpfel\r\nÖl"_s;
    QTest::newRow("quotes") << u"\"T\""_s << u"\"\"x\"\""_s;
    QTest::newRow("euro") << u"€"_s << u"5 €"_s;
    QTest::newRow("omega") << u"Ω"_s << u"Ω\r\nΩ"_s;
    QTest::newRow("emoji") << u"😀"_s << u"🚀"_s;
    QTest::newRow("empty message") << u"Leer"_s << QString();
}

void tst_DocumentCommands::roundTripThroughTheCommands() {
    QFETCH(QString, title);
    QFETCH(QString, message);
    Window w;
    w.fill(title, message);
    const QString path = folder + u"x.msg"_s;
    w.answerSave(path, 1);
    w.commands.saveAs();
    w.commands.newDefinition();
    w.answerOpen(path, 2);

    w.commands.open();

    QVERIFY(w.fakes.messageBox.shown.isEmpty());
    QCOMPARE(w.definition.selectedIcon(), 48);
    QCOMPARE(w.definition.selectedButtons(), 3);
    QCOMPARE(w.definition.selectedDefaultButton(), 512);
    QCOMPARE(w.definition.selectedCode(), int(options::Einfach));
    QCOMPARE(w.definition.state().defaultButtonValue, 512);
    QCOMPARE(w.definition.state().defaultButtonName, u"vbDefaultButton3"_s);
    QCOMPARE(w.definition.state().buttonsName, u"vbYesNoCancel"_s);
    QCOMPARE(w.definition.title(), title);
    QCOMPARE(w.definition.message(), message);
    QCOMPARE(w.commands.fileName(), path);
    // Saved and opened again, the file stays the same.
    w.commands.save();
    w.commands.open();
    QCOMPARE(w.definition.message(), message);
    QCOMPARE(w.fakes.settings.values.value(u"Extension"_s), u"2"_s);

    // Opened without a dialog (file argument, drop), the file gives the same
    // definition and leaves the file type setting alone.
    const QByteArray saved = w.fakes.fileSystem.files.value(path);
    w.commands.newDefinition();
    const QStringList settingsWrites = w.fakes.settings.writes;
    QVERIFY(w.commands.openFile(path));
    QCOMPARE(w.definition.state().defaultButtonName, u"vbDefaultButton3"_s);
    QCOMPARE(definitionfile::encode(definitionfile::Content{
                 48, 3, 512, options::Einfach, w.definition.title(), w.definition.message()}),
             saved);
    QCOMPARE(w.commands.fileName(), path);
    QCOMPARE(w.fakes.settings.writes, settingsWrites);
    QVERIFY(w.fakes.messageBox.shown.isEmpty());
}

void tst_DocumentCommands::openNeverTouchesCheckBoxes() {
    Window w;
    w.fakes.fileSystem.files.insert(u"/a.msg"_s, QByteArray(" 0 \r\n 0 \r\n 0 \r\n 1 \r\nT\r\n"));
    w.definition.setSystemModal(Definition::Checked);
    w.definition.setHelpButton(Definition::Checked);
    w.answerOpen(u"/a.msg"_s);

    w.commands.open();

    QCOMPARE(w.definition.systemModal(), int(Definition::Checked));
    QCOMPARE(w.definition.helpButton(), int(Definition::Checked));
    QCOMPARE(w.definition.message(), QString()); // five lines: no message
}

void tst_DocumentCommands::failedOpenChangesNothing_data() {
    QTest::addColumn<std::optional<QByteArray>>("file"); // nullopt: no such file
    QTest::addColumn<int>("readError");                  // 0: reading works
    QTest::addColumn<int>("error");

    const std::optional<QByteArray> missing;
    QTest::newRow("missing file") << missing << 0 << int(vb::FileNotFound);
    QTest::newRow("unreadable file") << std::optional(QByteArray(" 0 \r\n"))
                                     << int(vb::PermissionDenied) << int(vb::PermissionDenied);
    QTest::newRow("empty file") << std::optional(QByteArray()) << 0 << int(vb::InputPastEndOfFile);
    QTest::newRow("truncated after four lines")
        << std::optional(QByteArray(" 64 \r\n 4 \r\n 256 \r\n 1 \r\n")) << 0
        << int(vb::InputPastEndOfFile);
    QTest::newRow("icon 7") << std::optional(QByteArray(" 7 \r\n 4 \r\n 256 \r\n 1 \r\nT\r\nM\r\n"))
                            << 0 << int(vb::SubscriptOutOfRange);
    QTest::newRow("button set 6") << std::optional(
                                         QByteArray(" 64 \r\n 6 \r\n 256 \r\n 1 \r\nT\r\nM\r\n"))
                                  << 0 << int(vb::SubscriptOutOfRange);
    QTest::newRow("default button 128")
        << std::optional(QByteArray(" 64 \r\n 4 \r\n 128 \r\n 1 \r\nT\r\nM\r\n")) << 0
        << int(vb::SubscriptOutOfRange);
    QTest::newRow("code style 4") << std::optional(
                                         QByteArray(" 64 \r\n 4 \r\n 256 \r\n 4 \r\nT\r\nM\r\n"))
                                  << 0 << int(vb::SubscriptOutOfRange);
    QTest::newRow("negative icon") << std::optional(QByteArray("-16\r\n0\r\n0\r\n0\r\nT\r\n")) << 0
                                   << int(vb::SubscriptOutOfRange);
    QTest::newRow("number too large")
        << std::optional(QByteArray("1e12\r\n0\r\n0\r\n0\r\nT\r\n")) << 0 << 6;
    QTest::newRow("NUL in the message")
        << std::optional(QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\nT\r\nM\0\r\n", 26)) << 0
        << int(vb::InvalidFileFormat);
    QTest::newRow("over 1 MiB") << std::optional(QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\nT\r\n") +
                                                 QByteArray(definitionfile::MaxFileSize, 'x'))
                                << 0 << int(vb::InvalidFileFormat);
}

void tst_DocumentCommands::failedOpenChangesNothing() {
    QFETCH(std::optional<QByteArray>, file);
    QFETCH(int, readError);
    QFETCH(int, error);
    Window w;
    w.fill();
    w.answerSave(u"/alt.msg"_s, 2);
    w.commands.saveAs();
    const QString path = u"/neu.msg"_s;
    if (file)
        w.fakes.fileSystem.files.insert(path, *file);
    if (readError)
        w.fakes.fileSystem.failReads.insert(path, readError);
    const Snapshot before(w);
    w.answerOpen(path, 4);

    // Through the dialog, and as the file argument or a drop opens it.
    w.commands.open();
    QVERIFY(!w.commands.openFile(path));

    QCOMPARE(Snapshot(w), before);
    QCOMPARE(w.definition.state().defaultButtonName, u"vbDefaultButton3"_s);
    QCOMPARE(w.fakes.messageBox.shown.size(), 2);
    for (const MessageBoxRequest& shown : w.fakes.messageBox.shown) {
        QVERIFY(shown.text.startsWith(report(error)));
        QCOMPARE(shown.title, u"frmMsgBox_mnuLaden_Click"_s);
        QCOMPARE(shown.style, int(vb::vbCritical));
    }
}

void tst_DocumentCommands::failedWriteChangesNothing_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("title");

    QTest::newRow("save") << &DocumentCommands::save << u"frmMsgBox_mnuSpeicher_Click"_s;
    QTest::newRow("save as") << &DocumentCommands::saveAs << u"frmMsgBox_mnuSpeichernUnter_Click"_s;
    QTest::newRow("script") << &DocumentCommands::exportScript
                            << u"frmMsgBox_mnuSpeichernVBS_Click"_s;
}

void tst_DocumentCommands::failedWriteChangesNothing() {
    QFETCH(Command, command);
    QFETCH(QString, title);
    Window w;
    w.fill();
    const QString current = u"/daten/alt.msg"_s;
    w.answerSave(current, 2);
    w.commands.saveAs();
    w.definition.setTitle(u"geändert"_s);
    // The dialogs offer the file that is already there; writing it fails.
    w.fakes.fileSystem.failWrites.insert(current, vb::DiskFull);
    w.answerSave(current, 3);
    w.fakes.messageBox.answers.push_back(vb::vbYes);
    const Snapshot before(w);

    (w.commands.*command)();

    QCOMPARE(w.fakes.fileSystem.files.value(current), before.files.value(current));
    QCOMPARE(w.commands.fileName(), current);
    QCOMPARE(w.fakes.settings.values, before.settings);
    const auto& shown = w.fakes.messageBox.shown;
    QCOMPARE(shown.last().text, report(vb::DiskFull));
    QCOMPARE(shown.last().title, title);
    QCOMPARE(shown.last().style, int(vb::vbCritical));
}

void tst_DocumentCommands::failedSaveAsTakesOverTheNewName() {
    // Save As to keep file A unchanged; writing B fails. The next Save must
    // try B again, never overwrite A.
    Window w;
    w.fill();
    const QString a = u"/daten/a.msg"_s;
    const QString b = u"/voll/b.msg"_s;
    w.answerSave(a, 2);
    w.commands.saveAs();
    const QByteArray fileA = w.fakes.fileSystem.files.value(a);
    w.definition.setTitle(u"geändert"_s);
    w.fakes.fileSystem.failWrites.insert(b, vb::DiskFull);
    w.answerSave(b, 3);

    w.commands.saveAs();
    QCOMPARE(w.commands.fileName(), b);
    QCOMPARE(w.fakes.settings.values.value(u"Extension"_s), u"2"_s); // only after a write
    w.commands.save();

    QCOMPARE(w.fakes.messageBox.shown.size(), 2);
    QCOMPARE(w.fakes.messageBox.shown[0].title, u"frmMsgBox_mnuSpeichernUnter_Click"_s);
    QCOMPARE(w.fakes.messageBox.shown[1].title, u"frmMsgBox_mnuSpeicher_Click"_s);
    QCOMPARE(w.fakes.messageBox.shown[1].text, report(vb::DiskFull));
    QCOMPARE(w.fakes.fileSystem.files.value(a), fileA);
    QVERIFY(!w.fakes.fileSystem.files.contains(b));
}

void tst_DocumentCommands::cancelChangesNothing_data() {
    QTest::addColumn<Command>("command");

    QTest::newRow("open") << &DocumentCommands::open;
    QTest::newRow("save as") << &DocumentCommands::saveAs;
    QTest::newRow("save without a name") << &DocumentCommands::save;
    QTest::newRow("script") << &DocumentCommands::exportScript;
}

void tst_DocumentCommands::cancelChangesNothing() {
    QFETCH(Command, command);
    Window w;
    w.fill();
    w.fakes.settings.values.insert(u"Extension"_s, u"2"_s);
    const Snapshot before(w);

    (w.commands.*command)();

    QCOMPARE(Snapshot(w), before);
    QVERIFY(w.fakes.messageBox.shown.isEmpty());
    QCOMPARE(w.fakes.fileSystem.writeCount, 0);
    QCOMPARE(w.fakes.fileDialogs.openRequests.size() + w.fakes.fileDialogs.saveRequests.size(), 1);
}

void tst_DocumentCommands::overwriteQuestion_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<int>("answer");

    QTest::newRow("save as, yes") << &DocumentCommands::saveAs << int(vb::vbYes);
    QTest::newRow("save as, no") << &DocumentCommands::saveAs << int(vb::vbNo);
    QTest::newRow("script, yes") << &DocumentCommands::exportScript << int(vb::vbYes);
    QTest::newRow("script, no") << &DocumentCommands::exportScript << int(vb::vbNo);
}

void tst_DocumentCommands::overwriteQuestion() {
    QFETCH(Command, command);
    QFETCH(int, answer);
    Window w;
    w.fill();
    const QString path = folder + u"vorhanden.txt"_s;
    w.fakes.fileSystem.files.insert(path, QByteArray("alt"));
    w.answerSave(path, 4);
    w.fakes.messageBox.answers.push_back(answer);
    const Snapshot before(w);

    (w.commands.*command)();

    QCOMPARE(w.fakes.messageBox.shown.size(), 1);
    const MessageBoxRequest& question = w.fakes.messageBox.shown[0];
    QCOMPARE(question.text, u"Datei bereits vorhanden, überschreiben?"_s);
    QCOMPARE(question.title, u"Sicherheitshinweis"_s);
    QCOMPARE(question.style, 292);
    const bool script = command == &DocumentCommands::exportScript;
    if (answer == vb::vbNo) {
        QCOMPARE(Snapshot(w), before);
        QCOMPARE(w.fakes.fileSystem.writeCount, 0);
        return;
    }
    QVERIFY(w.fakes.fileSystem.files.value(path) != "alt");
    QCOMPARE(w.commands.fileName(), script ? QString() : path);
    QCOMPARE(w.fakes.settings.values.value(u"Extension"_s), script ? QString() : u"4"_s);
    QCOMPARE(w.definition.selectedCode(), script ? int(options::Vbs) : int(options::Einfach));
}

void tst_DocumentCommands::saveWithKnownNameAsksNothing() {
    Window w;
    w.fill();
    const QString path = folder + u"a.dat"_s;
    w.answerSave(path, 2);
    w.commands.saveAs();
    w.fakes.settings.values.insert(u"Extension"_s, u"1"_s);
    w.definition.selectIcon(16);
    w.definition.setMessage(u"neu"_s);

    w.commands.save();

    QCOMPARE(w.fakes.fileDialogs.saveRequests.size(), 1);
    QVERIFY(w.fakes.messageBox.shown.isEmpty());
    QCOMPARE(w.fakes.settings.values.value(u"Extension"_s), u"1"_s);
    QCOMPARE(w.fakes.fileSystem.files.value(path),
             QByteArray(" 16 \r\n 3 \r\n 512 \r\n 2 \r\nAchtung\r\nneu\r\n"));
}

void tst_DocumentCommands::saveWithoutNameIsSaveAs() {
    Window w;
    w.fill();
    w.cancelSave();
    w.commands.save();
    QCOMPARE(w.fakes.fileDialogs.saveRequests.size(), 1);
    QCOMPARE(w.fakes.fileSystem.writeCount, 0);
    QVERIFY(w.fakes.messageBox.shown.isEmpty());

    const QString path = folder + u"b.msg"_s;
    w.fakes.fileSystem.files.insert(path, QByteArray("alt"));
    w.answerSave(path, 2);
    w.fakes.messageBox.answers.push_back(vb::vbYes);
    w.commands.save();
    QCOMPARE(w.fakes.messageBox.shown.size(), 1); // the overwrite question, as in Save As
    QCOMPARE(w.commands.fileName(), path);
    QCOMPARE(w.fakes.settings.values.value(u"Extension"_s), u"2"_s);
    QVERIFY(w.fakes.fileSystem.files.value(path).startsWith(" 48 \r\n"));
}

void tst_DocumentCommands::extensionSurvives() {
    Window first;
    first.fill();
    first.answerSave(u"/x.ini"_s, 3);
    first.commands.saveAs();
    QVERIFY(first.fakes.settings.writes.contains(u"Extension"_s));
    QVERIFY(first.fakes.settings.flushes > 0);

    // A later run starts with the stored settings only.
    Window second;
    second.fakes.settings.values = first.fakes.settings.values;
    second.commands.open();
    QCOMPARE(second.fakes.fileDialogs.openRequests.at(0).filterIndex, 3);
}

void tst_DocumentCommands::newAfterChanges() {
    Window w;
    w.fill();
    w.definition.selectCode(options::Vbs);
    w.definition.setSystemModal(Definition::Checked);
    w.answerSave(u"/a.msg"_s);
    w.commands.saveAs();
    const QMap<QString, QString> settings = w.fakes.settings.values;

    w.commands.newDefinition();

    QCOMPARE(w.definition.selectedIcon(), 0);
    QCOMPARE(w.definition.selectedButtons(), 0);
    QCOMPARE(w.definition.selectedDefaultButton(), 0);
    QCOMPARE(w.definition.selectedCode(), int(options::SelectCase));
    const Definition::State& state = w.definition.state();
    QCOMPARE(state.iconValue, 0);
    QCOMPARE(state.iconName, QString());
    QCOMPARE(state.buttonsName, u"vbOKOnly"_s);
    QCOMPARE(state.defaultButtonValue, 0);
    QCOMPARE(state.codeValue, 0);
    QCOMPARE(w.definition.title(), QString());
    QCOMPARE(w.definition.message(), QString());
    QCOMPARE(w.definition.systemModal(), int(Definition::Checked));
    QCOMPARE(w.commands.fileName(), QString());
    QCOMPARE(w.fakes.settings.values, settings);
    QVERIFY(w.fakes.messageBox.shown.isEmpty());

    // Without a file name Save asks for one.
    w.commands.save();
    QCOMPARE(w.fakes.fileDialogs.saveRequests.size(), 2);
}

void tst_DocumentCommands::copyAndSourceViewShowTheGeneratedCode_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("message");

    QTest::newRow("Select Case") << int(options::SelectCase) << u"Weiter?"_s;
    QTest::newRow("If Then Else") << int(options::IfThenElse) << u"Zeile 1\r\nZeile 2"_s;
    QTest::newRow("einfach") << int(options::Einfach) << u"\"Zitat\" ä €"_s;
    QTest::newRow("VBS, long message")
        << int(options::Vbs)
        << u"Eine Meldung, die deutlich länger als fünfzig Zeichen ist, bekommt Msg."_s;
}

void tst_DocumentCommands::copyAndSourceViewShowTheGeneratedCode() {
    QFETCH(int, style);
    QFETCH(QString, message);
    Window w;
    w.fill(u"Titel"_s, message);
    w.definition.selectCode(style);
    w.definition.setSystemModal(Definition::Checked);
    const QString expected = expectedCode(w, style);
    QVERIFY(!expected.isEmpty());
    w.fakes.clipboard.setText(u"alt"_s);

    w.commands.copyCode();
    QCOMPARE(w.fakes.clipboard.clears, 1);
    QCOMPARE(w.fakes.clipboard.text, expected);

    w.fakes.clipboard.setText(u"unberührt"_s);
    w.commands.showSource();
    QCOMPARE(w.fakes.messageBox.shown.size(), 1);
    QCOMPARE(w.fakes.messageBox.shown[0].text, expected);
    QCOMPARE(w.fakes.messageBox.shown[0].title, u"Quellcode"_s);
    QCOMPARE(w.fakes.messageBox.shown[0].style, 0);
    QVERIFY(w.fakes.messageBox.shown[0].keepLines);
    QCOMPARE(w.fakes.clipboard.text, u"unberührt"_s);
    QCOMPARE(w.fakes.fileSystem.writeCount, 0);

    // Generation keeps no state: a second copy gives the same text.
    w.commands.copyCode();
    QCOMPARE(w.fakes.clipboard.text, expected);
    QCOMPARE(w.definition.selectedCode(), style);
}

void tst_DocumentCommands::scriptExport_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("unicode");

    QTest::newRow("from Select Case") << int(options::SelectCase) << u"Hallo"_s << false;
    QTest::newRow("from If Then Else, umlauts")
        << int(options::IfThenElse) << u"Grüße\r\n€"_s << false;
    QTest::newRow("from einfach, omega") << int(options::Einfach) << u"Ω"_s << true;
    QTest::newRow("from VBS, emoji") << int(options::Vbs) << u"😀"_s << true;
}

void tst_DocumentCommands::scriptExport() {
    QFETCH(int, style);
    QFETCH(QString, message);
    QFETCH(bool, unicode);
    Window w;
    w.fill(u"Titel"_s, message);
    w.definition.selectCode(style);
    const QString expected = expectedCode(w, options::Vbs) + u"\r\n"_s;
    const QString path = folder + u"skript.vbs"_s;
    w.answerSave(path, 1);

    w.commands.exportScript();

    QVERIFY(w.fakes.messageBox.shown.isEmpty());
    const QByteArray bytes = w.fakes.fileSystem.files.value(path);
    if (unicode) {
        QByteArray utf16("\xFF\xFE");
        utf16.append(reinterpret_cast<const char*>(expected.utf16()), expected.size() * 2);
        QCOMPARE(bytes, utf16);
    } else {
        QCOMPARE(bytes, textcodec::encode(expected, textcodec::Fallback::Utf16LeWithBom));
        QVERIFY(!bytes.startsWith("\xFF\xFE"));
    }
    QVERIFY(bytes.endsWith(unicode ? QByteArray("\r\0\n\0", 4) : QByteArray("\r\n")));
    QVERIFY(!expected.chopped(2).endsWith(u'\n'));
    QCOMPARE(w.definition.selectedCode(), int(options::Vbs));
    QCOMPARE(w.definition.state().codeValue, int(options::Vbs));
    QCOMPARE(w.commands.fileName(), QString());
    QVERIFY(!w.fakes.settings.writes.contains(u"Extension"_s));
}

void tst_DocumentCommands::scriptDialogStartsWithLastFileType() {
    Window w;
    w.fakes.settings.values.insert(u"Extension"_s, u"3"_s);
    w.answerSave(u"/a.ini"_s, 3);
    w.commands.saveAs();

    w.answerSave(u"/a.vbs"_s, 2);
    w.commands.exportScript();
    const FileDialogRequest& request = w.fakes.fileDialogs.saveRequests.at(1);
    QCOMPARE(request.filter, scriptFilter);
    QCOMPARE(request.filterIndex, 3);
    QCOMPARE(request.initialFolder, folder);
    QCOMPARE(request.initialName, QString());
    QCOMPARE(w.fakes.session.lastFilterIndex, 2);
    QCOMPARE(w.fakes.settings.values.value(u"Extension"_s), u"3"_s);

    // A cancelled definition dialog leaves the type it opened with.
    w.commands.open();
    QCOMPARE(w.fakes.session.lastFilterIndex, 3);
    w.cancelSave();
    w.commands.exportScript();
    QCOMPARE(w.fakes.fileDialogs.saveRequests.at(2).filterIndex, 3);
}

void tst_DocumentCommands::saveAfterScriptExportKeepsTheDefinitionFile() {
    Window w;
    w.fill();
    w.answerSave(u"/skript.vbs"_s);
    w.commands.exportScript();
    // No definition file yet: Save asks.
    w.cancelSave();
    w.commands.save();
    QCOMPARE(w.fakes.fileDialogs.saveRequests.size(), 2);
    QCOMPARE(w.fakes.fileDialogs.saveRequests.at(1).filter, definitionFilter);

    w.answerSave(u"/def.msg"_s);
    w.commands.saveAs();
    w.answerSave(u"/skript2.vbs"_s);
    w.commands.exportScript();
    w.definition.setTitle(u"später"_s);
    w.commands.save();
    QCOMPARE(w.commands.fileName(), u"/def.msg"_s);
    QVERIFY(w.fakes.fileSystem.files.value(u"/def.msg"_s).contains("sp\xE4ter"));
    QVERIFY(!w.fakes.fileSystem.files.value(u"/skript2.vbs"_s).contains("sp\xE4ter"));
}

QTEST_GUILESS_MAIN(tst_DocumentCommands)
#include "tst_documentcommands.moc"
