#include "editing/CRegisterPane.h"

#include "editing/CRegisterFilterModel.h"
#include "editing/CRegisterTableModel.h"
#include "editing/CRegisterView.h"
#include "editing/dialog_fields.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// Typing filters after this pause, so that a long map is not filtered at every key.
constexpr int typing_pause_ms = 150;

QString registers(int count) {
    return count == 1 ? QStringLiteral("1 register") : QStringLiteral("%1 registers").arg(count);
}
} // namespace

CRegisterPane::CRegisterPane(CTessalyDoc* doc, CRegisterDialogs& dialogs, QWidget* parent)
    : QWidget(parent), view_(new CRegisterView(doc, dialogs, this)), find_(new QLineEdit(this)),
      count_(new QLabel(this)), typing_(new QTimer(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 0);
    auto* label = new QLabel(QStringLiteral("Fi&nd:"), this);
    label->setBuddy(find_);
    find_->setPlaceholderText(QStringLiteral("Register, feeder, parameter or format"));
    add_clear_button(find_, QStringLiteral("Clear filter"));
    find_->setAccessibleName(QStringLiteral("Find registers"));
    find_->setMaximumWidth(find_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    find_->installEventFilter(this);
    count_->setAccessibleName(QStringLiteral("Registers shown"));
    bar->addWidget(label);
    bar->addWidget(find_, 1);
    bar->addSpacing(12);
    bar->addWidget(count_);
    bar->addStretch(0);
    layout->addLayout(bar);
    layout->addWidget(view_, 1);
    setFocusProxy(view_);

    typing_->setSingleShot(true);
    typing_->setInterval(typing_pause_ms);
    connect(typing_, &QTimer::timeout, this, [this] { view_->set_filter_text(find_->text()); });
    connect(find_, &QLineEdit::textEdited, typing_, qOverload<>(&QTimer::start));
    // The clear button empties the box without an edit signal.
    connect(find_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            set_filter_text(QString());
    });
    connect(view_, &CRegisterView::filter_text_changed, this, [this](const QString& text) {
        if (find_->text().trimmed() != text)
            find_->setText(text);
        update_count();
    });
    QAbstractItemModel* shown = view_->shown();
    connect(shown, &QAbstractItemModel::modelReset, this, &CRegisterPane::update_count);
    connect(shown, &QAbstractItemModel::layoutChanged, this, &CRegisterPane::update_count);
    connect(shown, &QAbstractItemModel::rowsInserted, this, &CRegisterPane::update_count);
    connect(shown, &QAbstractItemModel::rowsRemoved, this, &CRegisterPane::update_count);
    update_count();
}

QString CRegisterPane::count_text() const {
    const int all = view_->table()->rowCount();
    const int shown = view_->shown()->rowCount();
    if (!view_->shown()->filtering())
        return registers(all);
    return QStringLiteral("%1 of %2").arg(shown).arg(registers(all));
}

void CRegisterPane::update_count() {
    count_->setText(count_text());
}

void CRegisterPane::start_find() {
    find_->setFocus(Qt::ShortcutFocusReason);
    find_->selectAll();
}

void CRegisterPane::set_filter_text(const QString& text) {
    typing_->stop();
    if (find_->text() != text)
        find_->setText(text);
    view_->set_filter_text(text);
    update_count();
}

bool CRegisterPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == find_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Escape:
            // Escape clears the filter; in an empty box it goes back to the list.
            if (find_->text().isEmpty())
                view_->setFocus(Qt::ShortcutFocusReason);
            set_filter_text(QString());
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            set_filter_text(find_->text());
            view_->setFocus(Qt::ShortcutFocusReason);
            if (!view_->currentIndex().isValid() && view_->model()->rowCount() > 0)
                view_->setCurrentIndex(view_->model()->index(0, 0));
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
