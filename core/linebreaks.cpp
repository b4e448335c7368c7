#include "core/linebreaks.h"

namespace veltrano::linebreaks {

QString normalized(QStringView text, QStringView lineBreak) {
    QString result;
    result.reserve(text.size());
    forEachLine(
        text, [&](QStringView line) { result += line; }, [&] { result += lineBreak; });
    return result;
}

QList<QStringView> lines(QStringView text) {
    QList<QStringView> result;
    forEachLine(
        text, [&](QStringView line) { result.append(line); }, [] {});
    if (result.constLast().isEmpty())
        result.removeLast();
    return result;
}

} // namespace veltrano::linebreaks
