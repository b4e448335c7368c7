#include "app/codereaderdialog.h"

#include "app/appearance.h"
#include "app/rawtext.h"

#include "core/codereader.h"
#include "core/definition.h"
#include "core/languages.h"
#include "core/linebreaks.h"
#include "core/sizetext.h"
#include "platform/errortrap.h"
#include "platform/services.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <variant>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace {

const QString tooLong =
    u"Der Text ist länger als %1 und wird nicht eingelesen."_s.arg(mebibytes(MaxSourceLength));

// The source box takes no paste that would make its text longer than the
// reader reads: a pasted file of hundreds of megabytes would block the
// window for a long time, only to be refused.
class SourceBox : public QPlainTextEdit {
public:
    SourceBox(std::function<void(const QString&)> refuse, QWidget* parent)
        : QPlainTextEdit(parent), m_refuse(std::move(refuse)) {}

protected:
    void insertFromMimeData(const QMimeData* source) override {
        const qsizetype incoming = source->hasText() ? source->text().size() : 0;
        const qsizetype kept = document()->characterCount() - textCursor().selectedText().size();
        if (incoming + kept > MaxSourceLength) {
            m_refuse(tooLong);
            return;
        }
        QPlainTextEdit::insertFromMimeData(source);
    }

private:
    std::function<void(const QString&)> m_refuse;
};

// The document position of a character offset into the raw text, whose
// block breaks are two characters (CR LF) where the document has one.
int documentPosition(const QString& raw, qsizetype offset) {
    offset = std::clamp<qsizetype>(offset, 0, raw.size());
    qsizetype position = 0;
    linebreaks::forEachLine(
        QStringView(raw).first(offset), [&](QStringView line) { position += line.size(); },
        [&] { ++position; });
    return int(position);
}

} // namespace

CodeReaderDialog::CodeReaderDialog(Definition& definition, Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_definition(definition), m_services(services) {
    setObjectName(u"frmCodeEinlesen"_s);
    setWindowTitle(u"Code einlesen"_s);
    setModal(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, appearance::formBackground);
    setPalette(background);
    setAutoFillBackground(true);

    // The label breaks its lines between the names, never inside one after
    // a plus or a slash: a word joiner follows each.
    QString names = lang::joinedNames(u" oder ", true);
    names.replace(u'+', u"+\u2060"_s).replace(u'/', u"/\u2060"_s);
    auto* intro = new QLabel(u"Den Aufruf eines Meldungsfensters einfügen ("_s + names +
                                 u"); der erste Aufruf wird übernommen:"_s,
                             this);
    intro->setWordWrap(true);
    m_source = new SourceBox([this](const QString& text) { showMessage(text); }, this);
    m_source->setObjectName(u"txtCode"_s);
    m_source->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_source->setTabChangesFocus(true);
    m_source->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette white = m_source->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_source->setPalette(white);
    intro->setBuddy(m_source);

    m_message = new QLabel(this);
    m_message->setObjectName(u"lblMeldung"_s);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->hide();

    auto* buttons = new QDialogButtonBox(this);
    m_apply = buttons->addButton(u"Übernehmen"_s, QDialogButtonBox::AcceptRole);
    m_apply->setObjectName(u"cmdUebernehmen"_s);
    m_apply->setDefault(true);
    QPushButton* cancel = buttons->addButton(u"Abbrechen"_s, QDialogButtonBox::RejectRole);
    cancel->setObjectName(u"cmdAbbrechen"_s);
    // The box is multi-line, so Return types a line break there; Ctrl+Return
    // applies from anywhere in the dialog.
    connect(m_apply, &QPushButton::clicked, this, &CodeReaderDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, &CodeReaderDialog::apply);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_source, 1);
    layout->addWidget(m_message);
    layout->addWidget(buttons);
    resize(640, 360);

    // What the user most likely wants to read is what they have just copied.
    const QString clipboard = services.clipboard.readText();
    if (clipboard.size() > MaxSourceLength) {
        showMessage(tooLong);
    } else if (!clipboard.isEmpty()) {
        m_source->setPlainText(clipboard);
        m_source->selectAll();
    }
    m_source->setFocus();
}

void CodeReaderDialog::showMessage(const QString& text) {
    m_message->setText(text);
    m_message->show();
}

void CodeReaderDialog::apply() {
    const QString source = rawtext::of(*m_source->document());
    const ReadResult result = readMsgBoxCall(source, m_definition.value().code);
    if (const auto* error = std::get_if<ReadError>(&result)) {
        showMessage(error->text);
        QTextCursor cursor = m_source->textCursor();
        cursor.setPosition(documentPosition(source, error->offset));
        m_source->setTextCursor(cursor);
        m_source->setFocus();
        return;
    }
    const ReadCall& call = std::get<ReadCall>(result);
    if (trapped(m_services.messageBox, objectName(), u"cmdUebernehmen_Click"_s,
                [&] { m_definition.apply(call.value); }))
        accept();
}

} // namespace veltrano
