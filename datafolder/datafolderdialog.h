#pragma once

#include <QDialog>

#include <memory>

class QButtonGroup;
class QWidget;

namespace Ui {
class DataFolderDialog;
}

namespace veltrano {

struct Services;

// The data folder dialog: the user picks where the program keeps its data
// files (the program's own folder, the personal documents folder or the
// documents shared with others). A choice takes effect for the whole program
// at once; OK creates the folder if needed and stores path and choice.
class DataFolderDialog : public QDialog {
    Q_OBJECT

public:
    explicit DataFolderDialog(Services& services, QWidget* parent = nullptr);
    ~DataFolderDialog() override;

    // Index of the selected location option, -1 while none is selected.
    int selectedIndex() const;

    // Selects a location option as a click would (0, 1 or 2); any other
    // index selects nothing and leaves the data folder path alone.
    void selectOption(int index);

    // "&Ordnerpfad": shows the data folder path.
    void showFolderPath();
    // "&OK": creates the folder if needed, stores path and choice, closes.
    void confirm();

private:
    void locationChosen(int index);

    Services& m_services;
    std::unique_ptr<::Ui::DataFolderDialog> m_ui;
    QButtonGroup* m_options = nullptr;
    bool m_confirming = false;
};

// Opens a new data folder dialog modally over parent and returns when it has
// been closed (OK, Exit or the close box). Each opening reads the stored
// choice afresh.
void showDataFolderDialog(QWidget* parent, Services& services);

} // namespace veltrano
