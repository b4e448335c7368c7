#include "documents/commands.h"

#include "core/definition.h"
#include "core/languages.h"
#include "core/vberror.h"
#include "documents/codeexport.h"
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

// The file type position stored after the last Open or Save As. Anything
// that is not a usable position (not a number, zero, negative, too large)
// selects the first entry instead of failing the command.
int storedExtension(const AppSettings& settings) {
    const AppSettings::FileType stored = settings.fileType();
    return stored.kind == AppSettings::FileType::Number && stored.value >= 1 ? stored.value : 1;
}

void storeExtension(AppSettings& settings, int filterIndex) {
    settings.setFileType(filterIndex);
    // A lost preference is not worth failing the command.
    if (!settings.flush())
        qCWarning(lcSkipped, "the file type of the dialog could not be put on disk");
}

FileDialogRequest dialogRequest(const Services& services, const QString& filter, int filterIndex) {
    return FileDialogRequest{filter, services.session.dataFolderPath, QString(), filterIndex};
}

// Remembers the file type the dialog closed with and passes its answer on;
// a cancel ends the command without a word.
std::optional<FileDialogResult> chosen(Session& session, const FileDialogRequest& request,
                                       std::optional<FileDialogResult> answer) {
    // The dialog hands back no file type on a cancel; it closed with the one
    // it was opened with as far as the program can tell.
    session.lastFilterIndex = answer ? answer->filterIndex : request.filterIndex;
    return answer;
}

// The program's own overwrite question; true when the user answered Yes or
// the file does not exist yet. A path that names what no write replaces (a
// pipe, a device, a folder, a symlink to nothing) is refused before the
// question, so that nothing changes.
bool mayWrite(Services& services, const QString& path) {
    if (!services.fileSystem.replacesFile(path))
        return true;
    const int style = msgbox::style(msgbox::Buttons::YesNo, msgbox::Icon::Question,
                                    msgbox::DefaultButton::Second);
    return services.messageBox.show(u"Datei bereits vorhanden, überschreiben?"_s, style,
                                    u"Sicherheitshinweis"_s) == msgbox::Answer::Yes;
}

} // namespace

DocumentCommands::DocumentCommands(Definition& definition, Services& services)
    : m_definition(definition), m_services(services) {}

void DocumentCommands::newDefinition() {
    // The start value with the first default button chosen, as clicks on
    // every group would leave it; the check boxes stay as they are. Every
    // option named here exists, so no step can fail.
    msgbox::Value value;
    value.defaultButton = msgbox::DefaultButton::First;
    value.systemModal = m_definition.isSystemModalTicked();
    value.helpButton = m_definition.isHelpButtonTicked();
    m_definition.apply(value);
    m_fileName.clear();
}

void DocumentCommands::open() {
    trapped(m_services.messageBox, u"mnuLaden_Click"_s, [&] {
        const FileDialogRequest request =
            dialogRequest(m_services, definitionFilter, storedExtension(m_services.settings));
        const auto file = chosen(m_services.session, request, m_services.fileDialogs.open(request));
        if (!file)
            return;
        load(file->path);
        storeExtension(m_services.settings, file->filterIndex);
    });
}

bool DocumentCommands::openFile(const QString& path) {
    return trapped(m_services.messageBox, u"mnuLaden_Click"_s, [&] { load(path); });
}

void DocumentCommands::load(const QString& path) {
    // The whole file is read and checked before anything changes, so that a
    // bad file leaves the definition and the file name as they were. The
    // file holds no check boxes; they stay as they are.
    m_definition.apply(definitionfile::load(m_services.fileSystem, path, m_definition.value()));
    m_fileName = path;
}

void DocumentCommands::save() {
    if (m_fileName.isEmpty()) {
        saveAs();
        return;
    }
    trapped(m_services.messageBox, u"mnuSpeicher_Click"_s, [&] {
        m_services.fileSystem.writeAtomically(m_fileName,
                                              definitionfile::encode(m_definition.value()));
    });
}

void DocumentCommands::saveAs() {
    trapped(m_services.messageBox, u"mnuSpeichernUnter_Click"_s, [&] {
        const FileDialogRequest request =
            dialogRequest(m_services, definitionFilter, storedExtension(m_services.settings));
        const auto file = chosen(m_services.session, request, m_services.fileDialogs.save(request));
        if (!file || !mayWrite(m_services, file->path))
            return;
        // The new name is taken over before the write: when it fails, a
        // later Save tries that file again and never overwrites the one the
        // user meant to keep unchanged.
        m_fileName = file->path;
        m_services.fileSystem.writeAtomically(file->path,
                                              definitionfile::encode(m_definition.value()));
        storeExtension(m_services.settings, file->filterIndex);
    });
}

void DocumentCommands::exportScript() {
    trapped(m_services.messageBox, u"mnuSpeichernVBS_Click"_s, [&] {
        // The script dialog has a filter list of its own and starts with the
        // file type the last file dialog closed with.
        const FileDialogRequest request =
            dialogRequest(m_services, scriptFilter, m_services.session.lastFilterIndex);
        const auto file = chosen(m_services.session, request, m_services.fileDialogs.save(request));
        if (!file || !mayWrite(m_services, file->path))
            return;
        // A script is always VBScript code, and the window shows that style
        // from now on.
        scriptfile::write(m_services.fileSystem, file->path, m_definition);
    });
}

void DocumentCommands::copyCode() {
    copyCode(m_language);
}

void DocumentCommands::chooseLanguage(lang::Language language) {
    m_language = language;
    AppSettings& settings = m_services.settings;
    settings.setLanguage(language);
    // A lost preference is not worth a word: the choice holds for this run.
    if (!settings.flush())
        qCWarning(lcSkipped, "the language could not be put on disk");
}

void DocumentCommands::takeStoredLanguage() {
    m_language = m_services.settings.language();
}

void DocumentCommands::copyCode(lang::Language language) {
    // Each language is a command of its own, and a failure says which.
    const QString procedure = lang::facts(language).copyCommand.toString() + u"_Click"_s;
    trapped(m_services.messageBox, procedure, [&] {
        // Built before the clipboard is touched: a failure leaves it as it was.
        const QString code = codeexport::code(m_definition.value(), language);
        m_services.clipboard.clear();
        m_services.clipboard.setText(code);
    });
}

void DocumentCommands::showSource() {
    trapped(m_services.messageBox, u"mnuQuellcode_Click"_s, [&] {
        const QString code = codeexport::code(m_definition.value(), m_language);
        MessageBoxRequest box;
        box.text = code;
        box.style = msgbox::style(msgbox::Buttons::Ok);
        box.title = u"Quellcode"_s;
        box.keepLines = true;
        m_services.messageBox.show(box);
    });
}

} // namespace veltrano
