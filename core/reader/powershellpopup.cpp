#include "core/reader/powershellpopup.h"

#include "core/msgbox.h"
#include "core/reader/arguments.h"
#include "core/reader/buttonscheck.h"
#include "core/reader/popupcall.h"
#include "core/reader/powershellenums.h"
#include "core/reader/powershelllexer.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

Result<CallValues> readPopupArguments(Context& c, int open) {
    const Tokens& t = c.tokens;
    Result<std::vector<Argument>> split = splitArguments(t, open);
    if (!split) {
        return std::move(split).failure();
    }
    const std::vector<Argument>& args = *split;
    if (args.empty()) {
        return t.refuse(open, u"Der Meldungstext fehlt."_s);
    }
    if (args.size() > 4) {
        return t.refuse(args[4].b, u"Popup hat höchstens vier Argumente."_s);
    }
    CallValues values;
    values.promptPlace = t.offset(args[0].b);
    values.titlePlace = t.offset(args.size() > 2 ? args[2].b : open);
    if (Status s = c.evalText(c, args[0].b, args[0].e, values.prompt); !s) {
        return std::move(s).failure();
    }
    if (args.size() > 1) {
        const Argument wait = args[1];
        if (wait.b + 1 != wait.e || t[wait.b].kind != Kind::Number) {
            return t.refuse(wait.b, u"Die Wartezeit von Popup wird nicht ausgewertet."_s);
        }
        const Result<qint64> seconds = powerShellNumberValue(t, wait.b);
        if (!seconds) {
            return seconds.failure();
        }
        if (*seconds != 0) {
            return t.refuse(wait.b, popupWaitRefused(*seconds));
        }
    }
    if (args.size() > 2) {
        if (Status s = c.evalText(c, args[2].b, args[2].e, values.title); !s) {
            return std::move(s).failure();
        }
    }
    if (args.size() > 3) {
        const Argument type = args[3];
        Result<ButtonsValue> buttons = evalPowerShellNumbers(t, type.b, type.e);
        if (!buttons) {
            return std::move(buttons).failure();
        }
        if (Status s = checkButtons(t, *buttons, type.b); !s) {
            return std::move(s).failure();
        }
        values.value = buttons->value;
        values.defaultButtonNamed = buttons->namesDefaultButton();
        if (buttons->value & msgbox::HelpButtonFlag) {
            values.helpRefused = helpButtonRefused(t, *buttons, type.b);
        }
    }
    return values;
}

} // namespace veltrano::reader
