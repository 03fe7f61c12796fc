#pragma once
// The application's link: which link is selected, whether the card's USB device is attached,
// the COM port name, and the link text for the status bar. Held by the application object
// (and by tessaly-cli for one command); device-change notifications and the link commands
// call into it on the user-interface thread.

#include "link/UsbHidDevice.h"
#include "link/link_settings.h"
#include "link/link_timing.h"
#include "link/serial_port.h"

#include <functional>
#include <string>

class user_interface;

enum link_kind : int { link_none = 0, link_com = 1, link_usb = 2 };

class link_state {
  public:
    // settings, usb and ui must outlive the state. The factory makes the COM port objects of
    // the transfers; the state says what befalls the USB device through ui, which is also the
    // user interface of the transfers that are given none of their own.
    link_state(link_settings& settings, UsbHidDevice& usb, serial_port_factory ports,
               user_interface& ui, link_timing timing = {});

    // Reads "ComPort" and "UseLink": "COM" selects the COM link, "USB" the USB link, any
    // other value none. Does not touch the USB device (check_usb does).
    void load_settings();

    // Device arrival (and start-up): counts the attached cards and opens the device when
    // exactly one is attached and USB is selected.
    void check_usb();
    // Device removal complete: when no card is left, closes the device if it was open.
    void device_removed();
    // The "Use USB" / "Use COM" commands and the port setup dialog; each does nothing when
    // that link is already selected. The choice is saved at once.
    void select_usb_link();
    void select_com_link();
    // Sets the COM port name and saves it at once.
    void set_com_port(const std::string& name);
    // Recomputes the link text and hands it to the status sink.
    void update_link_status();
    // At exit: stops the reader (waiting at most the configured time) and closes the device.
    void shutdown();

    int link_type() const { return link_type_; }
    bool usb_connected() const { return usb_connected_; }
    const std::string& com_port() const { return com_port_; }
    // "USB connected", "USB disconnected", the COM port name, or empty.
    std::string status_text() const;

    UsbHidDevice& usb_device() const { return usb_; }
    user_interface& ui() const { return ui_; }
    std::unique_ptr<serial_port> make_port() const;
    const link_timing& timing() const { return timing_; }
    link_timing& timing() { return timing_; }

    // Receives the link text after every change (the editor's link pane).
    void set_status_sink(std::function<void(const std::string&)> sink);

  private:
    // Opens the attached device; on failure marks it not connected and says why.
    void open_usb_device();

    link_settings& settings_;
    UsbHidDevice& usb_;
    serial_port_factory ports_;
    user_interface& ui_;
    link_timing timing_;
    std::function<void(const std::string&)> status_sink_;
    int link_type_ = link_none;
    bool usb_connected_ = false;
    std::string com_port_ = com_port_default;
};
