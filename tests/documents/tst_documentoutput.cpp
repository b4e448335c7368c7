// New, Copy, the source view and the script export through the document
// commands.

#include "documents/codeexport.h"
#include "tests/documents/commandwindow.h"

class tst_DocumentOutput : public QObject {
    Q_OBJECT

private slots:
    void newAfterChanges();
    void copyAndSourceViewShowTheGeneratedCode_data();
    void copyAndSourceViewShowTheGeneratedCode();
    void scriptExport_data();
    void scriptExport();
    void scriptDialogStartsWithLastFileType();
    void saveAfterScriptExportKeepsTheDefinitionFile();
    void commentLineEndsTheComment_data();
    void commentLineEndsTheComment();
};

void tst_DocumentOutput::newAfterChanges() {
    Window w;
    w.fill();
    w.definition.selectCode(int(msgbox::CodeStyle::Vbs));
    w.definition.setSystemModal(Definition::Checked);
    w.answerSave(u"/a.msg"_s);
    w.commands.saveAs();
    const QMap<QString, QString> settings = w.fakes.settings.values;

    w.commands.newDefinition();

    msgbox::Value start;
    start.defaultButton = msgbox::DefaultButton::First;
    start.systemModal = true;
    QCOMPARE(w.definition.value(), start);
    QCOMPARE(w.commands.fileName(), QString());
    QCOMPARE(w.fakes.settings.values, settings);
    QVERIFY(w.fakes.messageBox.shown.isEmpty());

    // Without a file name Save asks for one.
    w.commands.save();
    QCOMPARE(w.fakes.fileDialogs.saveRequests.size(), 2);
}

void tst_DocumentOutput::copyAndSourceViewShowTheGeneratedCode_data() {
    QTest::addColumn<msgbox::CodeStyle>("style");
    QTest::addColumn<QString>("message");

    QTest::newRow("Select Case") << msgbox::CodeStyle::SelectCase << u"Weiter?"_s;
    QTest::newRow("If Then Else") << msgbox::CodeStyle::IfThenElse << u"Zeile 1\r\nZeile 2"_s;
    QTest::newRow("einfach") << msgbox::CodeStyle::Einfach << u"\"Zitat\" ä €"_s;
    QTest::newRow("VBS, long message")
        << msgbox::CodeStyle::Vbs
        << u"Eine Meldung, die deutlich länger als fünfzig Zeichen ist, bekommt Msg."_s;
}

void tst_DocumentOutput::copyAndSourceViewShowTheGeneratedCode() {
    QFETCH(msgbox::CodeStyle, style);
    QFETCH(QString, message);
    Window w;
    w.fill(u"Titel"_s, message);
    w.definition.selectCode(int(style));
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
    QCOMPARE(w.definition.value().code, style);
}

void tst_DocumentOutput::scriptExport_data() {
    QTest::addColumn<msgbox::CodeStyle>("style");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("unicode");

    QTest::newRow("from Select Case") << msgbox::CodeStyle::SelectCase << u"Hallo"_s << false;
    QTest::newRow("from If Then Else, umlauts")
        << msgbox::CodeStyle::IfThenElse << u"Grüße\r\n€"_s << false;
    QTest::newRow("from einfach, omega") << msgbox::CodeStyle::Einfach << u"Ω"_s << true;
    QTest::newRow("from VBS, emoji") << msgbox::CodeStyle::Vbs << u"😀"_s << true;
}

void tst_DocumentOutput::scriptExport() {
    QFETCH(msgbox::CodeStyle, style);
    QFETCH(QString, message);
    QFETCH(bool, unicode);
    Window w;
    w.fill(u"Titel"_s, message);
    w.definition.selectCode(int(style));
    const QString expected = expectedCode(w, msgbox::CodeStyle::Vbs) + u"\r\n"_s;
    const QString path = folder + u"skript.vbs"_s;
    w.answerSave(path, 1);
    // The script is VBScript whatever language Copy writes.
    w.commands.chooseLanguage(lang::Language::C);

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
    QCOMPARE(w.definition.value().code, msgbox::CodeStyle::Vbs);
    QCOMPARE(w.commands.fileName(), QString());
    QVERIFY(!w.fakes.settings.writes.contains(u"Extension"_s));
}

void tst_DocumentOutput::scriptDialogStartsWithLastFileType() {
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

void tst_DocumentOutput::saveAfterScriptExportKeepsTheDefinitionFile() {
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

// The comment line before each file of --code: a last character that would
// continue the comment over the code's first line is shown as "?".
void tst_DocumentOutput::commentLineEndsTheComment_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    const int basic = int(lang::Language::Basic);
    const int c = int(lang::Language::C);
    QTest::newRow("Basic, _ after a blank") << basic << u"b _"_s << u"' b ?"_s;
    QTest::newRow("Basic, _ in a word") << basic << u"b_"_s << u"' b_"_s;
    QTest::newRow("Basic, backslash") << basic << u"b\\"_s << u"' b\\"_s;
    QTest::newRow("C, backslash") << c << u"a\\"_s << u"// a?"_s;
    QTest::newRow("C, backslash and blank") << c << u"a\\ "_s << u"// a? "_s;
    QTest::newRow("C, _ after a blank") << c << u"a _"_s << u"// a _"_s;
}

void tst_DocumentOutput::commentLineEndsTheComment() {
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, line);
    QCOMPARE(codeexport::commentLine(lang::Language(language), name), line);
}

QTEST_GUILESS_MAIN(tst_DocumentOutput)
#include "tst_documentoutput.moc"
