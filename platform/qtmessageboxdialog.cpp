#include "platform/qtmessageboxdialog.h"

#include "core/linebreaks.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace veltrano {

namespace msgbox {

const ButtonSetFacts& buttonSetOf(int style) {
    const auto set = buttonsOf(style & ButtonsMask);
    return facts(set.value_or(Buttons::Ok));
}

int defaultButtonIndex(int style) {
    const int wanted = defaultButtonPlace(style);
    return wanted < buttonSetOf(style).count ? wanted : 0;
}

std::optional<Answer> escapeAnswer(int style) {
    const auto answers = buttonSetOf(style).answers();
    for (const Answer answer : answers) {
        if (answer == Answer::Cancel)
            return answer;
    }
    // The OK-only box has no other answer, so Esc means OK.
    if (answers.size() == 1)
        return answers.front();
    return std::nullopt;
}

QStyle::StandardPixmap iconFor(int style) {
    switch (Icon(style & IconMask)) {
    case Icon::Critical:
        return QStyle::SP_MessageBoxCritical;
    case Icon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case Icon::Exclamation:
        return QStyle::SP_MessageBoxWarning;
    case Icon::Information:
        return QStyle::SP_MessageBoxInformation;
    default:
        return QStyle::SP_CustomBase; // no icon
    }
}

} // namespace msgbox

namespace {

// The window title exactly as given: "[*]" would otherwise be taken as the
// placeholder for the modified mark, and an empty title would be replaced by
// the application name.
QString literalWindowTitle(const QString& title) {
    if (title.isEmpty())
        return u" "_s;
    QString result = title;
    result.replace(u"[*]"_s, u"[*][*]"_s);
    return result;
}

} // namespace

MessageBoxDialog::MessageBoxDialog(const MessageBoxRequest& request, QWidget* parent)
    : QDialog(parent), m_style(request.style), m_keepLines(request.keepLines) {
    const bool systemModal = (m_style & msgbox::SystemModalFlag) != 0;
    const bool closable = msgbox::escapeAnswer(m_style).has_value();

    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closable)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (systemModal)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    setWindowModality(systemModal || !parent ? Qt::ApplicationModal : Qt::WindowModal);
    setWindowTitle(literalWindowTitle(request.title));
    setObjectName(u"MessageBoxDialog"_s);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    buildIcon(m_style);
    top->addWidget(m_icon, 0, Qt::AlignTop);
    buildText(request.text);
    top->addWidget(m_area, 1);

    buildButtons(request);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : std::as_const(m_buttons))
        row->addWidget(b);
    if (m_helpButton)
        row->addWidget(m_helpButton);
    row->addStretch(1);
    layout->addLayout(row);

    fitTextArea();

    // Ctrl+C copies the selected part of the text, or all of it when nothing
    // is selected.
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, [this] {
        QGuiApplication::clipboard()->setText(m_text->hasSelectedText() ? m_text->selectedText()
                                                                        : m_text->text());
    });
    m_buttons.at(msgbox::defaultButtonIndex(m_style))->setFocus(Qt::OtherFocusReason);
}

void MessageBoxDialog::buildIcon(int style) {
    m_icon = new QLabel(this);
    m_icon->setObjectName(u"icon"_s);
    const QStyle::StandardPixmap which = msgbox::iconFor(style);
    if (which == QStyle::SP_CustomBase) {
        m_icon->hide();
        return;
    }
    const int extent = this->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    const QIcon icon = this->style()->standardIcon(which, nullptr, this);
    m_icon->setPixmap(icon.pixmap(QSize(extent, extent), devicePixelRatio()));
    m_icon->setFixedSize(extent, extent);
}

void MessageBoxDialog::buildText(const QString& text) {
    m_text = new QLabel;
    m_text->setObjectName(u"text"_s);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(!m_keepLines);
    if (m_keepLines)
        m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setText(linebreaks::normalized(text, u"\n"));

    m_area = new QScrollArea(this);
    m_area->setObjectName(u"textArea"_s);
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setWidgetResizable(false);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setBackgroundRole(QPalette::Window);
    m_area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_area->setWidget(m_text);
}

void MessageBoxDialog::buildButtons(const MessageBoxRequest& request) {
    const auto answers = msgbox::buttonSetOf(m_style).answers();
    const int defaultIndex = msgbox::defaultButtonIndex(m_style);
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const msgbox::Answer answer = answers[i];
        auto* button = new QPushButton(msgbox::facts(answer).caption.toString(), this);
        button->setAutoDefault(true);
        button->setDefault(int(i) == defaultIndex);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, answer] { done(int(answer)); });
        m_buttons.append(button);
    }
    if (m_style & msgbox::HelpButtonFlag) {
        m_helpButton = new QPushButton(msgbox::HelpButtonCaption.toString(), this);
        m_helpButton->setAutoDefault(true);
        m_helpButton->installEventFilter(this);
        const QString file = request.withHelpFile ? request.helpFile : QString();
        const int context = request.withHelpFile ? request.helpContext : 0;
        connect(m_helpButton, &QPushButton::clicked, this,
                [this, file, context] { emit helpRequested(file, context); });
    }
}

// Sizes the text to the box a message box would have, and lets it scroll
// inside the box where the whole box would not fit on the screen.
void MessageBoxDialog::fitTextArea() {
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QSize avail = screen ? screen->availableGeometry().size() : QSize(800, 600);

    // Everything around the text: icon, buttons, margins, and room for the
    // window frame and title bar that the window manager adds.
    m_area->setFixedSize(0, 0);
    layout()->activate();
    const QSize chrome = sizeHint();
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 8;
    const int titleBar =
        std::max(style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this), 32);
    const int capWidth = std::max(avail.width() - chrome.width() - frame, 50);
    const int capHeight = std::max(avail.height() - chrome.height() - frame - titleBar, 30);

    // Long lines wrap at word boundaries at about three fifths of the screen;
    // source code keeps its lines and scrolls across instead.
    const int wrapWidth = std::min(capWidth, std::max(avail.width() * 3 / 5, 200));
    QTextDocument doc;
    doc.setDefaultFont(m_text->font());
    doc.setDocumentMargin(0);
    QTextOption option = doc.defaultTextOption();
    option.setWrapMode(m_keepLines ? QTextOption::NoWrap : QTextOption::WordWrap);
    doc.setDefaultTextOption(option);
    doc.setPlainText(m_text->text());
    if (!m_keepLines)
        doc.setTextWidth(wrapWidth);
    const int textWidth = std::max(static_cast<int>(std::ceil(doc.idealWidth())) + 4, 1);
    int textHeight = m_text->heightForWidth(textWidth);
    if (textHeight <= 0)
        textHeight = static_cast<int>(std::ceil(doc.size().height()));
    m_text->setFixedSize(textWidth, textHeight);

    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_area);
    bool scrollsDown = textHeight > capHeight;
    bool scrollsAcross = textWidth > capWidth - (scrollsDown ? bar : 0);
    scrollsDown = textHeight > capHeight - (scrollsAcross ? bar : 0);
    const int viewWidth = std::min(textWidth, capWidth - (scrollsDown ? bar : 0));
    const int viewHeight = std::min(textHeight, capHeight - (scrollsAcross ? bar : 0));
    m_area->setFixedSize(viewWidth + (scrollsDown ? bar : 0),
                         viewHeight + (scrollsAcross ? bar : 0));
    // Keyboard users reach a scrolling text with Tab; otherwise only the
    // buttons take the focus.
    m_area->setFocusPolicy(scrollsDown || scrollsAcross ? Qt::StrongFocus : Qt::NoFocus);
    setMaximumSize(avail);
    layout()->activate();
}

void MessageBoxDialog::reject() {
    // Boxes without a cancelling answer stay open on Esc and close requests.
    if (const std::optional<msgbox::Answer> answer = msgbox::escapeAnswer(m_style))
        done(int(*answer));
}

// Arrow keys walk along the row of buttons and wrap around at its ends.
bool MessageBoxDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        int step = 0;
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Up)
            step = -1;
        else if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Down)
            step = 1;
        if (step != 0 && key->modifiers() == Qt::NoModifier) {
            QList<QPushButton*> row = m_buttons;
            if (m_helpButton)
                row.append(m_helpButton);
            const int at = row.indexOf(qobject_cast<QPushButton*>(watched));
            if (at >= 0) {
                const int n = static_cast<int>(row.size());
                row.at((at + step + n) % n)->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace veltrano
