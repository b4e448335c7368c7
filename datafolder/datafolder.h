#pragma once

class QWidget;
struct Services;

// Opens the data folder dialog frmSpeicherpfad modally over parent and
// returns when it has been closed (OK, Exit or the close box).
void mnuEinstellungen_Click(QWidget* parent, Services& services);
