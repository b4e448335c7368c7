#include "platform/qtmessagebox.h"

#include "platform/qtmessageboxdialog.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace veltrano {

int QtMessageBox::show(const MessageBoxRequest& request) {
    QWidget* parent = m_parent ? m_parent.data() : QApplication::activeWindow();
    MessageBoxDialog dialog(request, parent);
    const int result = dialog.exec();
    if (result != 0)
        return result;
    // Closed from outside (the program is ending): answer what Esc would,
    // or the default button where the box has no cancel choice.
    if (const int escape = msgbox::escapeResult(request.style))
        return escape;
    return msgbox::buttonsFor(request.style).at(msgbox::defaultButtonIndex(request.style)).result;
}

bool installGermanTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(u"qtbase_de"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace veltrano
