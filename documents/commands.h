#pragma once

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
    void save();
    void saveAs();
    void exportScript();
    void copyCode();
    void showSource();

    // The path of the current definition file; empty until Open or Save As.
    const QString& fileName() const { return m_fileName; }

private:
    Definition& m_definition;
    Services& m_services;
    QString m_fileName;
};

} // namespace veltrano
