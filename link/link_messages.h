#pragma once
// The texts the link shows the user.

inline constexpr const char* msg_timeouts_failed = "Error configuring communications timeouts.";
inline constexpr const char* msg_read_failed = "Error reading COM port.";
inline constexpr const char* msg_usb_open_failed =
    "Opening USB device failed!\nThe USB device may be used by other Application!";
inline constexpr const char* msg_usb_close_failed = "Closing USB device failed!";
inline constexpr const char* msg_com_open_failed = "Error opening specified COM port.";

// Why the system refused a port or the USB device: the detailed text the editor may add to
// the fixed messages above.
inline constexpr const char* cause_permission_denied = "Permission denied";
inline constexpr const char* cause_no_such_file = "No such file";
inline constexpr const char* cause_device_busy = "Device busy";
inline constexpr const char* cause_not_a_port = "Not a serial port";
inline constexpr const char* cause_unsupported_settings = "Unsupported port settings";

// Link pane texts.
inline constexpr const char* status_usb_connected = "USB connected";
inline constexpr const char* status_usb_disconnected = "USB disconnected";
