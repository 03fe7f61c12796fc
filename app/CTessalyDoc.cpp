#include "app/CTessalyDoc.h"

#include "core/atomic_write.h"
#include "core/input_file.h"
#include "core/user_interface.h"
#include "model/map_editor.h"
#include "model/map_loading.h"
#include "model/zrp_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <new>
#include <sstream>

namespace {
const char* msg_save_failed = "Unable to save the requested file";
// The maker's name closes the title of a document that has no file yet.
const char* new_title_suffix = "  Quorvel";

// Protocol names with characters a file name cannot hold, and their title forms.
struct title_word {
    const char* name;
    const char* title;
};
constexpr title_word title_words[] = {
    {"Ethernet/IP", "EthernetIP"},
    {"Modbus/TCP", "ModbusTCP"},
};

QString header_name(const zrp_file* map) {
    return map && map->header ? QString::fromStdString(map->header->name) : QString();
}
} // namespace

std::string CTessalyDoc::native_path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

CTessalyDoc::CTessalyDoc(QObject* parent) : QObject(parent) {}

CTessalyDoc::~CTessalyDoc() = default;

void CTessalyDoc::replace_map(std::unique_ptr<zrp_file> map) {
    editor_.reset();
    map_ = std::move(map);
    if (map_) {
        // A new map starts a new history, unmodified.
        editor_ = std::make_unique<map_editor>(*map_);
        editor_->history().set_listener([this] {
            sync_modified();
            emit history_changed();
        });
        set_network_protocol_flag(map_->protocol_code);
    }
    sync_modified();
    emit history_changed();
    emit header_replaced();
}

void CTessalyDoc::notify_header_replaced() {
    if (map_)
        set_network_protocol_flag(map_->protocol_code);
    emit header_replaced();
}

void CTessalyDoc::set_path(const QString& path) {
    path_ = path;
    title_from_path();
}

void CTessalyDoc::title_from_path() {
    const QString file_name = QFileInfo(path_).fileName();
    const QString name = header_name(map_.get());
    set_title(name.isEmpty() ? file_name : name + "  " + file_name);
}

void CTessalyDoc::set_title(const QString& title) {
    if (title == title_)
        return;
    title_ = title;
    emit title_changed(title_);
}

bool CTessalyDoc::is_modified() const {
    return editor_ ? !editor_->history().is_clean() : modified_;
}

void CTessalyDoc::set_modified(bool modified) {
    if (editor_) {
        // The history's listener announces the change.
        if (modified)
            editor_->history().forget_clean();
        else
            editor_->history().mark_clean();
        return;
    }
    if (modified == modified_)
        return;
    modified_ = modified;
    emit modified_changed(modified_);
}

void CTessalyDoc::sync_modified() {
    const bool now = is_modified();
    if (now == modified_)
        return;
    modified_ = now;
    emit modified_changed(modified_);
}

bool CTessalyDoc::can_undo() const {
    return editor_ && editor_->history().can_undo();
}

bool CTessalyDoc::can_redo() const {
    return editor_ && editor_->history().can_redo();
}

QString CTessalyDoc::undo_name() const {
    return editor_ ? QString::fromStdString(editor_->history().undo_name()) : QString();
}

QString CTessalyDoc::redo_name() const {
    return editor_ ? QString::fromStdString(editor_->history().redo_name()) : QString();
}

void CTessalyDoc::undo() {
    if (!can_undo())
        return;
    const map_editor::history_change change = editor_->undo();
    follow_history(change.header, change.header_replaced, change.rows);
}

void CTessalyDoc::redo() {
    if (!can_redo())
        return;
    const map_editor::history_change change = editor_->redo();
    follow_history(change.header, change.header_replaced, change.rows);
}

void CTessalyDoc::follow_history(bool header, bool replaced, const std::vector<int>& rows) {
    // A header of another protocol or device gets its own form; the list rebuilds with it.
    if (replaced)
        notify_header_replaced();
    else
        update_all_views(nullptr, 0);
    if (header)
        refresh_title();
    emit rows_touched(QList<int>(rows.begin(), rows.end()));
}

void CTessalyDoc::update_all_views(QObject* sender, int hint) {
    emit views_update(sender, hint);
}

bool CTessalyDoc::on_new_document(bool show_protocol_dialog) {
    editor_.reset();
    map_.reset();
    path_.clear();
    set_modified(false);

    auto map = std::make_unique<zrp_file>();
    if (show_protocol_dialog && map->edit() != 1)
        return false;

    QString name = header_name(map.get());
    replace_map(std::move(map));
    for (const title_word& w : title_words)
        if (name == w.name)
            name = w.title;
    set_title(name + new_title_suffix);
    set_modified(false);
    return true;
}

bool CTessalyDoc::on_open_document(const QString& path) {
    for (;;) {
        loaded_map_file load = load_map_file(native_path(path));
        if (load.map) {
            try {
                unread_lines_ = std::move(load.report.unread_lines);
                replace_map(std::move(load.map));
                set_modified(false);
                return true;
            } catch (const std::bad_alloc&) {
                editor_.reset();
                map_.reset();
                unread_lines_.clear();
                load = {};
                load.out_of_memory = true;
                load.report.failure = "not enough memory";
            }
        }
        const std::string detail =
            load_failure_detail(load, QDir::toNativeSeparators(path).toStdString());
        if (!ui().detailed_retry_cancel(
                load.out_of_memory ? msg_open_out_of_memory : msg_open_failed, detail))
            return false;
    }
}

void CTessalyDoc::on_extracted(std::unique_ptr<zrp_file> map) {
    replace_map(std::move(map));
    set_modified(true);
}

bool CTessalyDoc::on_save_document(const QString& path) {
    if (!map_)
        return false;
    const std::string saved = text();
    // The whole text goes to a temporary file that replaces the target only once it is
    // complete, so a failed save never leaves a damaged file where a good one stood.
    for (;;) {
        if (atomic_write_file(native_path(path), saved)) {
            set_modified(false);
            return true;
        }
        if (!ui().ask_retry_cancel(msg_save_failed))
            return false;
    }
}

void CTessalyDoc::on_protocol() {
    if (!map_)
        return;
    const map_editor::header_change change = editor_->select_protocol();
    // A new header replaces the old one even when its settings dialog is cancelled: the form
    // above the list and the title must show it, and the map now differs from its file.
    if (!change.accepted && !change.replaced)
        return;
    if (change.replaced)
        notify_header_replaced();
    update_all_views(nullptr, 0);
    refresh_title();
}

void CTessalyDoc::refresh_title() {
    if (!path_.isEmpty())
        title_from_path();
    else
        set_title(header_name(map_.get()) + new_title_suffix);
}

std::string CTessalyDoc::text() const {
    std::ostringstream out;
    if (map_)
        map_->write(out);
    return out.str();
}
