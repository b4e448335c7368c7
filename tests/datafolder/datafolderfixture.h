#pragma once

// The data folder dialog's tests: the texts, folders and helpers they share.

#include "datafolder/datafolderdialog.h"
#include "platform/fakes/fakes.h"
#include "platform/qtfilesystem.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace veltrano;

inline const QString Message =
    u"Der Ordner konnte nicht erstellt werden!\r\n"
    u"Bitte prüfen Sie ob Sie dazu ausreichende Rechte besitzen.\r\n\r\n"_s;
inline const QString Documents = u"/home/user/Dokumente"_s;
inline const QString Shared = u"/home/user/Öffentlich"_s;
inline const QString Own = u"/opt/veltrano/bin"_s;

inline QRadioButton* option(QDialog& dialog, int index) {
    return dialog.findChild<QRadioButton*>(u"optSpeicherpfad_%1"_s.arg(index));
}

inline QPushButton* button(QDialog& dialog, const QString& name) {
    return dialog.findChild<QPushButton*>(name);
}

// The program's own file system on real folders, counting the creations.
class DiskFileSystem : public QtFileSystem {
public:
    bool makePath(const QString& path) override {
        ++makePathCalls;
        return QtFileSystem::makePath(path);
    }
    int makePathCalls = 0;
};
