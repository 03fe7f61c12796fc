// Converts arbitrary bytes as an old register map: the first byte picks the target device, the
// rest is the old file. Every input must end in a new file and a log, or a message.

#include "convert/Kconvert.h"
#include "core/silent_ui.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string& scratch() {
    static const std::string dir = [] {
        char name[] = "/tmp/fuzz_converter_XXXXXX";
        const char* made = ::mkdtemp(name);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static silent_ui quiet;
    const std::string old_path = scratch() + "/old.zrp";
    {
        std::ofstream old(old_path, std::ios::binary | std::ios::trunc);
        if (size > 1)
            old.write(reinterpret_cast<const char*>(data + 1),
                      static_cast<std::streamsize>(size - 1));
    }
    Kconvert converter(quiet);
    converter.set_device_code(size > 0 ? data[0] % 6 : 1);
    converter.set_log_path(scratch() + "/convert.log");
    converter.conversion(old_path, scratch() + "/new.zrp", "RDX Modbus Protocol");
    return 0;
}
