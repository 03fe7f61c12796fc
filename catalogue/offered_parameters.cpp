#include "catalogue/offered_parameters.h"

namespace {
class name_collector : public catalogue_visitor {
  public:
    explicit name_collector(parameter_names& names) : names_(names) {}
    void visit_device(target_device&, int) override {}
    void visit_param(target_param& param, int) override { names_.insert(param.name()); }

  private:
    parameter_names& names_;
};
} // namespace

parameter_names offered_parameters(parameter_list& catalogue, int device_code) {
    parameter_names names;
    name_collector collector(names);
    catalogue.walk(collector, device_code);
    return names;
}
