#include "documents/commands.h"

#include "core/definition.h"
#include "core/generators.h"
#include "core/optiontables.h"
#include "core/vberror.h"
#include "documents/definitionfile.h"
#include "documents/scriptfile.h"
#include "platform/errortrap.h"
#include "platform/services.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

const QString definitionFilter =
    u"MsgBox (*.msg) |*.msg|Dokumente (*.dat)|*.dat|Inidateien (*.ini)|*.ini|Alle Dateien (*.*)|*.*"_s;
const QString scriptFilter = u"VB-Script (*.vbs)|*.vbs|Alle Dateien (*.*)|*.*"_s;

// The trap of the file commands: a cancelled dialog ends the command without
// a word, every other failure is reported like any trapped handler's.
// Returns false when the command failed or was cancelled.
template <typename F>
bool fileCommand(MessageBoxService& box, const QString& procedure, F&& action) {
    bool cancelled = false;
    const bool done = trapped(box, procedure, [&] {
        try {
            action();
        } catch (const vb::Error& e) {
            if (e.number() != vb::DialogCancel)
                throw;
            cancelled = true;
        }
    });
    return done && !cancelled;
}

// The file type position stored after the last Open or Save As. Anything
// that is not a usable position (not a number, zero, negative, too large)
// selects the first entry instead of failing the command.
int storedExtension(const AppSettings& settings) {
    const AppSettings::FileType stored = settings.fileType();
    return stored.kind == AppSettings::FileType::Number && stored.value >= 1 ? stored.value : 1;
}

void storeExtension(AppSettings& settings, int filterIndex) {
    settings.setFileType(filterIndex);
    settings.flush(); // a lost preference is not worth failing the command
}

FileDialogRequest dialogRequest(const Services& services, const QString& filter, int filterIndex) {
    return FileDialogRequest{filter, services.session.dataFolderPath, QString(), filterIndex};
}

// Remembers the file type the dialog closed with and turns a cancel into the
// error the file commands' trap ends on silently.
FileDialogResult accepted(Session& session, const FileDialogRequest& request,
                          const std::optional<FileDialogResult>& answer) {
    if (!answer) {
        // The dialog hands back no file type on a cancel; it closed with the
        // one it was opened with as far as the program can tell.
        session.lastFilterIndex = request.filterIndex;
        throw vb::Error(vb::DialogCancel);
    }
    session.lastFilterIndex = answer->filterIndex;
    return *answer;
}

// The program's own overwrite question; true when the user answered Yes or
// the file does not exist yet. A path that names what no write replaces (a
// pipe, a device, a folder, a symlink to nothing) is refused before the
// question, so that nothing changes.
bool mayWrite(Services& services, const QString& path) {
    if (!services.fileSystem.replacesFile(path))
        return true;
    const int style = vb::vbYesNo + vb::vbQuestion + vb::vbDefaultButton2;
    return services.messageBox.show(u"Datei bereits vorhanden, überschreiben?"_s, style,
                                    u"Sicherheitshinweis"_s) == vb::vbYes;
}

definitionfile::Content contentOf(const Definition& definition) {
    const Definition::State& state = definition.state();
    return {state.iconValue, state.buttonsValue, state.defaultButtonValue,
            state.codeValue, definition.title(), definition.message()};
}

} // namespace

DocumentCommands::DocumentCommands(Definition& definition, Services& services)
    : m_definition(definition), m_services(services) {}

void DocumentCommands::newDefinition() {
    // Every option selected here exists, so no step can fail.
    const Definition::Batch batch(m_definition);
    m_definition.selectIcon(0);
    m_definition.selectButtons(0);
    m_definition.selectDefaultButton(0);
    m_definition.selectCode(options::SelectCase);
    m_definition.setTitle(QString());
    m_definition.setMessage(QString());
    m_fileName.clear();
}

void DocumentCommands::open() {
    fileCommand(m_services.messageBox, u"mnuLaden_Click"_s, [&] {
        const FileDialogRequest request =
            dialogRequest(m_services, definitionFilter, storedExtension(m_services.settings));
        const FileDialogResult chosen =
            accepted(m_services.session, request, m_services.fileDialogs.open(request));

        load(chosen.path);
        storeExtension(m_services.settings, chosen.filterIndex);
    });
}

bool DocumentCommands::openFile(const QString& path) {
    return fileCommand(m_services.messageBox, u"mnuLaden_Click"_s, [&] { load(path); });
}

void DocumentCommands::load(const QString& path) {
    // The whole file is read and checked before anything changes, so that a
    // bad file leaves the definition and the file name as they were.
    const definitionfile::Content content = definitionfile::load(m_services.fileSystem, path);
    definitionfile::apply(content, m_definition);
    m_fileName = path;
}

void DocumentCommands::save() {
    if (m_fileName.isEmpty()) {
        saveAs();
        return;
    }
    fileCommand(m_services.messageBox, u"mnuSpeicher_Click"_s, [&] {
        m_services.fileSystem.writeAtomically(m_fileName,
                                              definitionfile::encode(contentOf(m_definition)));
    });
}

void DocumentCommands::saveAs() {
    fileCommand(m_services.messageBox, u"mnuSpeichernUnter_Click"_s, [&] {
        const FileDialogRequest request =
            dialogRequest(m_services, definitionFilter, storedExtension(m_services.settings));
        const FileDialogResult chosen =
            accepted(m_services.session, request, m_services.fileDialogs.save(request));
        if (!mayWrite(m_services, chosen.path))
            return;
        // The new name is taken over before the write: when it fails, a
        // later Save tries that file again and never overwrites the one the
        // user meant to keep unchanged.
        m_fileName = chosen.path;
        m_services.fileSystem.writeAtomically(chosen.path,
                                              definitionfile::encode(contentOf(m_definition)));
        storeExtension(m_services.settings, chosen.filterIndex);
    });
}

void DocumentCommands::exportScript() {
    fileCommand(m_services.messageBox, u"mnuSpeichernVBS_Click"_s, [&] {
        // The script dialog has a filter list of its own and starts with the
        // file type the last file dialog closed with.
        const FileDialogRequest request =
            dialogRequest(m_services, scriptFilter, m_services.session.lastFilterIndex);
        const FileDialogResult chosen =
            accepted(m_services.session, request, m_services.fileDialogs.save(request));
        if (!mayWrite(m_services, chosen.path))
            return;
        // A script is always VBScript code, and the window shows that style
        // from now on.
        scriptfile::write(m_services.fileSystem, chosen.path, m_definition);
    });
}

void DocumentCommands::copyCode() {
    trapped(m_services.messageBox, u"mnuKopieren_Click"_s, [&] {
        const QString code = gen::generateCode(m_definition);
        m_services.clipboard.clear();
        m_services.clipboard.setText(code);
    });
}

void DocumentCommands::showSource() {
    trapped(m_services.messageBox, u"mnuQuellcode_Click"_s, [&] {
        const QString code = gen::generateCode(m_definition);
        MessageBoxRequest box;
        box.text = code;
        box.style = vb::vbOKOnly;
        box.title = u"Quellcode"_s;
        box.keepLines = true;
        m_services.messageBox.show(box);
    });
}

} // namespace veltrano
