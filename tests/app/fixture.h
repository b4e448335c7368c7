#pragma once

#include "app/lifecycle.h"
#include "app/mainwindow.h"
#include "core/definition.h"
#include "platform/fakes/fakes.h"

#include <QList>
#include <QWidget>

#include <memory>

// A main window on fake services. The data folder dialog is replaced by a
// recorder, so that no modal dialog blocks a test.
struct WindowFixture {
    veltrano::FakeServices fakes;
    veltrano::Definition definition;
    veltrano::MainWindow window{definition, fakes.services};
    veltrano::Lifecycle lifecycle{window, fakes.services};
    QList<QWidget*> settingsDialogParents;
    std::function<void()> duringSettingsDialog;

    WindowFixture() {
        window.setDataFolderDialogOpener([this](QWidget* parent, veltrano::Services&) {
            settingsDialogParents.append(parent);
            if (duringSettingsDialog)
                duringSettingsDialog();
        });
    }

    template <typename T = QWidget> T* child(const QString& name) {
        return window.findChild<T*>(name);
    }
};
