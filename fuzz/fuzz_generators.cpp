// Generation from arbitrary title and message text after a random sequence
// of option choices: no crash, no sanitizer report, and every code style
// keeps the rules of generated text (see generatedcode.h).
#include "core/definition.h"
#include "core/optiontables.h"
#include "generatedcode.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

using namespace veltrano;

namespace {

// Text from the input: UTF-8 (the common case: umlauts, quotes, line
// breaks), or raw UTF-16 code units, which also gives lone surrogates and
// control characters.
QString consumeText(FuzzedDataProvider& in) {
    const bool utf16 = in.ConsumeBool();
    const std::string bytes = in.ConsumeRandomLengthString(600);
    if (!utf16)
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    return QString(reinterpret_cast<const QChar*>(bytes.data()), qsizetype(bytes.size() / 2));
}

// An index of the group: usually one of its options, sometimes any number,
// which the definition must refuse without changing anything.
int consumeIndex(FuzzedDataProvider& in, options::Group group) {
    const auto table = options::table(group);
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        return in.ConsumeIntegral<int>();
    return table[in.ConsumeIntegralInRange<std::size_t>(0, table.size() - 1)].index;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Definition def;
    def.setTitle(consumeText(in));
    def.setMessage(consumeText(in));
    while (in.remaining_bytes() > 0) {
        try {
            switch (in.ConsumeIntegralInRange(0, 7)) {
            case 0:
                def.selectIcon(consumeIndex(in, options::Group::Icons));
                break;
            case 1:
                def.selectButtons(consumeIndex(in, options::Group::Buttons));
                break;
            case 2:
                def.selectDefaultButton(consumeIndex(in, options::Group::DefaultButton));
                break;
            case 3:
                def.selectCode(consumeIndex(in, options::Group::Code));
                break;
            case 4:
                def.setSystemModal(in.ConsumeIntegralInRange(-1, 3));
                break;
            case 5:
                def.setHelpButton(in.ConsumeIntegralInRange(-1, 3));
                break;
            case 6:
                def.setTitle(consumeText(in));
                break;
            default:
                def.setMessage(consumeText(in));
                break;
            }
        } catch (const vb::Error&) {
            // A refused choice changes nothing; the next one follows.
        }
    }
    fuzzcheck::generateAndCheckAll(def);
    return 0;
}
