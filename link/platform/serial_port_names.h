#pragma once
// COM port names on this platform. The "ComPort" setting keeps the names the card's users
// know ("COM1"); a name of the form COMn stands for the n-th serial device, /dev/ttyS<n-1>,
// and every other name is a device path opened as it is (/dev/ttyUSB0, a pseudo-terminal).

#include <optional>
#include <string>

// The highest n of a COMn name.
inline constexpr unsigned max_com_number = 256;

// n for a name "COMn" (letters in any case, n from 1 to max_com_number without leading
// zeros); nothing for any other name.
std::optional<unsigned> com_number(const std::string& name);

// The device path the COM link opens for a port name.
std::string port_device_path(const std::string& name);

// "COMn" for a device path that COMn with n up to `highest` opens (/dev/ttyS0 gives COM1);
// nothing for any other path.
std::optional<std::string> com_name_for_device(const std::string& path, unsigned highest);
