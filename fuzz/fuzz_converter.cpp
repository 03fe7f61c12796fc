// Converts arbitrary bytes as an old register map: the first byte picks the target device, the
// rest is the old file. Every input must end in a log and a message, or a message alone; a new
// file is written only by a conversion that is done, and then it opens as a map read as written.

#include "convert/Kconvert.h"
#include "core/silent_ui.h"
#include "format/map_loading.h"

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
    const std::string new_path = scratch() + "/new.zrp";
    ::unlink(new_path.c_str());
    Kconvert converter(quiet);
    converter.set_device_code(size > 0 ? data[0] % 6 : 1);
    converter.set_log_path(scratch() + "/convert.log");
    converter.conversion(old_path, new_path, "RDX Modbus Protocol");

    const bool done = converter.last_outcome() == Kconvert::outcome::done;
    const bool written = ::access(new_path.c_str(), F_OK) == 0;
    if (done != written)
        std::abort();
    if (written) {
        const loaded_map_file load = load_map_file(new_path, quiet);
        if (!load.map || !load.report.unread_lines.empty())
            std::abort();
    }
    return 0;
}
