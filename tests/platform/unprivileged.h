#pragma once

#include <QByteArray>
#include <QString>

#include <grp.h>
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
