#pragma once

#include "core/languages.h"

#include <QString>

#include <optional>

namespace veltrano {

class SettingsStore;

// The seven values the program keeps between runs, each under its key of the
// section "Options", read and written with the meaning its stored text has.
// Nothing else in the program names a settings key.
class AppSettings {
public:
    explicit AppSettings(SettingsStore& store) : m_store(store) {}

    // "frmMsgBoxLeft" and "frmMsgBoxTop": the main window's position in
    // twips, 100 when absent; nothing when the text is no usable number.
    std::optional<float> windowLeft() const;
    std::optional<float> windowTop() const;
    void setWindowPosition(int leftTwips, int topTwips);

    // "EinstellungSpeicherPfad": the data folder path.
    QString dataFolderPath(const QString& defaultPath) const;
    void setDataFolderPath(const QString& path);

    // "EinstellungSpeicherOrt": the data folder choice, 0 when absent;
    // nothing when the text is no 16-bit number.
    std::optional<int> dataFolderChoice() const;
    void setDataFolderChoice(int choice);

    // "FirstStart", compared as text: "False" (or absent) means the
    // first-start set-up is still to run, "True" that it has run; any other
    // text means neither.
    enum class FirstStart { Pending, Done, Neither };
    FirstStart firstStart() const;
    void setFirstStartDone();

    // "Extension": the file type position of the definition-file dialogs.
    struct FileType {
        enum Kind { Missing, NotANumber, Number };
        Kind kind = Missing;
        int value = 1; // the position when kind is Number, else 1
    };
    FileType fileType() const;
    void setFileType(int position);

    // "Sprache": the language of Copy and the source view, as its
    // --language value; Basic when absent or unknown.
    lang::Language language() const;
    void setLanguage(lang::Language language);

    // Puts everything written so far on disk; false if that failed.
    bool flush();

private:
    std::optional<float> coordinate(const QString& key) const;

    SettingsStore& m_store;
};

} // namespace veltrano
