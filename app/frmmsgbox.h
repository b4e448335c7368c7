#pragma once

#include "core/definition.h"
#include "documents/commands.h"

#include <QMainWindow>
#include <QPointF>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class RawTextMirror;
class ToolbarPicture;
struct Services;

namespace Ui {
class frmMsgBox;
}

// The main window: shows one message box definition, forwards the user's
// choices to it and runs every command of the program from its menu and
// toolbar strip.
class frmMsgBox : public QMainWindow {
    Q_OBJECT

public:
    // Opens the data folder dialog over the window and returns when it has
    // been closed. Tests replace it so that no modal dialog blocks them.
    using SettingsDialog = std::function<void(QWidget* parent, Services& services)>;

    frmMsgBox(Definition& definition, Services& services, QWidget* parent = nullptr);
    ~frmMsgBox() override;

    void setSettingsDialog(SettingsDialog dialog);

    // The start-up steps: data folder path, the one-time first-start set-up
    // (which shows the window and opens the data folder dialog), then the
    // stored window position.
    void Form_Load();
    // Restores the window position from the settings store.
    void RegistryLesen();

    // False when the settings store could not put the values written on
    // closing on disk.
    bool settingsSaved() const { return m_settingsSaved; }

    DocumentCommands& documents() { return m_documents; }
    Definition& definition() { return m_definition; }

    // The toolbar picture with that index, or nullptr.
    ToolbarPicture* imgButton(int index) const;

public slots:
    void mnuNeu_Click();
    void mnuLaden_Click();
    void mnuSpeicher_Click();
    void mnuSpeichernUnter_Click();
    void mnuSpeichernVBS_Click();
    void mnuBeenden_Click();
    void mnuKopieren_Click();
    void mnuQuellcode_Click();
    void mnuVorschau_Click();
    void mnuEinstellungen_Click();
    void mnuUpdateIE_Click();
    void mnuUpdateCheck_Click();
    void mnuUpdateCheckAllwaysOff_Click();
    void mnuInfo_Click();
    void mnuUpdateSuchen_Click();
    void mnuWebsite_Click();
    void mnuProblembericht_Click();

    void optButtons_Click(int index);
    void optIcons_Click(int index);
    void optDefaultButton_Click(int index);
    void optCode_Click(int index);
    void chkHelpButton_Click();

    void imgButton_Click(int index);
    void imgButton_MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                             QPointF position);
    void imgButton_MouseUp(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                           QPointF position);

protected:
    // The unload: saves the position when the window is in its normal state
    // and puts the settings on disk.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpOptionGroups();
    void setUpTextBoxes();
    void setUpToolbar();
    void setUpMenu();
    void setUpTabOrder();
    void applyColoursAndFonts();
    void placeAtDesignedPosition();

    void showDefinition(Definition::Changes what);

    Definition& m_definition;
    Services& m_services;
    DocumentCommands m_documents;
    SettingsDialog m_settingsDialog;
    std::unique_ptr<Ui::frmMsgBox> ui;
    QButtonGroup* m_optIcons = nullptr;
    QButtonGroup* m_optButtons = nullptr;
    QButtonGroup* m_optDefaultButton = nullptr;
    QButtonGroup* m_optCode = nullptr;
    RawTextMirror* m_messageText = nullptr; // txtMessage as typed, line breaks CR LF
    bool m_showing = false;                 // set while the window copies the definition
    bool m_typing = false;                  // set while the message box passes an edit on
    bool m_settingsSaved = true;
};
