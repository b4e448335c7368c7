#pragma once

// The window's definition on fake services with the document commands under
// test, and what a failed or cancelled command must leave as it was.

#include "core/definition.h"
#include "core/generators.h"
#include "core/optiontables.h"
#include "core/vberror.h"
#include "documents/commands.h"
#include "documents/definitionfile.h"
#include "documents/textcodec.h"
#include "platform/fakes/fakes.h"

#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace veltrano;

inline const QString folder = u"/home/user/Dokumente/Veltrano/"_s;
inline const QString definitionFilter =
    u"MsgBox (*.msg) |*.msg|Dokumente (*.dat)|*.dat|Inidateien (*.ini)|*.ini|Alle Dateien (*.*)|*.*"_s;
inline const QString scriptFilter = u"VB-Script (*.vbs)|*.vbs|Alle Dateien (*.*)|*.*"_s;

// The window's definition, the fakes and the commands under test.
struct Window {
    Window() {
        fakes.session.dataFolderPath = folder;
        fakes.services.session.lastFilterIndex = 1;
    }
    FakeServices fakes;
    Definition definition;
    DocumentCommands commands{definition, fakes.services};

    void answerOpen(const QString& path, int filterIndex = 1) {
        fakes.fileDialogs.openAnswers.push_back(FileDialogResult{path, filterIndex});
    }
    void answerSave(const QString& path, int filterIndex = 1) {
        fakes.fileDialogs.saveAnswers.push_back(FileDialogResult{path, filterIndex});
    }
    void cancelSave() { fakes.fileDialogs.saveAnswers.push_back(std::nullopt); }

    // A definition far from the start state.
    void fill(const QString& title = u"Achtung"_s,
              const QString& message = u"Zeile 1\r\nZeile 2"_s) {
        definition.selectIcon(48);
        definition.selectButtons(3);
        definition.selectDefaultButton(512);
        definition.selectCode(int(msgbox::CodeStyle::Einfach));
        definition.setTitle(title);
        definition.setMessage(message);
    }
};

// What a failed or cancelled command must leave as it was.
struct Snapshot {
    explicit Snapshot(const Window& w)
        : value(w.definition.value()), dateiname(w.commands.fileName()),
          files(w.fakes.fileSystem.files), settings(w.fakes.settings.values) {}
    msgbox::Value value;
    QString dateiname;
    QMap<QString, QByteArray> files;
    QMap<QString, QString> settings;

    bool operator==(const Snapshot&) const = default;
};

inline char* toString(const Snapshot& s) {
    const msgbox::Value& v = s.value;
    return qstrdup(
        u"icon %1 buttons %2 default %3 code %4 title \"%5\" message \"%6\" file \"%7\" %8 files"_s
            .arg(int(v.icon))
            .arg(int(v.buttons))
            .arg(v.defaultButton ? int(*v.defaultButton) : -1)
            .arg(int(v.code))
            .arg(v.title, v.message, s.dateiname)
            .arg(s.files.size())
            .toUtf8()
            .constData());
}

inline QString report(int number) {
    return QString::number(number) + u' ' + vb::describe(number);
}

// The code the core generates for the window's definition in that style.
inline QString expectedCode(const Window& w, msgbox::CodeStyle style) {
    msgbox::Value value = w.definition.value();
    value.code = style;
    return gen::generateCode(value);
}

using Command = void (DocumentCommands::*)();

Q_DECLARE_METATYPE(Command)
