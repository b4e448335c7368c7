#include "app/filedrop.h"

#include "app/textboxes.h"

#include <QDropEvent>
#include <QMetaObject>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace veltrano {

FileDrop::FileDrop(QObject* parent) : QObject(parent) {}

void FileDrop::watch(QWidget* widget) {
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

QString FileDrop::singleLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return QString();
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return QString();
    return urls.constFirst().toLocalFile();
}

bool FileDrop::acceptFile(QDropEvent* event) {
    // Opening reads the file only; a move would make the source delete it.
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (event->possibleActions() & action) {
            event->setDropAction(action);
            event->accept();
            return true;
        }
    }
    event->ignore();
    return false;
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    // Plain text is the watched widget's own business, unless it holds a
    // NUL, which the text boxes do not take.
    if (!drop->mimeData() || !drop->mimeData()->hasUrls()) {
        if (!drop->mimeData() || !holdsNul(drop->mimeData()->text()))
            return QObject::eventFilter(watched, event);
        drop->setDropAction(Qt::IgnoreAction);
        drop->ignore();
        return true;
    }

    const QString path = singleLocalFile(drop->mimeData());
    if (path.isEmpty()) {
        drop->setDropAction(Qt::IgnoreAction);
        drop->ignore();
        return true;
    }
    if (acceptFile(drop) && type == QEvent::Drop) {
        QMetaObject::invokeMethod(
            this, [this, path] { emit dropped(path); }, Qt::QueuedConnection);
    }
    return true;
}

} // namespace veltrano
