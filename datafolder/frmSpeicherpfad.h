#pragma once

#include <QDialog>

#include <memory>

class QButtonGroup;
struct Services;

namespace Ui {
class frmSpeicherpfad;
}

// The data folder dialog: the user picks where the program keeps its data
// files (the program's own folder, the personal documents folder or the
// documents shared by all users). A choice takes effect for the whole program
// at once; OK creates the folder if needed and stores path and choice.
// Every step skips a failure silently and goes on with the next one.
class frmSpeicherpfad : public QDialog {
    Q_OBJECT

public:
    explicit frmSpeicherpfad(Services& services, QWidget* parent = nullptr);
    ~frmSpeicherpfad() override;

    // Index of the selected location option, -1 while none is selected.
    int selectedIndex() const;

    // Selects a location option as a click would (0, 1 or 2); any other
    // index selects nothing and leaves the data folder path alone.
    void selectOption(int index);

    void optSpeicherpfad_Click(int index);
    void cmdOrdnerpfad_Click();
    void cmdOK_Click();
    void cmdExit_Click();

private:
    void Form_Load();

    Services& m_services;
    std::unique_ptr<Ui::frmSpeicherpfad> m_ui;
    QButtonGroup* m_options = nullptr;
    bool m_confirming = false;
};
