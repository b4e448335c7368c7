#include "datafolder/datafolder.h"

#include "datafolder/frmSpeicherpfad.h"

void mnuEinstellungen_Click(QWidget* parent, Services& services) {
    // A new dialog each time, so it reads the stored choice afresh.
    try {
        frmSpeicherpfad dialog(services, parent);
        dialog.exec();
    } catch (...) {
    }
}
