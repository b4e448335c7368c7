#pragma once

#include <QString>

class Definition;
struct Services;

// The document and output commands of the main window: New, Open, Save,
// Save As, Save as script, Copy and Source view. They work on the definition
// and the services only, never on widgets.
class DocumentCommands {
public:
    DocumentCommands(Definition& definition, Services& services);

    void mnuNeu_Click();
    void mnuLaden_Click();
    void mnuSpeicher_Click();
    void mnuSpeichernUnter_Click();
    void mnuSpeichernVBS_Click();
    void mnuKopieren_Click();
    void mnuQuellcode_Click();

    // The path of the current definition file; empty until Open or Save As.
    const QString& dateiname() const { return m_dateiname; }

private:
    Definition& m_definition;
    Services& m_services;
    QString m_dateiname;
};
