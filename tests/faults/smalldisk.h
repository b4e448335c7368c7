#pragma once

#include "tests/platform/unprivileged.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

// A small disk for the fault tests: a folder on a tmpfs of 64 KiB, mounted
// in a mount namespace of this process alone, so nothing outlives the test;
// empty when that is not possible here (it needs root).
inline QString smallDisk() {
    static const QString folder = [] {
        // Under a folder that "nobody" can pass, for the tests acting as that user.
        static ReachableDir dir;
        if (geteuid() != 0 || !dir.isValid())
            return QString();
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return QString();
        if (mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0,
                  "size=64k,mode=0777") != 0)
            return QString();
        return dir.path();
    }();
    return folder;
}

// The filler file that fillDisk writes.
inline QString diskFiller() {
    return smallDisk() + QStringLiteral("/filler");
}

// Fills the small disk, then gives back the given number of bytes.
inline void fillDisk(qint64 leaveFree) {
    QFile filler(diskFiller());
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(1024, 'f');
    while (filler.write(block) == block.size()) {
    }
    QVERIFY(filler.resize(std::max<qint64>(0, filler.size() - leaveFree)));
}
