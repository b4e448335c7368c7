// Open, Save and Save As through the document commands: the dialogs, the file
// format, the overwrite question and every failure and cancel.

#include "tests/documents/commandwindow.h"

class tst_OpenSave : public QObject {
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
};

void tst_OpenSave::dialogRequest_data() {
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

void tst_OpenSave::dialogRequest() {
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

void tst_OpenSave::saveAsWritesTheFormat() {
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

void tst_OpenSave::roundTripThroughTheCommands_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    QTest::newRow("umlauts") << u"Größe"_s << u"Äpfel\r\nÖl"_s;
    QTest::newRow("quotes") << u"\"T\""_s << u"\"\"x\"\""_s;
    QTest::newRow("euro") << u"€"_s << u"5 €"_s;
    QTest::newRow("omega") << u"Ω"_s << u"Ω\r\nΩ"_s;
    QTest::newRow("emoji") << u"😀"_s << u"🚀"_s;
    QTest::newRow("empty message") << u"Leer"_s << QString();
}

void tst_OpenSave::roundTripThroughTheCommands() {
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
    QCOMPARE(w.definition.selectedCode(), int(msgbox::CodeStyle::Einfach));
    QCOMPARE(w.definition.value().defaultButton, msgbox::DefaultButton::Third);
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
    QCOMPARE(w.definition.value().defaultButton, msgbox::DefaultButton::Third);
    QCOMPARE(definitionfile::encode(w.definition.value()), saved);
    QCOMPARE(w.commands.fileName(), path);
    QCOMPARE(w.fakes.settings.writes, settingsWrites);
    QVERIFY(w.fakes.messageBox.shown.isEmpty());
}

void tst_OpenSave::openNeverTouchesCheckBoxes() {
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

void tst_OpenSave::failedOpenChangesNothing_data() {
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

void tst_OpenSave::failedOpenChangesNothing() {
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
    QCOMPARE(w.fakes.messageBox.shown.size(), 2);
    for (const MessageBoxRequest& shown : w.fakes.messageBox.shown) {
        QVERIFY(shown.text.startsWith(report(error)));
        QCOMPARE(shown.title, u"frmMsgBox_mnuLaden_Click"_s);
        QCOMPARE(shown.style, 16);
    }
}

void tst_OpenSave::failedWriteChangesNothing_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("title");

    QTest::newRow("save") << &DocumentCommands::save << u"frmMsgBox_mnuSpeicher_Click"_s;
    QTest::newRow("save as") << &DocumentCommands::saveAs << u"frmMsgBox_mnuSpeichernUnter_Click"_s;
    QTest::newRow("script") << &DocumentCommands::exportScript
                            << u"frmMsgBox_mnuSpeichernVBS_Click"_s;
}

void tst_OpenSave::failedWriteChangesNothing() {
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
    w.fakes.messageBox.answers.push_back(msgbox::Answer::Yes);
    const Snapshot before(w);

    (w.commands.*command)();

    QCOMPARE(w.fakes.fileSystem.files.value(current), before.files.value(current));
    QCOMPARE(w.commands.fileName(), current);
    QCOMPARE(w.fakes.settings.values, before.settings);
    const auto& shown = w.fakes.messageBox.shown;
    QCOMPARE(shown.last().text, report(vb::DiskFull));
    QCOMPARE(shown.last().title, title);
    QCOMPARE(shown.last().style, 16);
}

void tst_OpenSave::failedSaveAsTakesOverTheNewName() {
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

void tst_OpenSave::cancelChangesNothing_data() {
    QTest::addColumn<Command>("command");

    QTest::newRow("open") << &DocumentCommands::open;
    QTest::newRow("save as") << &DocumentCommands::saveAs;
    QTest::newRow("save without a name") << &DocumentCommands::save;
    QTest::newRow("script") << &DocumentCommands::exportScript;
}

void tst_OpenSave::cancelChangesNothing() {
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

void tst_OpenSave::overwriteQuestion_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<msgbox::Answer>("answer");

    QTest::newRow("save as, yes") << &DocumentCommands::saveAs << msgbox::Answer::Yes;
    QTest::newRow("save as, no") << &DocumentCommands::saveAs << msgbox::Answer::No;
    QTest::newRow("script, yes") << &DocumentCommands::exportScript << msgbox::Answer::Yes;
    QTest::newRow("script, no") << &DocumentCommands::exportScript << msgbox::Answer::No;
}

void tst_OpenSave::overwriteQuestion() {
    QFETCH(Command, command);
    QFETCH(msgbox::Answer, answer);
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
    if (answer == msgbox::Answer::No) {
        QCOMPARE(Snapshot(w), before);
        QCOMPARE(w.fakes.fileSystem.writeCount, 0);
        return;
    }
    QVERIFY(w.fakes.fileSystem.files.value(path) != "alt");
    QCOMPARE(w.commands.fileName(), script ? QString() : path);
    QCOMPARE(w.fakes.settings.values.value(u"Extension"_s), script ? QString() : u"4"_s);
    QCOMPARE(w.definition.value().code,
             script ? msgbox::CodeStyle::Vbs : msgbox::CodeStyle::Einfach);
}

void tst_OpenSave::saveWithKnownNameAsksNothing() {
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

void tst_OpenSave::saveWithoutNameIsSaveAs() {
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
    w.fakes.messageBox.answers.push_back(msgbox::Answer::Yes);
    w.commands.save();
    QCOMPARE(w.fakes.messageBox.shown.size(), 1); // the overwrite question, as in Save As
    QCOMPARE(w.commands.fileName(), path);
    QCOMPARE(w.fakes.settings.values.value(u"Extension"_s), u"2"_s);
    QVERIFY(w.fakes.fileSystem.files.value(path).startsWith(" 48 \r\n"));
}

void tst_OpenSave::extensionSurvives() {
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

QTEST_GUILESS_MAIN(tst_OpenSave)
#include "tst_opensave.moc"
