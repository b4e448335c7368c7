#include "core/definition.h"
#include "core/optiontables.h"
#include "core/vberror.h"
#include "documents/commands.h"
#include "platform/fakes/fakes.h"
#include "platform/qtfilesystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

// The commands on real files, with fakes for everything else.
struct Window {
    FakeServices fakes;
    QtFileSystem disk;
    Services services{
        fakes.messageBox, fakes.appSettings, fakes.clipboard,      fakes.fileDialogs, disk,
        fakes.shell,      fakes.appFacts,    fakes.specialFolders, fakes.session};
    Definition definition;
    DocumentCommands commands{definition, services};

    void answerSave(const QString& path) {
        fakes.fileDialogs.saveAnswers.push_back(FileDialogResult{path, 1});
    }
    void answerOpen(const QString& path) {
        fakes.fileDialogs.openAnswers.push_back(FileDialogResult{path, 1});
    }
};

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Permissions mean nothing to the superuser, so tests of them are skipped
// when the folder can still be written.
bool permissionsApply(const QString& folder) {
    QFile probe(folder + u"/probe"_s);
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        return false;
    }
    return true;
}

using Command = void (DocumentCommands::*)();

} // namespace

Q_DECLARE_METATYPE(Command)

class tst_DocumentFiles : public QObject {
    Q_OBJECT

private slots:
    void roundTripOnDisk();
    void missingFolderOnWrite_data();
    void missingFolderOnWrite();
    void readOnlyFolder_data();
    void readOnlyFolder();
    void readOnlyFileKeepsItsContent();
    void openFailures_data();
    void openFailures();
    void folderInPlaceOfTheFile();
};

void tst_DocumentFiles::roundTripOnDisk() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Window w;
    w.definition.selectIcon(64);
    w.definition.selectButtons(1);
    w.definition.selectDefaultButton(256);
    w.definition.setTitle(u"Ärger €"_s);
    w.definition.setMessage(u"Ω\r\nzwei"_s);
    const QString path = dir.filePath(u"ä ö.msg"_s);
    w.answerSave(path);
    w.commands.saveAs();
    QVERIFY(w.fakes.messageBox.shown.isEmpty());
    QCOMPARE(contentOf(path),
             u"\uFEFF 64 \r\n 1 \r\n 256 \r\n 0 \r\nÄrger €\r\nΩ\r\nzwei\r\n"_s.toUtf8());

    Window other;
    other.answerOpen(path);
    other.commands.open();
    QVERIFY(other.fakes.messageBox.shown.isEmpty());
    QCOMPARE(other.definition.selectedDefaultButton(), 256);
    QCOMPARE(other.definition.title(), u"Ärger €"_s);
    QCOMPARE(other.definition.message(), u"Ω\r\nzwei"_s);
}

void tst_DocumentFiles::missingFolderOnWrite_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("title");

    QTest::newRow("save as") << &DocumentCommands::saveAs << u"frmMsgBox_mnuSpeichernUnter_Click"_s;
    QTest::newRow("save") << &DocumentCommands::save << u"frmMsgBox_mnuSpeicher_Click"_s;
    QTest::newRow("script") << &DocumentCommands::exportScript
                            << u"frmMsgBox_mnuSpeichernVBS_Click"_s;
}

void tst_DocumentFiles::missingFolderOnWrite() {
    QFETCH(Command, command);
    QFETCH(QString, title);
    QTemporaryDir dir;
    Window w;
    // A definition file in a folder that disappears afterwards.
    QVERIFY(QDir(dir.path()).mkdir(u"weg"_s));
    const QString path = dir.filePath(u"weg/a.msg"_s);
    w.answerSave(path);
    w.commands.saveAs();
    QVERIFY(QDir(dir.filePath(u"weg"_s)).removeRecursively());
    w.answerSave(path);

    (w.commands.*command)();

    QCOMPARE(w.fakes.messageBox.shown.size(), 1);
    QCOMPARE(w.fakes.messageBox.shown[0].title, title);
    QVERIFY(w.fakes.messageBox.shown[0].text.startsWith(QString::number(vb::PathNotFound) + u' '));
    QCOMPARE(w.commands.fileName(), path);
    QVERIFY(!QFileInfo::exists(path));
}

void tst_DocumentFiles::readOnlyFolder_data() {
    QTest::addColumn<Command>("command");

    QTest::newRow("save as") << &DocumentCommands::saveAs;
    QTest::newRow("script") << &DocumentCommands::exportScript;
}

void tst_DocumentFiles::readOnlyFolder() {
    QFETCH(Command, command);
    QTemporaryDir dir;
    const QString locked = dir.filePath(u"gesperrt"_s);
    QVERIFY(QDir(dir.path()).mkdir(u"gesperrt"_s));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto unlock = qScopeGuard([&] {
        QFile::setPermissions(locked, QFileDevice::WriteOwner | QFileDevice::ReadOwner |
                                          QFileDevice::ExeOwner);
    });
    if (!permissionsApply(locked))
        QSKIP("the folder stays writable for this user");
    Window w;
    w.answerSave(locked + u"/neu.msg"_s);

    (w.commands.*command)();

    QCOMPARE(w.fakes.messageBox.shown.size(), 1);
    QVERIFY(
        w.fakes.messageBox.shown[0].text.startsWith(QString::number(vb::PermissionDenied) + u' '));
    // Save As has taken over the name it could not write to.
    const bool script = command == &DocumentCommands::exportScript;
    QCOMPARE(w.commands.fileName(), script ? QString() : locked + u"/neu.msg"_s);
    QVERIFY(QDir(locked).isEmpty());
}

void tst_DocumentFiles::readOnlyFileKeepsItsContent() {
    QTemporaryDir dir;
    Window w;
    const QString path = dir.filePath(u"a.msg"_s);
    w.answerSave(path);
    w.commands.saveAs();
    const QByteArray before = contentOf(path);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
    if (QFile probe(path); probe.open(QIODevice::Append))
        QSKIP("the file stays writable for this user");
    w.definition.setTitle(u"neu"_s);

    w.commands.save();

    QCOMPARE(w.fakes.messageBox.shown.size(), 1);
    QCOMPARE(w.fakes.messageBox.shown[0].title, u"frmMsgBox_mnuSpeicher_Click"_s);
    QVERIFY(
        w.fakes.messageBox.shown[0].text.startsWith(QString::number(vb::PermissionDenied) + u' '));
    QCOMPARE(contentOf(path), before);
}

void tst_DocumentFiles::openFailures_data() {
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<int>("error");

    QTest::newRow("missing file") << u"fehlt.msg"_s << int(vb::FileNotFound);
    QTest::newRow("missing folder") << u"fehlt/a.msg"_s << int(vb::PathNotFound);
    QTest::newRow("truncated file") << u"kurz.msg"_s << int(vb::InputPastEndOfFile);
    // Opening a pipe for reading would wait for a writer: refused at once.
    QTest::newRow("named pipe") << u"pipe.msg"_s << int(vb::PathFileAccessError);
    QTest::newRow("endless device") << u"/dev/zero"_s << int(vb::PathFileAccessError);
    QTest::newRow("over 1 MiB") << u"gross.msg"_s << int(vb::InvalidFileFormat);
    // A program holds NUL bytes; no definition does.
    QTest::newRow("a program") << u"programm.msg"_s << int(vb::InvalidFileFormat);
}

void tst_DocumentFiles::openFailures() {
    QFETCH(QString, relativePath);
    QFETCH(int, error);
    QTemporaryDir dir;
    put(dir.filePath(u"kurz.msg"_s), " 64 \r\n 4 \r\n");
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(u"pipe.msg"_s)).constData(), 0600), 0);
    put(dir.filePath(u"gross.msg"_s),
        " 0 \r\n 0 \r\n 0 \r\n 0 \r\nT\r\n" + QByteArray(2 * 1024 * 1024, 'x'));
    QFile program(QCoreApplication::applicationFilePath());
    QVERIFY(program.open(QIODevice::ReadOnly));
    put(dir.filePath(u"programm.msg"_s), program.read(64 * 1024));
    Window w;
    w.definition.selectIcon(32);
    w.definition.setTitle(u"bleibt"_s);
    w.answerOpen(QDir(dir.path()).filePath(relativePath));

    w.commands.open();

    QCOMPARE(w.fakes.messageBox.shown.size(), 1);
    QCOMPARE(w.fakes.messageBox.shown[0].title, u"frmMsgBox_mnuLaden_Click"_s);
    const QString& text = w.fakes.messageBox.shown[0].text;
    QVERIFY2(text.startsWith(QString::number(error) + u' ' + vb::describe(error)),
             qPrintable(text));
    // A file refused for its size says which size is allowed.
    QCOMPARE(text.contains(u"1 MiB"_s), relativePath == u"gross.msg"_s);
    QCOMPARE(w.definition.selectedIcon(), 32);
    QCOMPARE(w.definition.title(), u"bleibt"_s);
    QCOMPARE(w.commands.fileName(), QString());
}

void tst_DocumentFiles::folderInPlaceOfTheFile() {
    QTemporaryDir dir;
    Window w;
    w.answerSave(dir.path());
    w.commands.saveAs();
    QCOMPARE(w.fakes.messageBox.shown.size(), 1);
    QVERIFY(w.fakes.messageBox.shown[0].text.startsWith(QString::number(vb::PathFileAccessError) +
                                                        u' '));
    QVERIFY(QFileInfo(dir.path()).isDir());
    // Refused before the name is taken over: nothing changes.
    QCOMPARE(w.commands.fileName(), QString());
}

QTEST_GUILESS_MAIN(tst_DocumentFiles)
#include "tst_documentfiles.moc"
