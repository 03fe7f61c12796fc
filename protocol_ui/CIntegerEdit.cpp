#include "protocol_ui/CIntegerEdit.h"

#include "document/editor_ui.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <limits>

namespace {
// Decimal text with optional blanks around it and an optional sign, as the edit fields accept.
std::optional<long long> parse_decimal(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const long long v = t.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}
} // namespace

CIntegerEdit::CIntegerEdit(kind_t kind, QWidget* parent, int low, int high)
    : QLineEdit(parent), kind_(kind), low_(low), high_(high) {
    setMaxLength(12);
}

void CIntegerEdit::set_value(int value) {
    setText(QString::number(value));
}

QString CIntegerEdit::refusal() const {
    const auto v = parse_decimal(text());
    if (kind_ == signed_any) {
        if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
            return QString::fromUtf8(text_enter_integer);
        return {};
    }
    if (!v || *v < 0 || *v > std::numeric_limits<int>::max())
        return QString::fromUtf8(text_enter_positive);
    if (kind_ == unsigned_range && (*v < low_ || *v > high_))
        return QString::fromUtf8(text_enter_between).arg(low_).arg(high_);
    return {};
}

std::optional<int> CIntegerEdit::value() const {
    if (!refusal().isEmpty())
        return std::nullopt;
    return static_cast<int>(*parse_decimal(text()));
}

bool CIntegerEdit::read(int& out) {
    const QString why = refusal();
    if (!why.isEmpty()) {
        editor_ui().message(why.toStdString());
        setFocus();
        selectAll();
        return false;
    }
    out = *value();
    return true;
}
