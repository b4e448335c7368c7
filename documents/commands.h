#pragma once

#include "core/languages.h"

#include <QString>

namespace veltrano {

class Definition;
struct Services;

// The document and output commands of the main window: New, Open, Save,
// Save As, Save as script, Copy and Source view. They work on the definition
// and the services only, never on widgets.
class DocumentCommands {
public:
    DocumentCommands(Definition& definition, Services& services);

    void newDefinition();
    void open();
    // Opens the definition file at path as Open does once its dialog has
    // closed, with the same checks and error report; the file type setting
    // stays as it is, since no dialog filter was chosen. Returns false when
    // the file was refused, which changes nothing.
    bool openFile(const QString& path);
    void save();
    void saveAs();
    void exportScript();
    // Copies the code of the selected style in the chosen language, or in
    // that language.
    void copyCode();
    void copyCode(lang::Language language);
    // Shows the code in the chosen language.
    void showSource();

    // The language of Copy and the source view ("Sprache"); choosing one
    // stores it in the settings.
    lang::Language language() const { return m_language; }
    void chooseLanguage(lang::Language language);
    // Takes the language the settings hold, without storing anything.
    void takeStoredLanguage();

    // The path of the current definition file; empty until Open or Save As.
    const QString& fileName() const { return m_fileName; }

private:
    // Reads and checks the file, then makes the definition and the file
    // name follow it; throws vb::Error and changes nothing on a failure.
    void load(const QString& path);

    Definition& m_definition;
    Services& m_services;
    QString m_fileName;
    lang::Language m_language = lang::DefaultLanguage;
};

} // namespace veltrano
