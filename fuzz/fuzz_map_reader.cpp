// Reads arbitrary bytes as a register map, saves what was read and reads that again. Every
// input must end in a loaded map or a failed load, never in a crash or a hang.

#include "core/user_interface.h"
#include "model/zrp_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {
class quiet_ui : public user_interface, public progress_display {
  public:
    void message(const std::string&) override {}
    bool ask_retry_cancel(const std::string&) override { return false; }
    bool ask_yes_no(const std::string&) override { return false; }
    progress_display& progress() override { return *this; }
    void open(const std::string&, int, int) override {}
    void set_range(int, int) override {}
    void set_position(int) override {}
    void close() override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static quiet_ui quiet;
    scoped_ui use(quiet);

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    zrp_file map;
    if (!map.read(in))
        return 0;
    map.sort_registers();
    map.next_free_register(0);
    map.next_free_register(1);
    std::ostringstream saved;
    map.write(saved);

    // What the program wrote must load again.
    std::istringstream again(saved.str());
    zrp_file reloaded;
    if (!reloaded.read(again))
        std::abort();
    return 0;
}
