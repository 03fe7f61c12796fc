#pragma once
// The texts the link shows the user.

inline constexpr const char* msg_timeouts_failed = "Error configuring communications timeouts.";
inline constexpr const char* msg_read_failed = "Error reading COM port.";
inline constexpr const char* msg_usb_open_failed =
    "Opening USB device failed!\nThe USB device may be used by other Application!";
inline constexpr const char* msg_usb_close_failed = "Closing USB device failed!";
inline constexpr const char* msg_com_open_failed = "Error opening specified COM port.";

// Link pane texts.
inline constexpr const char* status_usb_connected = "USB connected";
inline constexpr const char* status_usb_disconnected = "USB disconnected";
