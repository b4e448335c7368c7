#pragma once

#include "app/frmmsgbox.h"
#include "core/definition.h"
#include "platform/fakes/fakes.h"

#include <QList>
#include <QWidget>

#include <memory>

// A main window on fake services. The data folder dialog is replaced by a
// recorder, so that no modal dialog blocks a test.
struct WindowFixture {
    FakeServices fakes;
    Definition definition;
    frmMsgBox window{definition, fakes.services};
    QList<QWidget*> settingsDialogParents;
    std::function<void()> duringSettingsDialog;

    WindowFixture() {
        window.setSettingsDialog([this](QWidget* parent, Services&) {
            settingsDialogParents.append(parent);
            if (duringSettingsDialog)
                duringSettingsDialog();
        });
    }

    template <typename T = QWidget> T* child(const QString& name) {
        return window.findChild<T*>(name);
    }
};
