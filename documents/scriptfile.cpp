#include "documents/scriptfile.h"

#include "core/definition.h"
#include "core/generators.h"
#include "documents/textcodec.h"
#include "platform/filesystem.h"

using namespace Qt::StringLiterals;

namespace veltrano {

namespace scriptfile {

QByteArray encode(const msgbox::Value& value) {
    return textcodec::encode(gen::generateCode(value) + u"\r\n"_s,
                             textcodec::Fallback::Utf16LeWithBom);
}

void write(FileSystem& files, const QString& path, Definition& definition, Target target) {
    if (definition.value().code != msgbox::CodeStyle::Vbs)
        definition.selectCode(int(msgbox::CodeStyle::Vbs));
    if (target == Target::FileOrStream)
        files.writeFileOrStream(path, encode(definition.value()));
    else
        files.writeAtomically(path, encode(definition.value()));
}

} // namespace scriptfile

} // namespace veltrano
