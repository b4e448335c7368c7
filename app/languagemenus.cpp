#include "app/languagemenus.h"

#include "core/languages.h"
#include "documents/commands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace veltrano {

QList<QAction*> addLanguageMenus(QObject* owner, QMenu* copyAs, QMenu* options, QAction* before,
                                 DocumentCommands& documents, std::function<void()> chosen) {
    auto* languageMenu = new QMenu(u"Sp&rache"_s, options);
    languageMenu->setObjectName(u"mnuSprache"_s);
    languageMenu->menuAction()->setObjectName(u"mnuSprache"_s);
    options->insertMenu(before, languageMenu);
    auto* group = new QActionGroup(owner);

    QList<QAction*> entries;
    for (const lang::LanguageFacts& language : lang::languages()) {
        // The caption names the action for screen readers as well.
        auto* action = new QAction(language.copyAsCaption.toString(), owner);
        action->setObjectName(u"mnuKopieren"_s + language.actionName.toString());
        action->setShortcut(QKeySequence(language.copyAsShortcut.toString()));
        action->setIconVisibleInMenu(false);
        copyAs->addAction(action);
        QObject::connect(action, &QAction::triggered, owner,
                         [&documents, which = language.language] { documents.copyCode(which); });
        entries.append(action);

        auto* choice = new QAction(language.copyAsCaption.toString(), group);
        choice->setObjectName(u"mnuSprache"_s + language.actionName.toString());
        choice->setCheckable(true);
        choice->setChecked(language.language == documents.language());
        languageMenu->addAction(choice);
        QObject::connect(choice, &QAction::triggered, owner,
                         [&documents, chosen, which = language.language] {
                             documents.chooseLanguage(which);
                             chosen();
                         });
    }
    return entries;
}

} // namespace veltrano
