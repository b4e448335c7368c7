#pragma once

#include "core/definition.h"
#include "documents/commands.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QButtonGroup;

namespace Ui {
class MainWindow;
}

namespace veltrano {

class RawTextMirror;
class ToolbarPicture;
struct Services;

// The main window: shows one message box definition, passes the user's
// choices to it and runs every command of the program. Each command is one
// QAction of the form, shared by its menu item and its toolbar picture.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Opens the data folder dialog over the window and returns when it has
    // been closed. Tests replace it so that no modal dialog blocks them.
    using DataFolderDialogOpener = std::function<void(QWidget* parent, Services& services)>;

    MainWindow(Definition& definition, Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setDataFolderDialogOpener(DataFolderDialogOpener opener);

    DocumentCommands& documents() { return m_documents; }
    Definition& definition() { return m_definition; }

    // The toolbar picture with that index (the order of the form's table of
    // pictures), or nullptr.
    ToolbarPicture* toolbarPicture(int index) const;

    // The commands of the menu and the toolbar strip.
    void quit();
    void preview();
    void showDataFolderDialog();
    // "Code einlesen...": reads a MsgBox call into the definition.
    void readCode();

    // What a click on an option or check box does.
    void chooseButtons(int index);
    void chooseIcon(int index);
    void chooseDefaultButton(int index);
    void chooseCode(int index);
    void toggleHelpButton();
    void toggleSystemModal();

signals:
    // The window is being closed (unloaded); it never refuses.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUpOptionGroups();
    void setUpTextBoxes();
    void setUpCommands();
    void setUpTabOrder();
    void applyColoursAndFonts();
    void placeAtDesignedPosition();
    void setUpFileDrops();
    void setUpAccessibility();
    void nameDefaultButtonOptions();
    void showLanguage();

    void showDefinition(Definition::Changes what);
    // Tells the user that text holding a NUL was not put into a box.
    void refuseNul();

    Definition& m_definition;
    Services& m_services;
    DocumentCommands m_documents;
    DataFolderDialogOpener m_dataFolderDialog;
    std::unique_ptr<::Ui::MainWindow> ui;
    QButtonGroup* m_icons = nullptr;
    QButtonGroup* m_buttons = nullptr;
    QButtonGroup* m_defaultButtons = nullptr;
    QButtonGroup* m_codeStyles = nullptr;
    QList<QAction*> m_copyAs;               // the entries of "Kopieren als"
    RawTextMirror* m_messageText = nullptr; // txtMessage as typed, line breaks CR LF
    bool m_showing = false;                 // set while the window copies the definition
    bool m_typing = false;                  // set while the message box passes an edit on
};

} // namespace veltrano
