#include "core/vberror.h"
#include "platform/qtfilesystem.h"
#include "unprivileged.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace veltrano;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The error number a call throws, or 0 when it succeeds.
template <typename F> int errorOf(F&& call) {
    try {
        call();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace

class TestQtFileSystem : public QObject {
    Q_OBJECT

private slots:
    void roundTripKeepsEveryByte();
    void rewriteKeepsPermissions();
    void readErrors_data();
    void readErrors();
    void writeErrorsKeepOldFile_data();
    void writeErrorsKeepOldFile();
    void diskFullKeepsOldFile();
    void existence_data();
    void existence();
    void writeTargets_data();
    void writeTargets();
    void makePath();

private:
    QTemporaryDir m_dir;
};

void TestQtFileSystem::roundTripKeepsEveryByte() {
    QtFileSystem fs;
    const QString path = m_dir.filePath(u"round.msg"_s);
    const QByteArray bytes("  0 \r\n Titel\r\n\xe4\xf6\xfc\x00\xff\r\nend", 25);
    fs.writeAtomically(path, bytes);
    QCOMPARE(fs.read(path, 1 << 20), bytes);
    QCOMPARE(fs.read(path, 4), bytes.left(4)); // never more than asked for
    fs.writeAtomically(path, "kurz");
    QCOMPARE(fs.read(path, 1 << 20), QByteArray("kurz"));
    fs.writeAtomically(path, QByteArray());
    QCOMPARE(fs.read(path, 1 << 20), QByteArray());
}

void TestQtFileSystem::rewriteKeepsPermissions() {
    QtFileSystem fs;
    const QString path = m_dir.filePath(u"private.msg"_s);
    put(path, "old");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    fs.writeAtomically(path, "new");
    QCOMPARE(contents(path), QByteArray("new"));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions(path) & others, QFile::Permissions());
}

void TestQtFileSystem::readErrors_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("missing file") << u""_s << u"missing.msg"_s << 53;
    QTest::newRow("missing folder") << u""_s << u"gone/file.msg"_s << 76;
    QTest::newRow("folder under a file") << u"file"_s << u"plain/file.msg"_s << 76;
    QTest::newRow("a folder") << u"folder"_s << u"sub"_s << 75;
    QTest::newRow("empty name") << u""_s << QString() << 75;
    QTest::newRow("unreadable") << u"unreadable"_s << u"locked.msg"_s << 70;
    // Refused without waiting for a writer or reading without end.
    QTest::newRow("named pipe") << u"fifo"_s << u"pipe.msg"_s << 75;
    QTest::newRow("device") << u""_s << u"/dev/zero"_s << 75;
}

void TestQtFileSystem::readErrors() {
    QFETCH(QString, setup);
    QFETCH(QString, name);
    QFETCH(int, error);
    ReachableDir dir;
    VELTRANO_REQUIRE_REACHABLE(dir);
    if (setup == u"file")
        put(dir.filePath(u"plain"_s), "x");
    if (setup == u"folder")
        QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    Unprivileged user(dir.path());
    if (setup == u"fifo")
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(name)).constData(), 0600), 0);
    if (setup == u"unreadable") {
        put(dir.filePath(name), "secret");
        QVERIFY(QFile::setPermissions(dir.filePath(name), QFile::WriteOwner));
    }
    QtFileSystem fs;
    const QString path = name.isEmpty() ? QString() : QDir(dir.path()).filePath(name);
    QCOMPARE(errorOf([&] { fs.read(path, 1 << 20); }), error);
}

void TestQtFileSystem::writeErrorsKeepOldFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("error");
    QTest::newRow("folder gone") << u"gone"_s << 76;
    QTest::newRow("target is a folder") << u"folder"_s << 75;
    QTest::newRow("read-only folder") << u"readonly folder"_s << 70;
    QTest::newRow("write-protected file") << u"readonly file"_s << 70;
}

void TestQtFileSystem::writeErrorsKeepOldFile() {
    QFETCH(QString, kind);
    QFETCH(int, error);
    ReachableDir dir;
    VELTRANO_REQUIRE_REACHABLE(dir);
    Unprivileged user(dir.path());
    const QString folder = dir.filePath(u"data"_s);
    QVERIFY(QDir().mkpath(folder));
    QString target = folder + u"/def.msg"_s;
    put(target, "old contents");

    if (kind == u"gone") {
        QVERIFY(QDir(folder).removeRecursively());
    } else if (kind == u"folder") {
        target = folder;
    } else if (kind == u"readonly folder") {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else {
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner));
    }

    QtFileSystem fs;
    QCOMPARE(errorOf([&] { fs.writeAtomically(target, "new contents"); }), error);
    if (kind != u"gone" && kind != u"folder") {
        QCOMPARE(contents(target), QByteArray("old contents"));
        // No temporary file is left behind either.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Needs a small file system of its own, which only root may mount; it is
// mounted in a private mount namespace so nothing outlives the test.
void TestQtFileSystem::diskFullKeepsOldFile() {
    if (geteuid() != 0)
        QSKIP("mounting a small file system needs root");
    QTemporaryDir dir;
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        QSKIP("no private mount namespace here");
    if (mount("tmpfs", dir.path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("cannot mount a tmpfs here");
    const auto unmount = qScopeGuard([&] { umount(dir.path().toLocal8Bit().constData()); });
    const QString target = dir.filePath(u"def.msg"_s);
    put(target, QByteArray(16 * 1024, 'a'));
    QtFileSystem fs;

    // The disk fills up during the write.
    QCOMPARE(errorOf([&] { fs.writeAtomically(target, QByteArray(256 * 1024, 'b')); }), 61);
    QCOMPARE(contents(target), QByteArray(16 * 1024, 'a'));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // The disk is full before the write: a small file fits the write
    // buffer, and only its flush meets the full disk.
    {
        QFile filler(dir.filePath(u"filler"_s));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
    }
    const QString fresh = dir.filePath(u"b.msg"_s);
    QCOMPARE(errorOf([&] { fs.writeAtomically(fresh, " 0 \r\n 0 \r\n"); }), 61);
    QVERIFY(!QFileInfo::exists(fresh));
    QCOMPARE(errorOf([&] { fs.writeAtomically(target, "kurz"); }), 61);
    QCOMPARE(contents(target), QByteArray(16 * 1024, 'a'));
}

void TestQtFileSystem::existence_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("replaces"); // 1 a file, 0 none, else the refusal's number
    QTest::addColumn<bool>("folder");
    QTest::newRow("file") << u"f.msg"_s << 1 << false;
    QTest::newRow("folder") << u"d"_s << 75 << true;
    QTest::newRow("folder with slash") << u"d/"_s << 75 << true;
    QTest::newRow("missing") << u"nothing"_s << 0 << false;
    QTest::newRow("empty") << QString() << 0 << false;
}

void TestQtFileSystem::existence() {
    QFETCH(QString, name);
    QFETCH(int, replaces);
    QFETCH(bool, folder);
    QTemporaryDir dir;
    put(dir.filePath(u"f.msg"_s), "x");
    QVERIFY(QDir(dir.path()).mkdir(u"d"_s));
    // An empty name must not fall back to the current folder.
    QVERIFY(QDir::setCurrent(dir.path()));
    const QString path = name.isEmpty() ? QString() : dir.path() + u'/' + name;
    QtFileSystem fs;
    bool replacing = false;
    const int error = errorOf([&] { replacing = fs.replacesFile(path); });
    QCOMPARE(error != 0 ? error : int(replacing), replaces);
    QCOMPARE(fs.dirExists(path), folder);
}

// What a path may name besides a regular file. A write replaces only a
// regular file, also one a symlink names; it writes into a pipe or a
// character device only when asked to, and refuses the rest.
void TestQtFileSystem::writeTargets_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("intoStreams"); // as the command line writes
    QTest::addColumn<int>("error");        // 0: written
    const char* const both[] = {"", ", into streams"};
    for (int streams = 0; streams < 2; ++streams) {
        const auto row = [&](const char* kind, int error) {
            QTest::addRow("%s%s", kind, both[streams])
                << QString::fromLatin1(kind) << bool(streams) << error;
        };
        row("link to a file", 0);
        row("link to a folder's file", 0);
        row("hard link", 0);
        row("dangling link", 75);
        row("socket", 75);
        row("pipe", streams ? 0 : 75);
        row("character device", streams ? 0 : 75);
    }
}

void TestQtFileSystem::writeTargets() {
    QFETCH(QString, kind);
    QFETCH(bool, intoStreams);
    QFETCH(int, error);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    put(u"def.msg"_s, "old");
    QString target = u"out"_s;
    const auto node = [](const QString& path) {
        struct stat status {};
        return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode : 0u;
    };
    int reader = -1;
    const auto closeReader = qScopeGuard([&] {
        if (reader >= 0)
            ::close(reader);
    });
    if (kind == u"link to a file") {
        QVERIFY(QFile::link(u"def.msg"_s, target));
    } else if (kind == u"link to a folder's file") {
        QVERIFY(QFile::link(u"."_s, u"here"_s));
        target = u"here/def.msg"_s;
    } else if (kind == u"hard link") {
        QCOMPARE(::link("def.msg", "out"), 0);
    } else if (kind == u"dangling link") {
        QVERIFY(QFile::link(u"elsewhere.msg"_s, target));
    } else if (kind == u"socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, "out");
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    } else if (kind == u"pipe") {
        QCOMPARE(::mkfifo("out", 0600), 0);
        // With a reader the write neither blocks nor fails.
        reader = ::open("out", O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
    } else if (geteuid() == 0) {
        // A null device of the test's own: a write that replaced it must not
        // hit the system's /dev/null.
        QCOMPARE(::mknod("out", S_IFCHR | 0666, makedev(1, 3)), 0);
        const int fd = ::open("out", O_WRONLY);
        if (fd < 0)
            QSKIP("devices cannot be used on this file system");
        ::close(fd);
    } else {
        target = u"/dev/null"_s;
    }
    const mode_t type = node(target) & S_IFMT;

    QtFileSystem fs;
    const QByteArray bytes = "new contents";
    QCOMPARE(errorOf([&] {
                 if (intoStreams)
                     fs.writeFileOrStream(target, bytes);
                 else
                     fs.writeAtomically(target, bytes);
             }),
             error);
    // The overwrite question is asked for what a write would replace, and
    // a refusal comes before it.
    bool replacing = false;
    const int refusal = errorOf([&] { replacing = fs.replacesFile(target); });
    QCOMPARE(refusal != 0 ? refusal : int(replacing),
             type == S_IFLNK || type == S_IFREG ? (kind == u"dangling link" ? 75 : 1) : 75);

    // The path names the same kind of thing as before.
    QCOMPARE(node(target) & S_IFMT, type);
    // A symlink is written through; a hard link is a name of its own, whose
    // replacement leaves the other name's bytes alone.
    QCOMPARE(contents(u"def.msg"_s), kind.contains(u"link to") ? bytes : QByteArray("old"));
    if (kind == u"hard link")
        QCOMPARE(contents(target), bytes);
    if (kind == u"dangling link")
        QVERIFY(!QFileInfo::exists(u"elsewhere.msg"_s));
    if (reader >= 0) {
        char buffer[64] = {};
        const ssize_t n = ::read(reader, buffer, sizeof buffer);
        QCOMPARE(QByteArray(buffer, std::max<ssize_t>(n, 0)), error == 0 ? bytes : QByteArray());
    }
    // Nothing is left beside the target.
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    QCOMPARE(QDir().entryList(all).size(), target.startsWith(u'/') ? 1 : 2);
}

void TestQtFileSystem::makePath() {
    QTemporaryDir dir;
    QtFileSystem fs;
    const QString nested = dir.filePath(u"a/b/Veltrano/"_s);
    QVERIFY(fs.makePath(nested));
    QVERIFY(fs.dirExists(nested));
    QVERIFY(fs.makePath(nested)); // already there
    put(dir.filePath(u"plain"_s), "x");
    QVERIFY(!fs.makePath(dir.filePath(u"plain/sub"_s)));
    QVERIFY(!fs.makePath(QString()));
}

QTEST_GUILESS_MAIN(TestQtFileSystem)
#include "tst_qtfilesystem.moc"
