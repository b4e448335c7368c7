// The settings store on a settings file that is unreadable, write-protected
// or full of garbage: reads fall back to their defaults, a write that cannot
// reach the disk is reported by flush() and leaves the file exactly as it
// was, and a file that can be replaced is replaced whole.
#include "platform/qtsettingsstore.h"
#include "tests/faults/smalldisk.h"
#include "tests/platform/unprivileged.h"

#include <QDir>
#include <QFile>
#include <QPointF>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <QScopeGuard>

#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

enum class Fault {
    Unreadable,
    ReadOnlyFile,
    ReadOnlyFolder,
    Garbage,
    FolderInItsPlace,
    DiskFull,       // no free block before the write
    DiskFillsUp,    // one free block, the new file needs two
    LinkToFullDisk, // the settings file is a symlink to a file on a disk that fills up
    FullTempFolder, // TMPDIR lies on a full disk
    ForeignNaN,     // another program's value that never equals itself
    Pipe,           // a named pipe in the settings file's place
};

const QByteArray goodFile = "[Options]\nFirstStart=True\nExtension=3\n";

QByteArray garbage() {
    QRandomGenerator random(4711);
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(char(random.bounded(256)));
    // Fragments that look almost like settings: an unclosed section, keys
    // without values, an unterminated quote, a stray NUL.
    bytes.append("\n[Options\nFirstStart\n=\nExtension=\"3\n\0[Opt", 42);
    return bytes;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool chownToNobody(const QString& path) {
    constexpr uid_t nobody = 65534;
    return chown(QFile::encodeName(path).constData(), nobody, nobody) == 0;
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class tst_SettingsFaults : public QObject {
    Q_OBJECT

private slots:
    void brokenSettingsFile_data();
    void brokenSettingsFile();
    void twoInstancesFlushingAtOnce();
};

void tst_SettingsFaults::brokenSettingsFile_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("firstStart"); // what reading FirstStart gives
    QTest::addColumn<bool>("written");       // whether the new value may reach the disk

    // A file the user cannot read may hold values we cannot see: it must
    // not be replaced by one holding only ours.
    QTest::newRow("unreadable") << Fault::Unreadable << u"False"_s << false;
    QTest::newRow("read-only file") << Fault::ReadOnlyFile << u"True"_s << false;
    QTest::newRow("read-only folder") << Fault::ReadOnlyFolder << u"True"_s << false;
    QTest::newRow("garbage") << Fault::Garbage << u"False"_s << true;
    QTest::newRow("folder in its place") << Fault::FolderInItsPlace << u"False"_s << false;
    // A write buffered in full and lost in its flush must not replace the
    // file with a cut one.
    QTest::newRow("disk full") << Fault::DiskFull << u"True"_s << false;
    QTest::newRow("disk fills up") << Fault::DiskFillsUp << u"True"_s << false;
    // The file a symlink names is left whole, and the link stays a link.
    QTest::newRow("symlink to a full disk") << Fault::LinkToFullDisk << u"True"_s << false;
    // Nothing goes through the temporary folder.
    QTest::newRow("full temporary folder") << Fault::FullTempFolder << u"True"_s << true;
    QTest::newRow("foreign NaN value") << Fault::ForeignNaN << u"True"_s << true;
    // Neither read (which would wait for a writer for good) nor written.
    QTest::newRow("named pipe") << Fault::Pipe << u"False"_s << false;
}

void tst_SettingsFaults::brokenSettingsFile() {
    QFETCH(Fault, fault);
    QFETCH(QString, firstStart);
    QFETCH(bool, written);

    const bool onSmallDisk = fault == Fault::DiskFull || fault == Fault::DiskFillsUp;
    const bool smallDiskNeeded =
        onSmallDisk || fault == Fault::LinkToFullDisk || fault == Fault::FullTempFolder;
    if (smallDiskNeeded && smallDisk().isEmpty())
        QSKIP("no small file system can be mounted here");
    // Root acts as "nobody" here, who must reach the folder.
    const std::unique_ptr<QTemporaryDir> scratchDir =
        onSmallDisk ? std::make_unique<QTemporaryDir>(smallDisk() + u"/scratch-XXXXXX"_s)
                    : std::make_unique<ReachableDir>();
    VELTRANO_REQUIRE_REACHABLE(*scratchDir);
    const QTemporaryDir& scratch = *scratchDir;
    const QString folder = scratch.filePath(u"Veltrano"_s);
    const QString path = folder + u"/Veltrano.conf"_s;
    // The file that holds the settings: the path's own, or the linked one.
    QString real = path;
    const QByteArray tempFolder = qgetenv("TMPDIR");
    const auto cleanUp = qScopeGuard([&] {
        if (smallDiskNeeded) {
            QFile::remove(diskFiller());
            QDir(smallDisk() + u"/linked"_s).removeRecursively();
        }
        qputenv("TMPDIR", tempFolder);
    });
    QVERIFY(QDir().mkpath(folder));
    if (fault == Fault::LinkToFullDisk) {
        real = smallDisk() + u"/linked/Veltrano.conf"_s;
        QVERIFY(QDir().mkpath(QFileInfo(real).absolutePath()));
        QVERIFY(QFile::link(real, path));
    }
    if (fault == Fault::FolderInItsPlace) {
        QVERIFY(QDir().mkpath(path));
    } else if (fault == Fault::Pipe) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        QFile file(real);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fault == Fault::Garbage ? garbage() : goodFile);
    }
    if (fault == Fault::ForeignNaN) {
        QSettings other(path, QSettings::IniFormat);
        other.setValue(u"Andere/Punkt"_s, QPointF(qQNaN(), 1.0));
    }
    const QByteArray before = fault == Fault::Pipe ? QByteArray() : contentOf(real);

    const bool root = geteuid() == 0;
    if (root) {
        // Permissions do not bind root: act as the files' owner instead.
        QVERIFY(chownToNobody(folder));
        QVERIFY(fault == Fault::FolderInItsPlace || chownToNobody(real));
        if (real != path) {
            QVERIFY(chownToNobody(QFileInfo(real).absolutePath()));
            QCOMPARE(::lchown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        }
    }
    switch (fault) {
    case Fault::Unreadable:
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        break;
    case Fault::ReadOnlyFile:
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        break;
    case Fault::ReadOnlyFolder:
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        break;
    case Fault::DiskFull:
        fillDisk(0);
        break;
    case Fault::DiskFillsUp:
        fillDisk(4096);
        break;
    case Fault::LinkToFullDisk:
        fillDisk(4096);
        break;
    case Fault::FullTempFolder: {
        const QString full = smallDisk() + u"/linked"_s;
        QVERIFY(QDir().mkpath(full));
        QVERIFY(QFile::setPermissions(full, QFile::Permissions(0x7777)));
        qputenv("TMPDIR", QFile::encodeName(full));
        fillDisk(0);
        break;
    }
    default:
        break;
    }

    bool flushed = false;
    {
        Unprivileged asUser(scratch.path());
        QtSettingsStore store(path);
        QCOMPARE(store.fileRefused(), fault == Fault::Pipe || fault == Fault::FolderInItsPlace);
        QCOMPARE(store.read(u"FirstStart"_s, u"False"_s), firstStart);
        QCOMPARE(store.read(u"frmMsgBoxLeft"_s, u"100"_s).isEmpty(), false);
        store.write(u"Extension"_s, u"2"_s);
        store.write(u"FirstStart"_s, u"True"_s);
        // Long enough that the new file needs more than one block.
        if (fault == Fault::DiskFillsUp || fault == Fault::LinkToFullDisk)
            store.write(u"EinstellungSpeicherPfad"_s, QString(6000, u'p'));
        flushed = store.flush();
        // The store keeps working after a failed flush.
        QCOMPARE(store.read(u"Extension"_s, u"1"_s), u"2"_s);
    } // the destructor tries once more

    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (fault != Fault::Pipe)
        QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(flushed, written);
    if (!written) {
        // Whole, of the same kind, and nothing left beside it.
        if (fault == Fault::Pipe) {
            struct stat status {};
            QCOMPARE(::lstat(QFile::encodeName(path).constData(), &status), 0);
            QVERIFY(S_ISFIFO(status.st_mode));
        } else {
            QCOMPARE(contentOf(real), before);
        }
        QCOMPARE(QFileInfo(path).isSymLink(), real != path);
        QCOMPARE(QDir(QFileInfo(real).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(),
                 fault == Fault::FolderInItsPlace || fault == Fault::Pipe ? 0 : 1);
    } else {
        // Replaced whole: a fresh store reads what was written.
        QtSettingsStore again(path);
        QCOMPARE(again.read(u"Extension"_s, u"1"_s), u"2"_s);
        QCOMPARE(again.read(u"FirstStart"_s, u"False"_s), u"True"_s);
        // Another program's values stay.
        if (fault == Fault::ForeignNaN)
            QVERIFY(contentOf(path).contains("[Andere]\nPunkt=@Variant("));
    }
}

// Two instances of the program flushing at the same moments, each its own
// key: no flush fails for the other's sake or undoes its write, and each
// key ends with its instance's last value.
void tst_SettingsFaults::twoInstancesFlushingAtOnce() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"Veltrano.conf"_s);
    constexpr int rounds = 40;
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(VELTRANO_SAVER),
                {u"count"_s, path, u"Erster"_s, QString::number(rounds)});
    second.start(QStringLiteral(VELTRANO_SAVER),
                 {u"count"_s, path, u"Zweiter"_s, QString::number(rounds)});
    for (QProcess* saver : {&first, &second}) {
        QVERIFY(saver->waitForFinished(60000));
        QCOMPARE(saver->exitStatus(), QProcess::NormalExit);
        QCOMPARE(saver->exitCode(), 0);
    }
    QtSettingsStore store(path);
    QCOMPARE(store.read(u"Erster"_s, QString()), QString::number(rounds - 1));
    QCOMPARE(store.read(u"Zweiter"_s, QString()), QString::number(rounds - 1));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"Veltrano.conf"_s});
}

QTEST_GUILESS_MAIN(tst_SettingsFaults)
#include "tst_settingsfaults.moc"
