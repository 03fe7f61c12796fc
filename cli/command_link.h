#pragma once
// The link of one transfer command: the COM port named with --port, the USB device with
// --usb, or else the link the editor has saved. The link state, the USB device and the
// settings live as long as the command_link and are torn down in order. While it lives,
// Ctrl+C cancels its transfers (interrupt_cancel).

#include "cli/interrupt_cancel.h"
#include "core/user_interface.h"
#include "link/UsbHidDevice.h"
#include "link/link_settings.h"
#include "link/link_state.h"
#include "link/platform/hidapi_library.h"
#include "link/platform/qt_settings_store.h"
#include "link/transfer_session.h"

#include <CLI/CLI.hpp>

#include <map>
#include <string>

struct link_options {
    std::string port;
    bool usb = false;
};

// Adds --port NAME and --usb (one or the other) to a command.
void add_link_options(CLI::App* command, link_options& options);

class command_link {
  public:
    explicit command_link(const link_options& options);
    ~command_link();
    command_link(const command_link&) = delete;
    command_link& operator=(const command_link&) = delete;

    const link_state& state() const { return state_; }
    // The terminal and the Ctrl+C token, for the transfers over this link.
    transfer_session session() const { return {ui(), interrupt_.token()}; }
    bool cancelled() const { return interrupt_.token().cancelled(); }

  private:
    // The editor's saved settings with the command's link options laid over them. A command
    // never saves: choosing a port on the command line leaves the editor's choice alone.
    class command_settings : public link_settings {
      public:
        std::string value(const std::string& section, const std::string& key,
                          const std::string& default_value) override;
        void set_value(const std::string& section, const std::string& key,
                       const std::string& value) override;

      private:
        qt_settings_store saved_;
        std::map<std::string, std::string> overrides_;
    };

    interrupt_cancel interrupt_;
    command_settings settings_;
    hidapi_library library_;
    UsbHidDevice usb_;
    link_state state_;
};
