#pragma once

#include <QByteArray>
#include <QString>

// What faults_saver writes, so that tst_killedsave can tell a whole file
// from a partial one.
namespace saver {

// Two definition files of 4 MiB that differ in every byte.
inline QByteArray contentFor(int which) {
    return QByteArray(4 * 1024 * 1024, which == 0 ? 'a' : 'b');
}

inline QString settingsKey() {
    return QStringLiteral("Blob");
}

inline QString settingsValueFor(int which) {
    return QString(1024 * 1024, which == 0 ? u'a' : u'b');
}

} // namespace saver
