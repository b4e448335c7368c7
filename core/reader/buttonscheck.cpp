#include "core/reader/buttonscheck.h"

#include "core/msgboxstyle.h"

#include <QString>

#include <algorithm>

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

Status checkButtons(const Tokens& t, const ButtonsValue& buttons, int argToken) {
    const quint32 v = quint32(buttons.value);
    // Every bit some constant of the family can set.
    constexpr quint32 Named = 0x7 | vb::IconMask | vb::vbDefaultButton4 | vb::vbSystemModal |
                              vb::vbMsgBoxHelpButton | vb::vbMsgBoxSetForeground |
                              vb::vbMsgBoxRight | vb::vbMsgBoxRtlReading;
    auto where = [&](const Piece* piece) { return piece ? piece->token : argToken; };

    if (const quint32 unnamed = v & ~Named) {
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
    if (const quint32 set = v & vb::ButtonSetMask; set > vb::vbRetryCancel) {
        return t.refuse(where(buttons.pieceWith(vb::ButtonSetMask, set)),
                        u"Den Schaltflächenwert %1 kann das Fenster nicht darstellen."_s.arg(set));
    }
    if (const quint32 icon = v & vb::IconMask; icon > vb::vbInformation) {
        return t.refuse(where(buttons.pieceWith(vb::IconMask, icon)),
                        u"Den Symbolwert %1 kann das Fenster nicht darstellen."_s.arg(icon));
    }
    struct Unshown {
        quint32 mask;
        quint32 bits;
        const char16_t* valueText;
    };
    static constexpr Unshown unshown[] = {
        {vb::DefaultButtonMask, vb::vbDefaultButton4,
         u"Den Standardschaltflächenwert %1 kann das Fenster nicht darstellen."},
        {vb::vbMsgBoxSetForeground, vb::vbMsgBoxSetForeground,
         u"Den Wert %1 kann das Fenster nicht darstellen."},
        {vb::vbMsgBoxRight, vb::vbMsgBoxRight, u"Den Wert %1 kann das Fenster nicht darstellen."},
        {vb::vbMsgBoxRtlReading, vb::vbMsgBoxRtlReading,
         u"Den Wert %1 kann das Fenster nicht darstellen."},
    };
    for (const Unshown& entry : unshown) {
        if ((v & entry.mask) != entry.bits) {
            continue;
        }
        const Piece* piece = buttons.pieceWith(entry.mask, entry.bits);
        if (piece && piece->constant && piece->constant->value == int(entry.bits)) {
            return t.refuse(piece->token,
                            u"%1 kann das Fenster nicht darstellen."_s.arg(piece->constant->name));
        }
        return t.refuse(where(piece), QStringView(entry.valueText).toString().arg(entry.bits));
    }
    return done();
}

Failure helpButtonRefused(const Tokens& t, const ButtonsValue& buttons, int argToken) {
    const Piece* piece = buttons.pieceWith(vb::vbMsgBoxHelpButton, vb::vbMsgBoxHelpButton);
    const bool byName =
        piece && piece->constant && piece->constant->value == vb::vbMsgBoxHelpButton;
    return t.refuse(
        piece ? piece->token : argToken,
        u"Im Stil VBS gibt es keine Hilfeschaltfläche (%1)."_s.arg(
            byName ? piece->constant->name.toString() : QString::number(vb::vbMsgBoxHelpButton)));
}

} // namespace veltrano::reader
