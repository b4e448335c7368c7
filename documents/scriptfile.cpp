#include "documents/scriptfile.h"

#include "core/definition.h"
#include "core/generators.h"
#include "core/optiontables.h"
#include "documents/textcodec.h"
#include "platform/filesystem.h"

using namespace Qt::StringLiterals;

namespace veltrano {

namespace scriptfile {

QByteArray encode(const Definition& definition) {
    return textcodec::encode(gen::generateCode(definition) + u"\r\n"_s,
                             textcodec::Fallback::Utf16LeWithBom);
}

void write(FileSystem& files, const QString& path, Definition& definition, Target target) {
    if (!definition.isSelected(options::Group::Code, options::Vbs))
        definition.selectCode(options::Vbs);
    if (target == Target::FileOrStream)
        files.writeFileOrStream(path, encode(definition));
    else
        files.writeAtomically(path, encode(definition));
}

} // namespace scriptfile

} // namespace veltrano
