#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <grp.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

// Permission checks do not apply to root. A test that needs them runs its
// file operations as the user "nobody" while an object of this type lives;
// the folder given is handed to that user first. For other users it does
// nothing.
class Unprivileged {
public:
    explicit Unprivileged(const QString& folder) {
        if (geteuid() != 0)
            return;
        const QByteArray path = folder.toLocal8Bit();
        // Real and effective ids both, since access() checks the real one;
        // the saved id stays root so that restore() may switch back.
        m_active = chown(path.constData(), kNobody, kNobody) == 0 &&
                   setresgid(kNobody, kNobody, 0) == 0 && setresuid(kNobody, kNobody, 0) == 0;
    }
    ~Unprivileged() { restore(); }
    void restore() {
        if (m_active) {
            [[maybe_unused]] const int a = setresuid(0, 0, 0);
            [[maybe_unused]] const int b = setresgid(0, 0, 0);
            m_active = false;
        }
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    // True when permissions are checked for the code that runs now.
    static bool permissionsApply() { return geteuid() != 0; }

private:
    static constexpr uid_t kNobody = 65534;
    bool m_active = false;
};

// A folder whose every folder up to the root lets other users pass, so that
// "nobody" can reach what is made in it. The temporary folder is not always
// such a folder: some machines keep /tmp at 0700. Empty when there is none.
inline QString reachableBase() {
    const auto passable = [](const QString& folder) {
        QString path = QDir(folder).canonicalPath();
        if (path.isEmpty())
            return false;
        for (;;) {
            struct stat status {};
            if (::stat(QFile::encodeName(path).constData(), &status) != 0 ||
                !S_ISDIR(status.st_mode) || !(status.st_mode & S_IXOTH))
                return false;
            if (path == u"/")
                return true;
            path = QDir::cleanPath(path + QStringLiteral("/.."));
        }
    };
    for (const QString& base :
         {QDir::tempPath(), QStringLiteral("/var/tmp"), QStringLiteral("/tmp")}) {
        if (passable(base))
            return base;
    }
    return QString();
}

// A fresh temporary folder for a test that runs as "nobody". Root makes it
// open to others (0755) under reachableBase(); it is invalid when there is
// no such base, and the test then skips. For other users it is an ordinary
// temporary folder, since they stay themselves.
class ReachableDir : public QTemporaryDir {
public:
    ReachableDir() : QTemporaryDir(templatePath()) {
        if (isValid() && geteuid() == 0)
            ::chmod(QFile::encodeName(path()).constData(), 0755);
    }

private:
    static QString templatePath() {
        const QString name = QStringLiteral("/veltrano-test-XXXXXX");
        if (geteuid() != 0)
            return QDir::tempPath() + name;
        const QString base = reachableBase();
        // A template in a folder that does not exist makes the folder invalid.
        return (base.isEmpty() ? QStringLiteral("/nonexistent-veltrano") : base) + name;
    }
};

// Skips the test when no folder for "nobody" can be made here.
#define VELTRANO_REQUIRE_REACHABLE(dir)                                                            \
    do {                                                                                           \
        if (!(dir).isValid())                                                                      \
            QSKIP("no folder here that the user nobody can reach");                                \
    } while (false)
