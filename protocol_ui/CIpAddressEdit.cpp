#include "protocol_ui/CIpAddressEdit.h"

#include "document/editor_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {
constexpr int octet_max = 255;
const char* msg_octet_range = "Please enter an integer between 0 and 255.";

// The octets of a dotted address as typed or pasted: one to four groups of digits; nothing
// when the text is something else.
QStringList dotted_parts(const QString& text) {
    static const QRegularExpression dotted(
        QStringLiteral("^\\s*(\\d{1,3}(\\.\\d{0,3}){0,3})\\s*$"));
    const QRegularExpressionMatch m = dotted.match(text);
    if (!m.hasMatch() || !text.contains(QLatin1Char('.')))
        return {};
    return m.captured(1).split(QLatin1Char('.'));
}
} // namespace

CIpAddressEdit::CIpAddressEdit(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    static const QRegularExpression digits(QStringLiteral("\\d{0,3}"));
    for (std::size_t i = 0; i < octets_.size(); ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto* edit = new QLineEdit(this);
        edit->setValidator(new QRegularExpressionValidator(digits, edit));
        edit->setMaxLength(3);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, &CIpAddressEdit::address_changed);
        octets_[i] = edit;
        layout->addWidget(edit);
    }
    layout->addStretch(1);
    setFocusProxy(octets_[0]);
}

std::uint32_t CIpAddressEdit::value() const {
    std::uint32_t address = 0;
    for (QLineEdit* edit : octets_) {
        const unsigned part = edit->text().toUInt(); // empty or invalid gives 0
        address = (address << 8) | (part > octet_max ? unsigned{octet_max} : part);
    }
    return address;
}

void CIpAddressEdit::set_value(std::uint32_t address) {
    for (std::size_t i = 0; i < octets_.size(); ++i)
        octets_[i]->setText(QString::number((address >> (24 - 8 * i)) & 0xFFu));
}

void CIpAddressEdit::set_accessible_label(const QString& label) {
    setAccessibleName(label);
    for (std::size_t i = 0; i < octets_.size(); ++i)
        octets_[i]->setAccessibleName(QStringLiteral("%1 octet %2").arg(label).arg(i + 1));
}

int CIpAddressEdit::index_of(QObject* octet) const {
    for (std::size_t i = 0; i < octets_.size(); ++i)
        if (octets_[i] == octet)
            return static_cast<int>(i);
    return -1;
}

void CIpAddressEdit::move_to(int index, bool select_all) {
    if (index < 0 || index >= static_cast<int>(octets_.size()))
        return;
    QLineEdit* edit = octets_[static_cast<std::size_t>(index)];
    edit->setFocus(Qt::OtherFocusReason);
    if (select_all)
        edit->selectAll();
    else
        edit->setCursorPosition(static_cast<int>(edit->text().size()));
}

void CIpAddressEdit::paste_text(const QString& text, int first) {
    const QStringList parts = dotted_parts(text);
    if (parts.isEmpty()) {
        // A plain number goes into the octet like typed digits.
        const QString trimmed = text.trimmed();
        bool ok = false;
        const int n = trimmed.toInt(&ok);
        if (ok && trimmed.size() <= 3 && n >= 0) {
            if (n > octet_max)
                editor_ui().message(msg_octet_range);
            else
                octets_[static_cast<std::size_t>(first)]->setText(trimmed);
        }
        return;
    }
    for (const QString& part : parts)
        if (part.toInt() > octet_max) {
            editor_ui().message(msg_octet_range);
            return;
        }
    int index = first;
    for (const QString& part : parts) {
        if (index >= static_cast<int>(octets_.size()))
            break;
        octets_[static_cast<std::size_t>(index++)]->setText(part);
    }
    move_to(std::min(index, static_cast<int>(octets_.size())) - 1, false);
}

bool CIpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    const int index = index_of(watched);
    if (index < 0)
        return QWidget::eventFilter(watched, event);
    QLineEdit* edit = octets_[static_cast<std::size_t>(index)];
    const int last = static_cast<int>(octets_.size()) - 1;

    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        left_window_ = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
                           ? edit
                           : nullptr;
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn) {
        // An octet the focus comes to (Tab, a click, a new dialog) has its text selected, so
        // that typing replaces it; back from a message or a menu, the octet that had the focus
        // keeps its cursor. A click places the cursor after the focus arrives: the selection
        // follows it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool returning = left_window_ == edit && (reason == Qt::ActiveWindowFocusReason ||
                                                        reason == Qt::PopupFocusReason);
        left_window_ = nullptr;
        if (returning)
            return QWidget::eventFilter(watched, event);
        if (reason == Qt::MouseFocusReason)
            QTimer::singleShot(0, edit, [edit] {
                if (edit->hasFocus() && !edit->hasSelectedText())
                    edit->selectAll();
            });
        else
            edit->selectAll();
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ContextMenu) {
        // The standard menu, its Paste filling the octets as the keyboard's does.
        auto* e = static_cast<QContextMenuEvent*>(event);
        QMenu* menu = edit->createStandardContextMenu();
        for (QAction* a : menu->actions())
            if (a->objectName() == QLatin1String("edit-paste")) {
                disconnect(a, nullptr, edit, nullptr);
                connect(a, &QAction::triggered, this,
                        [this, index] { paste_text(QApplication::clipboard()->text(), index); });
            }
        menu->exec(e->globalPos());
        delete menu;
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);

    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        paste_text(QApplication::clipboard()->text(), index);
        return true;
    }
    const QString text = key->text();
    const int cursor = edit->cursorPosition();
    const bool selection = edit->hasSelectedText();
    switch (key->key()) {
    case Qt::Key_Period:
    case Qt::Key_Comma:
        // On to the next octet once this one holds a number.
        if (!edit->text().isEmpty() && !selection && index < last)
            move_to(index + 1, true);
        return true;
    case Qt::Key_Backspace:
        if (cursor == 0 && !selection && index > 0) {
            move_to(index - 1, false);
            return true;
        }
        return false;
    case Qt::Key_Left:
        if (cursor == 0 && !selection && index > 0 && key->modifiers() == Qt::NoModifier) {
            move_to(index - 1, false);
            return true;
        }
        return false;
    case Qt::Key_Right:
        if (cursor == edit->text().size() && !selection && index < last &&
            key->modifiers() == Qt::NoModifier) {
            move_to(index + 1, false);
            octets_[static_cast<std::size_t>(index + 1)]->setCursorPosition(0);
            return true;
        }
        return false;
    default:
        break;
    }
    if (text.size() != 1 || !text.front().isDigit())
        return false;

    // A full octet with the cursor at its end: the digit starts the next octet.
    if (!selection && edit->text().size() == 3 && cursor == 3) {
        if (index < last) {
            move_to(index + 1, true);
            QLineEdit* next = octets_[static_cast<std::size_t>(index + 1)];
            QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers(), text);
            QApplication::sendEvent(next, &again);
        }
        return true;
    }
    QString result = edit->text();
    if (selection)
        result.replace(edit->selectionStart(), edit->selectedText().size(), text);
    else
        result.insert(cursor, text);
    if (result.toInt() > octet_max) {
        editor_ui().message(msg_octet_range);
        return true;
    }
    if (result.size() > 3)
        return true;
    edit->insert(text);
    // Three digits: the octet is complete.
    if (edit->text().size() == 3 && edit->cursorPosition() == 3 && index < last)
        move_to(index + 1, true);
    return true;
}
