#pragma once
// One transfer's connection to the card, over the COM port or the USB device. Created for a
// transfer and destroyed at its end; on the COM link the destruction releases the port.

#include "link/serial_port.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class UsbHidDevice;
class cancel_token;
class link_state;
class user_interface;

// Results of open_com; callers treat every non-zero code alike.
enum open_com_result : int {
    com_open_ok = 0,
    com_bad_settings = 1,
    com_cannot_open = 2,
    com_cannot_configure = 3,
};

// How the card answered a frame.
enum class frame_answer {
    accepted,  // ACK
    refused,   // every transmission got silence or a lone byte other than ACK
    garbled,   // an answer began with another byte and more bytes came with it
    cancelled, // the transfer was cancelled before an answer came
};

class CSerialHandler {
  public:
    // The handler consults the application's link state (selected link, USB attachment,
    // time-outs, port factory) for every transfer call, and shows its messages through ui.
    // With a cancel token, every wait for the card looks at the token at least every
    // cancel_token::poll_ms and ends as soon as it is set. All of them must outlive it.
    CSerialHandler(const link_state& link, user_interface& ui,
                   const cancel_token* cancel = nullptr);
    // The same with the link's user interface, not cancellable.
    explicit CSerialHandler(const link_state& link);
    ~CSerialHandler();
    CSerialHandler(const CSerialHandler&) = delete;
    CSerialHandler& operator=(const CSerialHandler&) = delete;

    // Opens the named port exclusively with the mode text (e.g. "19200,n,8,1") and the COM
    // read time-out. Returns an open_com_result.
    int open_com(const std::string& port_name, const std::string& settings_text);
    // Binds the handler to the application's USB device; no I/O.
    void attach_usb(UsbHidDevice& device);
    // Sets the read time-out for the next reads; shows a message and returns false when the
    // port refuses it.
    bool set_timeout(int ms);

    // Writes n bytes over the link in use; false when no usable link.
    bool write_bytes(const std::uint8_t* data, std::size_t n, std::size_t& written);
    // Reads up to n bytes within the read time-out; true with the count when the read
    // succeeded (on USB: when any byte arrived).
    bool read_bytes(std::uint8_t* buffer, std::size_t n, std::size_t& got);
    // read_bytes for the card's data replies: on failure shows the read error and returns 0;
    // otherwise the count read (callers compare it with n).
    std::size_t receive(std::uint8_t* buffer, std::size_t n);
    // Sends one acknowledged frame: up to three transmissions, each waiting for ACK.
    bool send_frame(const std::uint8_t* payload, std::size_t n);
    // Told after a transmission the card let pass without a word, with its number within the
    // send_frame call (1 to 3); told with 0 while the first transmission's answer is late (the
    // card silent for a second of a read time-out of two seconds or more), so that a silent
    // card is seen before the first wait ends. Only a transfer that can be cancelled (whose
    // waits are sliced) is told the late answer.
    using silence_listener = std::function<void(int transmission)>;
    // send_frame, telling a refusal apart from a garbled answer. A refusal (silence, or one
    // byte other than ACK with nothing after it) means the card did not take the frame, so it
    // goes again; an answer that begins with another byte and goes on is not one the card
    // gives, so the frame is not repeated: its bytes are taken off the line and the result
    // is garbled. A cancelled transfer sends no further transmission and stops waiting for
    // the answer to the one on the wire: the result is cancelled.
    frame_answer send_frame_answer(const std::uint8_t* payload, std::size_t n,
                                   const silence_listener& on_silence = {});
    // Takes every byte already waiting on the link, waiting at most wait_ms for a first one.
    // True when there was any: bytes nobody asked for.
    bool input_waiting(int wait_ms = 0);

    int read_timeout() const { return read_timeout_ms_; }
    // Why the last open_com failed, as the port told it ("Permission denied"); may be empty.
    const std::string& failure_cause() const { return failure_cause_; }
    bool com_open() const { return port_ && port_->is_open(); }
    bool cancelled() const;
    user_interface& ui() const { return ui_; }

  private:
    bool usb_usable() const;
    // One read of the link in use, waiting at most timeout_ms.
    bool read_once(std::uint8_t* buffer, std::size_t n, std::size_t& got, int timeout_ms);
    // The read time-out in slices of cancel_token::poll_ms, ending early when cancelled; what
    // it gets and returns is what one read over the whole time-out would.
    bool read_sliced(std::uint8_t* buffer, std::size_t n, std::size_t& got);

    const link_state& link_;
    user_interface& ui_;
    const cancel_token* cancel_;
    // While set, told once by a sliced read that has waited late_after_ms_ without a byte.
    std::function<void()> on_late_;
    int late_after_ms_ = 0;
    std::unique_ptr<serial_port> port_;
    UsbHidDevice* usb_ = nullptr;
    int read_timeout_ms_ = 0;
    std::string failure_cause_;
};
