#include "datafolder/datafolder.h"

#include "datafolder/frmSpeicherpfad.h"

#include "platform/errortrap.h"

void mnuEinstellungen_Click(QWidget* parent, Services& services) {
    // A new dialog each time, so it reads the stored choice afresh.
    skipOnFailure([&] {
        frmSpeicherpfad dialog(services, parent);
        dialog.exec();
    });
}
