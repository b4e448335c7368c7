#include "platform/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace veltrano {

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void QtClipboard::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

QString QtClipboard::readText() const {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

} // namespace veltrano
