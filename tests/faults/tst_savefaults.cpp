// Saving under faults of the outside world, through the real file layer:
// a full disk, a folder that vanishes while the dialog is open, a
// write-protected file. Whatever goes wrong, the old file stays as it was,
// no stray file is left beside it, the failure is reported, and the next
// save works once the fault is gone.
#include "core/definition.h"
#include "core/optiontables.h"
#include "core/vberror.h"
#include "documents/commands.h"
#include "platform/fakes/fakes.h"
#include "platform/qtfilesystem.h"
#include "tests/faults/smalldisk.h"
#include "tests/platform/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

using Command = void (DocumentCommands::*)();

// What goes wrong between the file dialog and the write.
enum class Fault { SmallDisk, FullDisk, FileSizeLimit, FolderVanishes, ReadOnlyFile };

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A save dialog that runs something while it is open, as a user who
// deletes the folder in a file manager meanwhile would.
class MeddlingDialogs : public FakeFileDialogs {
public:
    std::optional<FileDialogResult> save(const FileDialogRequest& request) override {
        if (whileOpen)
            whileOpen();
        return FakeFileDialogs::save(request);
    }
    std::function<void()> whileOpen;
};

// The commands on the real disk, with fakes for everything else.
struct Window {
    FakeServices fakes;
    MeddlingDialogs dialogs;
    QtFileSystem disk;
    Services services{fakes.messageBox, fakes.appSettings, fakes.clipboard,      dialogs,      disk,
                      fakes.shell,      fakes.appFacts,    fakes.specialFolders, fakes.session};
    Definition definition;
    DocumentCommands commands{definition, services};

    void answerSave(const QString& path) {
        dialogs.saveAnswers.push_back(FileDialogResult{path, 3});
    }
};

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Fault)

class tst_SaveFaults : public QObject {
    Q_OBJECT

private slots:
    void failedWriteLosesNothing_data();
    void failedWriteLosesNothing();
    void targetsThatAreNoFile_data();
    void targetsThatAreNoFile();
    void cleanupTestCase();
};

void tst_SaveFaults::cleanupTestCase() {
    if (!smallDisk().isEmpty())
        umount(QFile::encodeName(smallDisk()).constData());
}

void tst_SaveFaults::failedWriteLosesNothing_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<int>("error"); // 0: any error number

    const struct {
        const char* name;
        Command command;
        QString procedure;
    } commands[] = {
        {"save as", &DocumentCommands::saveAs, u"mnuSpeichernUnter_Click"_s},
        {"save", &DocumentCommands::save, u"mnuSpeicher_Click"_s},
        {"script", &DocumentCommands::exportScript, u"mnuSpeichernVBS_Click"_s},
    };
    const struct {
        const char* name;
        Fault fault;
        int error;
    } faults[] = {
        {"disk full", Fault::SmallDisk, vb::DiskFull},
        // Full before the write starts: the small file fits the write
        // buffer, and only its flush meets the full disk.
        {"disk full before", Fault::FullDisk, vb::DiskFull},
        // Writes beyond the process's file size limit fail with EFBIG.
        {"file size limit", Fault::FileSizeLimit, 0},
        {"folder vanishes", Fault::FolderVanishes, vb::PathNotFound},
        {"read-only file", Fault::ReadOnlyFile, vb::PermissionDenied},
    };
    for (const auto& f : faults) {
        for (const auto& c : commands) {
            QTest::addRow("%s, %s", f.name, c.name)
                << f.fault << c.command << u"frmMsgBox_"_s + c.procedure << f.error;
        }
    }
}

void tst_SaveFaults::failedWriteLosesNothing() {
    QFETCH(Fault, fault);
    QFETCH(Command, command);
    QFETCH(QString, procedure);
    QFETCH(int, error);

    ReachableDir scratch;
    VELTRANO_REQUIRE_REACHABLE(scratch);
    QString folder = scratch.filePath(u"Daten"_s);
    const bool onSmallDisk = fault == Fault::SmallDisk || fault == Fault::FullDisk;
    if (onSmallDisk) {
        if (smallDisk().isEmpty())
            QSKIP("no small file system can be mounted here");
        folder = smallDisk() + u"/Daten"_s;
        QDir(folder).removeRecursively();
    }
    QVERIFY(QDir().mkpath(folder));
    const auto cleanUp = qScopeGuard([&] { QDir(folder).removeRecursively(); });
    const bool script = command == &DocumentCommands::exportScript;
    const QString path = folder + (script ? u"/alt.vbs"_s : u"/alt.msg"_s);

    Window w;
    w.definition.selectButtons(4);
    w.definition.setTitle(u"Frage"_s);
    w.definition.setMessage(u"Weiter?"_s);
    w.answerSave(path);
    (w.commands.*command)();
    QVERIFY(w.fakes.messageBox.shown.isEmpty());
    const QByteArray before = contentOf(path);
    QVERIFY(before.contains("Weiter?"));
    if (script)
        w.commands.newDefinition(); // Save then runs Save As; Dateiname stays empty
    const QString dateiname = w.commands.fileName();
    const QStringList filesBefore = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    const int settingsWrites = int(w.fakes.settings.writes.size());

    // A message far larger than the small disk or the size limit.
    w.definition.setMessage(fault == Fault::FullDisk ? u"Kurz"_s : QString(200 * 1024, u'x'));
    w.answerSave(path);
    w.fakes.messageBox.answers.push_back(msgbox::Answer::Yes); // overwrite the old file

    std::optional<Unprivileged> asUser;
    rlimit oldLimit{};
    const auto removeFiller = qScopeGuard([&] { QFile::remove(diskFiller()); });
    switch (fault) {
    case Fault::SmallDisk:
        break;
    case Fault::FullDisk:
        fillDisk(0);
        break;
    case Fault::FileSizeLimit: {
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        rlimit small = oldLimit;
        small.rlim_cur = 64 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        break;
    }
    case Fault::FolderVanishes:
        w.dialogs.whileOpen = [&] { QDir(folder).removeRecursively(); };
        if (command == &DocumentCommands::save)
            QDir(folder).removeRecursively(); // Save shows no dialog
        break;
    case Fault::ReadOnlyFile:
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        if (geteuid() == 0) {
            // Root may write anything: save as the file's owner instead,
            // in a folder that owner may write to.
            constexpr uid_t nobody = 65534;
            QCOMPARE(chown(QFile::encodeName(folder).constData(), nobody, nobody), 0);
            QCOMPARE(chown(QFile::encodeName(path).constData(), nobody, nobody), 0);
            asUser.emplace(scratch.path());
        }
        break;
    }

    (w.commands.*command)();

    asUser.reset();
    if (fault == Fault::FileSizeLimit)
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &oldLimit), 0);

    // Reported as the file commands report, and the program goes on.
    // (Before the report there may be the overwrite question.)
    QVERIFY(!w.fakes.messageBox.shown.isEmpty());
    const MessageBoxRequest& report = w.fakes.messageBox.shown.last();
    QCOMPARE(report.style, 16);
    QCOMPARE(report.title, procedure);
    if (error != 0)
        QVERIFY2(report.text.startsWith(QString::number(error) + u' '), qPrintable(report.text));

    // Nothing lost, nothing left behind, nothing taken over.
    if (fault == Fault::FolderVanishes) {
        QVERIFY(!QFileInfo::exists(folder));
    } else {
        QCOMPARE(contentOf(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), filesBefore);
    }
    QCOMPARE(w.commands.fileName(), dateiname);
    QCOMPARE(int(w.fakes.settings.writes.size()), settingsWrites);

    // Once the fault is gone the same save works.
    QFile::remove(diskFiller());
    w.dialogs.whileOpen = nullptr;
    QVERIFY(QDir().mkpath(folder));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    w.definition.setMessage(u"Neu"_s);
    w.answerSave(path);
    w.fakes.messageBox.answers.push_back(msgbox::Answer::Yes);
    const qsizetype reports = w.fakes.messageBox.shown.size();
    (w.commands.*command)();
    for (qsizetype i = reports; i < w.fakes.messageBox.shown.size(); ++i)
        QCOMPARE_NE(w.fakes.messageBox.shown[i].style, 16);
    QVERIFY(contentOf(path).contains("Neu"));
}

// Save As and the script export aimed at something other than a regular
// file: a pipe, a device, a socket or a folder is refused with 75 before
// the overwrite question, and nothing changes; a symlink to a file is
// written through, after the question asked as for the file itself.
void tst_SaveFaults::targetsThatAreNoFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("procedure");
    for (const char* kind :
         {"pipe", "character device", "socket", "folder", "dangling link", "link to a file"}) {
        QTest::addRow("%s, save as", kind)
            << QString::fromLatin1(kind) << Command(&DocumentCommands::saveAs)
            << u"frmMsgBox_mnuSpeichernUnter_Click"_s;
        QTest::addRow("%s, script", kind)
            << QString::fromLatin1(kind) << Command(&DocumentCommands::exportScript)
            << u"frmMsgBox_mnuSpeichernVBS_Click"_s;
    }
}

void tst_SaveFaults::targetsThatAreNoFile() {
    QFETCH(QString, kind);
    QFETCH(Command, command);
    QFETCH(QString, procedure);
    QTemporaryDir scratch;
    QVERIFY(QDir::setCurrent(scratch.path()));
    const QString target = scratch.filePath(u"ziel"_s);
    const QByteArray name = QFile::encodeName(target);
    int reader = -1;
    const auto closeReader = qScopeGuard([&] {
        if (reader >= 0)
            ::close(reader);
    });
    {
        QFile file(u"datei.msg"_s);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("alt") == 3);
    }
    if (kind == u"pipe") {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        reader = ::open(name.constData(), O_RDONLY | O_NONBLOCK); // a write would not block
    } else if (kind == u"character device") {
        if (geteuid() != 0)
            QSKIP("making a device needs root");
        QCOMPARE(::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    } else if (kind == u"socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, "ziel");
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    } else if (kind == u"folder") {
        QVERIFY(QDir().mkdir(target));
    } else if (kind == u"dangling link") {
        QVERIFY(QFile::link(u"anderswo/neu.msg"_s, target));
    } else {
        QVERIFY(QFile::link(u"datei.msg"_s, target));
    }
    struct stat before {};
    QCOMPARE(::lstat(name.constData(), &before), 0);

    Window w;
    w.definition.setMessage(u"Weiter?"_s);
    w.answerSave(target);
    w.fakes.messageBox.answers.push_back(msgbox::Answer::Yes);
    (w.commands.*command)();

    struct stat after {};
    QCOMPARE(::lstat(name.constData(), &after), 0);
    QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    QCOMPARE(after.st_ino, before.st_ino);
    const bool script = command == &DocumentCommands::exportScript;
    if (kind == u"link to a file") {
        // Asked as for the file, which is replaced; the link stays.
        QCOMPARE(w.fakes.messageBox.shown.size(), 1);
        QCOMPARE(w.fakes.messageBox.shown[0].title, u"Sicherheitshinweis"_s);
        QVERIFY(contentOf(u"datei.msg"_s).contains("Weiter?"));
        QCOMPARE(w.commands.fileName(), script ? QString() : target);
        return;
    }
    // Refused with no question, and nothing changed.
    QCOMPARE(w.fakes.messageBox.shown.size(), 1);
    const MessageBoxRequest& report = w.fakes.messageBox.shown[0];
    QCOMPARE(report.title, procedure);
    QVERIFY2(report.text.startsWith(u"75 Fehler beim Zugriff auf Pfad/Datei"_s),
             qPrintable(report.text));
    QCOMPARE(w.commands.fileName(), QString());
    QVERIFY(w.fakes.settings.writes.isEmpty());
    QCOMPARE(w.definition.selectedCode(), int(msgbox::CodeStyle::SelectCase));
    QCOMPARE(contentOf(u"datei.msg"_s), QByteArray("alt"));
    QVERIFY(!QFileInfo::exists(u"anderswo"_s));
    if (reader >= 0) {
        char buffer[16];
        QCOMPARE(::read(reader, buffer, sizeof buffer), ssize_t(0));
    }
}

QTEST_GUILESS_MAIN(tst_SaveFaults)
#include "tst_savefaults.moc"
