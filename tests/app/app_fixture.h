#pragma once
// What the editor's Qt tests share: a private settings store, scripted file prompts, scripted
// model dialogs, a USB library with no card, and map files written by the model.

#include "app/AppSetup.h"
#include "app/CDocumentManager.h"
#include "app/CRecentFiles.h"
#include "app/CTessalyApp.h"
#include "app/CTransferCommands.h"
#include "document/editor_ui.h"
#include "editing/CRegisterDialogs.h"
#include "format/map_text.h"
#include "link/hid_library.h"
#include "model/zrp_file.h"
#include "protocol_ui/CProtocolDialogs.h"
#include "tests/support/scripted_ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <deque>
#include <functional>
#include <memory>
#include <sstream>

// Points the settings store at a fresh folder for the lifetime of the object.
class private_settings {
  public:
    private_settings() {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        AppSetup::reset_settings();
    }
    ~private_settings() { AppSetup::reset_settings(); }
    // Writes a value before the application starts.
    void preset(const QString& key, const QString& value) {
        AppSetup::settings().setValue("Settings/" + key, value);
        AppSetup::settings().sync();
    }
    // Points the serial port setting at a file of this folder (a card's pseudo-terminal, or
    // nothing at all) and gives its path.
    QString preset_port(const QString& name) {
        const QString path = dir.filePath(name);
        preset("ComPort", path);
        return path;
    }
    QTemporaryDir dir;
};

// No card attached, ever.
class no_usb_library : public hid_library {
  public:
    unsigned get_num_hid_devices(std::uint16_t, std::uint16_t) override { return 0; }
    int open(unsigned, std::uint16_t, std::uint16_t, unsigned) override {
        return hid_device_not_found;
    }
    int set_output_report_interrupt(const std::uint8_t*, std::size_t) override {
        return hid_device_not_opened;
    }
    int get_input_report_interrupt(std::uint8_t*, std::size_t, unsigned,
                                   std::size_t& returned) override {
        returned = 0;
        return hid_device_not_opened;
    }
    int close() override { return hid_success; }
    hid_guid get_hid_guid() override { return {}; }
};

// File names and save answers from a script; every question is recorded.
class scripted_prompter : public file_prompter {
  public:
    QString open_path(QWidget*, const QString& title, const QString& filter, const QString&,
                      const QString& suffix) override {
        titles << title;
        open_filters << filter;
        suffixes << suffix;
        return take(open_paths);
    }
    QString save_path(QWidget*, const QString& title, const QString& filter, const QString& start,
                      const QString& suffix) override {
        titles << title;
        save_starts << start;
        save_filters << filter;
        save_suffixes << suffix;
        return take(save_paths);
    }
    save_answer ask_save_changes(QWidget*, const QString& text) override {
        questions << text;
        if (save_answers.empty())
            return save_answer::cancel;
        save_answer a = save_answers.front();
        save_answers.pop_front();
        return a;
    }

    QStringList open_paths, save_paths;
    std::deque<save_answer> save_answers;
    QStringList titles, save_starts, questions, suffixes;
    QStringList open_filters, save_filters, save_suffixes;

  private:
    static QString take(QStringList& list) { return list.isEmpty() ? QString() : list.takeFirst(); }
};

// The protocol dialogs: host selections from a script (cancelled when it runs out), protocol
// settings confirmed unchanged (or cancelled, as settings_result says).
class scripted_dialogs : public CProtocolDialogs {
  public:
    struct selection {
        int result;
        int position;
        std::string device;
    };
    bool select_protocol(host_selection_values& values) override {
        ++host_selections;
        if (selections.empty())
            return false;
        selection s = selections.front();
        selections.pop_front();
        values.protocol_position = s.position;
        values.device_word = s.device;
        return s.result == 1;
    }
    bool edit_settings(const protocol_description&, int, header_values&) override {
        ++settings_runs;
        return settings_result == 1;
    }

    std::deque<selection> selections;
    int host_selections = 0;
    int settings_runs = 0;
    int settings_result = 1; // 1 OK, 0 Cancel
};

// Register dialogs answered by register_answer (OK), or cancelled without one.
class scripted_register_dialogs : public CRegisterDialogs {
  public:
    bool edit_register(register_dialog_values& values, bool) override {
        if (!register_answer)
            return false;
        register_answer(values);
        return true;
    }
    std::function<void(register_dialog_values&)> register_answer;
};

// A scripted_ui that can run code when a question is asked (to change a file between two
// tries, say).
class hooked_ui : public scripted_ui {
  public:
    bool ask_retry_cancel(const std::string& text) override {
        if (on_question)
            on_question();
        return scripted_ui::ask_retry_cancel(text);
    }
    bool detailed_retry_cancel(const std::string& text, const std::string& detail) override {
        if (on_question)
            on_question();
        return scripted_ui::detailed_retry_cancel(text, detail);
    }
    std::function<void()> on_question;
};

// The text the model writes for an empty map of a protocol.
inline std::string map_text(int protocol_code) {
    zrp_file map(protocol_code);
    std::ostringstream out;
    write_map(out, map);
    return out.str();
}

inline void write_file(const QString& path, const std::string& text) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text.data(), static_cast<qint64>(text.size()));
}

inline QByteArray read_file(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Everything a test of the application needs, set up in order and torn down in reverse.
struct app_under_test {
    // With real_register_dialog the register dialog is the editor's own; else the scripted
    // one.
    explicit app_under_test(private_settings& settings, hid_library* usb = nullptr,
                            bool real_register_dialog = false)
        : ui_scope(ui) {
        (void)settings;
        CTessalyApp::options opts;
        opts.protocol_dialogs = &dialogs;
        if (!real_register_dialog)
            opts.register_dialogs = &register_dialogs;
        opts.usb_library = usb ? usb : &no_usb;
        opts.watch_devices = false;
        opts.help_folder = QStringLiteral(TESSALY_SOURCE_DIR "/resources/help");
        app = std::make_unique<CTessalyApp>(opts);
        app->set_prompter(&prompter);
    }
    ~app_under_test() { app.reset(); }
    // Turns the event loop until no transfer runs (at most twenty seconds); false if one
    // still does.
    bool transfers_done() {
        QElapsedTimer timer;
        timer.start();
        while (app->transfers().busy() && timer.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(2);
        }
        return !app->transfers().busy();
    }

    hooked_ui ui;
    scoped_editor_ui ui_scope;
    scripted_dialogs dialogs;
    scripted_register_dialogs register_dialogs;
    scripted_prompter prompter;
    no_usb_library no_usb;
    std::unique_ptr<CTessalyApp> app;
};

// The editor started afresh over settings of its own for each test function of a class: its
// init() calls start(), its cleanup() stop(); -> reaches the application under test.
class app_per_test {
  public:
    // Starts the editor, or starts it again over the same settings as the next run of the
    // program would; false when it did not start.
    bool start() {
        app_.reset();
        if (!settings_)
            settings_ = std::make_unique<private_settings>();
        app_ = std::make_unique<app_under_test>(*settings_);
        return app_->app->init_instance(QString());
    }
    // Ends the editor, then its settings.
    void stop() {
        app_.reset();
        settings_.reset();
    }
    app_under_test* operator->() const { return app_.get(); }
    // The folder of the settings, for the test's files.
    const QTemporaryDir& dir() const { return settings_->dir; }

  private:
    std::unique_ptr<private_settings> settings_;
    std::unique_ptr<app_under_test> app_;
};
