#pragma once

#include <QList>

#include <functional>

class QAction;
class QMenu;
class QObject;

namespace veltrano {

class DocumentCommands;

// Fills "Kopieren als" with an entry for each language of the table, and
// puts the radio submenu "Sprache" of the languages into the options menu
// before `before`: choosing one makes it the language of Copy and the
// source view, stores it, and then calls `chosen`. Returns the entries of
// "Kopieren als".
QList<QAction*> addLanguageMenus(QObject* owner, QMenu* copyAs, QMenu* options, QAction* before,
                                 DocumentCommands& documents, std::function<void()> chosen);

} // namespace veltrano
