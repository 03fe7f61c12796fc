#include "live_ui/CLiveValuesWindow.h"

#include "document/CTessalyDoc.h"
#include "live/live_messages.h"
#include "live/live_writer.h"
#include "live_ui/CCommandBitsDialog.h"
#include "live_ui/CLiveConnectionBar.h"
#include "live_ui/CLiveSession.h"
#include "live_ui/CLiveTableModel.h"
#include "live_ui/CLiveTableView.h"
#include "live_ui/live_connection_store.h"
#include "model/host_register.h"
#include "model/zrp_file.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

const QString window_name = QStringLiteral("Live Values");
const QString edit_hint = QStringLiteral("F2 or a double-click on a value writes it to the card.");

// The state a finished round leaves the connection in.
QString state_of(const poll_result& result) {
    if (!result.connection_error.empty())
        return QString::fromStdString(result.connection_error);
    const bool silent =
        !result.readings.empty() &&
        std::all_of(result.readings.begin(), result.readings.end(),
                    [](const auto& r) { return !r.value && r.error == live_messages::no_answer; });
    return silent ? QStringLiteral("No answer") : QStringLiteral("Connected");
}

std::vector<std::optional<bit_names>> bits_of(const zrp_file& map,
                                              const std::vector<live_register>& registers) {
    std::vector<std::optional<bit_names>> bits;
    bits.reserve(registers.size());
    for (const auto& reg : registers) {
        const auto& source = *map.registers[static_cast<std::size_t>(reg.index)];
        if (reg.layout.kind == value_kind::commands)
            bits.push_back(command_bit_names(source));
        else if (reg.layout.kind == value_kind::status_bits)
            bits.push_back(status_bit_names(source));
        else
            bits.push_back(std::nullopt);
    }
    return bits;
}

} // namespace

CLiveValuesWindow::CLiveValuesWindow(CTessalyDoc* doc, QSettings& store, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(doc), store_(store), bar_(new CLiveConnectionBar),
      pages_(new QStackedWidget), model_(new CLiveTableModel(this)),
      view_(new CLiveTableView(*model_)), refusal_(new QLabel), footer_(new QLabel),
      session_(new CLiveSession(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("live_values_window"));
    view_->setAccessibleName(QStringLiteral("Live values"));
    refusal_->setAlignment(Qt::AlignCenter);
    refusal_->setWordWrap(true);
    refusal_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pages_->addWidget(view_);
    pages_->addWidget(refusal_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addWidget(pages_, 1);
    layout->addWidget(footer_);

    connect(bar_, &CLiveConnectionBar::start_clicked, this, &CLiveValuesWindow::start);
    connect(bar_, &CLiveConnectionBar::stop_clicked, this, &CLiveValuesWindow::stop);
    connect(bar_, &CLiveConnectionBar::record_clicked, this, &CLiveValuesWindow::ask_recording);
    connect(bar_, &CLiveConnectionBar::interval_changed, this,
            &CLiveValuesWindow::interval_changed);
    connect(session_, &CLiveSession::round_starting, this, [this] {
        if (map_dirty_)
            take_map();
    });
    connect(session_, &CLiveSession::round_finished, this, &CLiveValuesWindow::round_finished);
    connect(model_, &CLiveTableModel::write_requested, this, &CLiveValuesWindow::write_value);
    connect(view_, &CLiveTableView::command_bits_requested, this,
            &CLiveValuesWindow::open_command_bits);

    // Every change of the map reaches the views through the document; the rows follow it
    // with the next round (at once while stopped).
    connect(doc_, &CTessalyDoc::views_update, this, &CLiveValuesWindow::map_changed);
    connect(doc_, &CTessalyDoc::header_replaced, this, &CLiveValuesWindow::map_changed);
    auto title = [this] { setWindowTitle(window_name + QStringLiteral(" - ") + doc_->title()); };
    connect(doc_, &CTessalyDoc::title_changed, this, title);
    title();

    take_map();
    if (implied_) {
        const auto remembered = recall_connection(store_, doc_->path());
        bar_->set_connection(remembered ? remembered->settings : *implied_);
        if (remembered)
            bar_->set_interval_seconds(remembered->interval_seconds);
    }
    show_footer();
    place_beside_parent();
    bar_->start_button()->setFocus();
}

CLiveValuesWindow::~CLiveValuesWindow() {
    // Nothing the card still sends may reach a window being taken down.
    session_->stop();
}

void CLiveValuesWindow::place_beside_parent() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const int ch = fontMetrics().averageCharWidth();
    int width = view_->horizontalHeader()->length() + view_->frameWidth() * 2 + 2 * ch + 24;
    width = std::clamp(width, 60 * ch, room.width() * 9 / 10);
    const int height =
        std::min(view_->verticalHeader()->defaultSectionSize() * 30 + bar_->sizeHint().height() +
                     footer_->sizeHint().height() + 4 * fontMetrics().height(),
                 room.height() * 85 / 100);
    resize(width, height);
    // Beside the editor's window when there is room on its right, so that the register list
    // stays in view.
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
        const QRect frame = owner->frameGeometry();
        const int x = std::min(frame.right() + 1, room.right() - width);
        move(std::max(room.left(), x), std::max(room.top(), frame.top()));
    }
}

QString CLiveValuesWindow::refusal() const {
    return pages_->currentWidget() == refusal_ ? refusal_->text() : QString();
}

bool CLiveValuesWindow::running() const {
    return session_->running();
}

void CLiveValuesWindow::map_changed() {
    map_dirty_ = true;
    if (!session_->running())
        take_map();
}

void CLiveValuesWindow::take_map() {
    map_dirty_ = false;
    const zrp_file* map = doc_->map();
    std::string message;
    auto implied = map ? connection_defaults(*map, message) : std::nullopt;
    if (!implied) {
        if (session_->running())
            stop();
        refusal_->setText(QString::fromStdString(message));
        pages_->setCurrentWidget(refusal_);
        // Nothing to connect to or write: only the reason is shown.
        bar_->setVisible(false);
        footer_->setVisible(false);
        model_->set_registers({}, {});
        session_->set_registers({});
        implied_.reset();
        return;
    }
    // A connection the user has not changed follows the map's.
    if (!session_->running() && (!implied_ || bar_->connection() == *implied_))
        bar_->set_connection(*implied);
    implied_ = implied;
    pages_->setCurrentWidget(view_);
    bar_->setVisible(true);
    footer_->setVisible(true);
    auto registers = live_registers(*map);
    model_->set_registers(registers, bits_of(*map, registers));
    session_->set_registers(std::move(registers));
}

void CLiveValuesWindow::start() {
    if (!implied_)
        return;
    if (const QString problem = bar_->problem(); !problem.isEmpty()) {
        bar_->set_state(problem);
        return;
    }
    if (map_dirty_)
        take_map();
    const connection_settings settings = bar_->connection();
    interval_changed(bar_->interval_seconds());
    session_->start(settings);
    model_->set_writes_allowed(true);
    bar_->set_running(true);
    bar_->set_state(
        QStringLiteral("Connecting to %1...").arg(QString::fromStdString(settings.target())));
    remember_connection(store_, doc_->path(), {settings, bar_->interval_seconds()});
}

void CLiveValuesWindow::stop() {
    session_->stop();
    model_->set_writes_allowed(false);
    bar_->set_running(false);
    bar_->set_state(QStringLiteral("Stopped"));
}

void CLiveValuesWindow::interval_changed(double seconds) {
    const int ms = static_cast<int>(std::lround(seconds * 1000));
    session_->set_interval_ms(ms);
    // Three intervals without a good reading grey a value; a change stays marked for most
    // of an interval.
    model_->set_timing({3 * seconds + 0.05, std::min(0.8, 0.8 * seconds)});
    if (session_->running())
        remember_connection(store_, doc_->path(), {bar_->connection(), seconds});
}

void CLiveValuesWindow::round_finished(const poll_result& result) {
    model_->take_round(result, CLiveTableModel::now());
    const QString state = state_of(result);
    if (bar_->state() != state)
        bar_->set_state(state);
    if (recorder_.is_open()) {
        std::string error;
        if (!recorder_.write_round(session_->registers(), result, std::chrono::system_clock::now(),
                                   error)) {
            bar_->set_recording(false);
            show_message(QString::fromStdString(error));
        }
        show_footer();
    }
}

void CLiveValuesWindow::write_value(int row, const QString& typed) {
    if (!session_->running() || row < 0 || row >= model_->rowCount())
        return;
    const live_register reg = model_->row(row).reg;
    std::string message;
    auto words = prepare_write(reg, typed.toStdString(), message);
    if (!words) {
        model_->note_write(row, message, CLiveTableModel::now());
        show_message(QString::fromStdString(message));
        return;
    }
    QPointer<CLiveValuesWindow> self(this);
    session_->write(reg, std::move(*words),
                    [self, number = reg.number](write_outcome outcome, std::string text) {
                        if (!self || outcome == write_outcome::written)
                            return; // the next round shows the value written
                        self->model_->note_write(self->model_->row_of(number), text,
                                                 CLiveTableModel::now());
                        self->show_message(QString::fromStdString(text));
                    });
}

CCommandBitsDialog* CLiveValuesWindow::open_command_bits(int row) {
    if (!session_->running() || row < 0 || row >= model_->rowCount())
        return nullptr;
    const live_row& r = model_->row(row);
    if (!r.is_command_word() || !r.bits)
        return nullptr;
    const auto word = r.value && r.value->type == live_value::kind::number
                          ? static_cast<std::uint16_t>(r.value->number)
                          : std::uint16_t{0};
    auto* dialog = new CCommandBitsDialog(r.reg.number, word, *r.bits, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const int at = model_->row_of(dialog->register_number());
        if (at >= 0)
            write_value(at, QString::number(dialog->word()));
    });
    dialog->open();
    return dialog;
}

void CLiveValuesWindow::ask_recording() {
    if (recorder_.is_open()) {
        stop_recording();
        return;
    }
    QFileDialog dialog(this, QStringLiteral("Record Live Values"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("CSV files (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    const QFileInfo map_file(doc_->path());
    if (!doc_->path().isEmpty())
        dialog.selectFile(map_file.absolutePath() + QDir::separator() +
                          map_file.completeBaseName() + QStringLiteral("-live.csv"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        start_recording(dialog.selectedFiles().constFirst());
}

bool CLiveValuesWindow::start_recording(const QString& path) {
    std::string error;
    if (!recorder_.open(QFile::encodeName(path).toStdString(), error)) {
        show_message(QString::fromStdString(error));
        return false;
    }
    bar_->set_recording(true);
    show_footer();
    return true;
}

void CLiveValuesWindow::stop_recording() {
    recorder_.close();
    bar_->set_recording(false);
    show_footer();
}

void CLiveValuesWindow::show_footer() {
    QString text = edit_hint;
    if (recorder_.is_open())
        text += QStringLiteral("  Recording to %1 (%2 rounds).")
                    .arg(QFile::decodeName(recorder_.path().c_str()))
                    .arg(recorder_.rounds());
    footer_->setText(text);
}

void CLiveValuesWindow::show_message(const QString& text) {
    if (message_box_)
        message_box_->close();
    auto* box = new QMessageBox(QMessageBox::Warning, window_name, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    message_box_ = box;
    box->open();
}

void CLiveValuesWindow::hideEvent(QHideEvent* event) {
    // Closed or hidden by the program (not minimised): the card is no longer polled.
    if (!event->spontaneous() && session_->running())
        stop();
    QWidget::hideEvent(event);
}

bool CLiveValuesWindow::show_register(int number) {
    const int row = model_->row_of(number);
    if (row < 0)
        return false;
    const QModelIndex index = model_->index(row, 0);
    view_->setCurrentIndex(index);
    view_->scrollTo(index);
    return true;
}
