#pragma once

#include <QObject>
#include <QString>

class QDropEvent;
class QMimeData;
class QWidget;

namespace veltrano {

// Takes a definition file dropped on the widgets it watches. A drag of one
// local file is accepted as a copy (never as a move, which would have the
// source delete the file) and dropped() follows once the drop has ended.
// Anything else that carries links (several files, a web address) is
// refused with the no-drop cursor, in text boxes too, so that no path is
// typed into them; a drag of plain text is left to the widget, so text
// still drops into a text box, unless it holds a NUL, which no text box
// takes.
class FileDrop : public QObject {
    Q_OBJECT

public:
    explicit FileDrop(QObject* parent = nullptr);

    // Lets widget take drops and watches its drag events.
    void watch(QWidget* widget);

    // The path of the one local file the data carries; empty when it
    // carries no link, several, or one that is not a local file.
    static QString singleLocalFile(const QMimeData* data);

signals:
    // A file was dropped; sent from the event loop after the drop, so that
    // the drag source is not kept waiting while the file is opened.
    void dropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Accepts a drag or drop of one file as a copy (or a link); false when
    // the source offers neither.
    static bool acceptFile(QDropEvent* event);
};

} // namespace veltrano
