#include "core/reader/buttonscheck.h"

#include "core/msgboxtables.h"

#include <QString>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace veltrano::reader {

const Piece* ButtonsValue::pieceWith(qint64 mask, qint64 bits) const {
    for (const Piece& piece : pieces) {
        if ((quint32(piece.value) & quint32(mask)) == quint32(bits)) {
            return &piece;
        }
    }
    return nullptr;
}

bool ButtonsValue::namesDefaultButton() const {
    return std::any_of(pieces.begin(), pieces.end(), [](const Piece& p) {
        return p.constant && p.constant->family == Family::DefaultButton;
    });
}

namespace {

// Every bit some Basic style constant can set.
quint32 namedBits() {
    quint32 bits = 0;
    for (const msgbox::ButtonSetFacts& set : msgbox::buttonSets())
        bits |= set.basic.isEmpty() ? 0 : quint32(set.buttons);
    for (const msgbox::IconFacts& icon : msgbox::icons())
        bits |= quint32(icon.icon);
    for (const msgbox::DefaultButtonFacts& button : msgbox::defaultButtons())
        bits |= quint32(button.value);
    for (const msgbox::FlagFacts& flag : msgbox::flags())
        bits |= flag.basic.isEmpty() ? 0 : quint32(flag.value);
    return bits;
}

// A value the runtime knows and the window does not offer: the fourth
// default button and the options beyond the help button.
struct Unshown {
    quint32 mask;
    quint32 bits;
    QString valueText;
};

std::vector<Unshown> makeUnshown() {
    std::vector<Unshown> unshown;
    for (const msgbox::DefaultButtonFacts& button : msgbox::defaultButtons()) {
        if (!button.isOffered())
            unshown.push_back(
                {msgbox::DefaultButtonMask, quint32(button.value),
                 u"Den Standardschaltflächenwert %1 kann das Fenster nicht darstellen."_s});
    }
    for (const msgbox::FlagFacts& flag : msgbox::flags()) {
        if (!flag.offered && flag.value != 0 && !flag.basic.isEmpty())
            unshown.push_back({quint32(flag.value), quint32(flag.value),
                               u"Den Wert %1 kann das Fenster nicht darstellen."_s});
    }
    return unshown;
}

} // namespace

Status checkButtons(const Tokens& t, const ButtonsValue& buttons, int argToken) {
    static const quint32 named = namedBits();
    static const std::vector<Unshown> unshown = makeUnshown();
    const quint32 v = quint32(buttons.value);
    auto where = [&](const Piece* piece) { return piece ? piece->token : argToken; };

    if (const quint32 unnamed = v & ~named) {
        const quint32 bit = unnamed & (~unnamed + 1);
        const Piece* piece = buttons.pieceWith(bit, bit);
        if (piece && quint32(piece->value) != bit) {
            return t.refuse(piece->token,
                            u"%1 enthält den Wert %2, der zu keiner MsgBox-Konstante gehört."_s
                                .arg(shown(t.text(piece->token)))
                                .arg(bit));
        }
        return t.refuse(where(piece), u"Der Wert %1 gehört zu keiner MsgBox-Konstante."_s.arg(bit));
    }
    if (const int set = int(v & msgbox::ButtonsMask); !msgbox::buttonsOf(set)) {
        return t.refuse(where(buttons.pieceWith(msgbox::ButtonsMask, set)),
                        u"Den Schaltflächenwert %1 kann das Fenster nicht darstellen."_s.arg(set));
    }
    if (const int icon = int(v & msgbox::IconMask); !msgbox::iconOf(icon)) {
        return t.refuse(where(buttons.pieceWith(msgbox::IconMask, icon)),
                        u"Den Symbolwert %1 kann das Fenster nicht darstellen."_s.arg(icon));
    }
    for (const Unshown& entry : unshown) {
        if ((v & entry.mask) != entry.bits) {
            continue;
        }
        const Piece* piece = buttons.pieceWith(entry.mask, entry.bits);
        if (piece && piece->constant && piece->constant->value == int(entry.bits)) {
            return t.refuse(piece->token,
                            u"%1 kann das Fenster nicht darstellen."_s.arg(piece->constant->name));
        }
        return t.refuse(where(piece), entry.valueText.arg(entry.bits));
    }
    return done();
}

Failure helpButtonRefused(const Tokens& t, const ButtonsValue& buttons, int argToken) {
    const Piece* piece = buttons.pieceWith(msgbox::HelpButtonFlag, msgbox::HelpButtonFlag);
    const bool byName =
        piece && piece->constant && piece->constant->value == msgbox::HelpButtonFlag;
    return t.refuse(
        piece ? piece->token : argToken,
        u"Im Stil VBS gibt es keine Hilfeschaltfläche (%1)."_s.arg(
            byName ? piece->constant->name.toString() : QString::number(msgbox::HelpButtonFlag)));
}

} // namespace veltrano::reader
