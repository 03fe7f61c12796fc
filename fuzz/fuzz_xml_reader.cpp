// Feeds arbitrary bytes to the XML reader and, through it, to the catalogue loader: every input
// must end in a tree or in nothing, without a crash, a hang or a read past the end.

#include "catalogue/parameter_list.h"
#include "catalogue/read_xml_document.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {
class counter : public catalogue_visitor {
  public:
    void visit_device(target_device& d, int) override { total += d.name().size(); }
    void visit_param(target_param& p, int) override { total += p.description().size(); }
    std::size_t total = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    {
        std::istringstream in(text);
        if (auto root = read_xml_document(in)) {
            std::ostringstream out;
            root->write(out);
        }
    }
    std::istringstream in(text);
    parameter_list catalogue;
    if (catalogue.load_stream(in) == parameter_list::load_result::loaded) {
        counter visit;
        catalogue.walk(visit);
        catalogue.walk(visit, size % 4);
        catalogue.fill(visit, 1, "Massflow", "");
        catalogue.find_by_handle(&visit);
    }
    return 0;
}
