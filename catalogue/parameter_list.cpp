#include "catalogue/parameter_list.h"

#include "catalogue/read_xml_document.h"
#include "core/input_file.h"

#include <sstream>

namespace {
void walk_device(target_device& device, int depth, catalogue_visitor& visitor,
                 const std::optional<int>& device_code) {
    if (device_code && !device.shown_for(*device_code))
        return;
    visitor.visit_device(device, depth);
    for (std::int32_t i = 0; i < device.devices().count(); ++i)
        walk_device(*device.devices().at(i), depth + 1, visitor, device_code);
    for (std::int32_t i = 0; i < device.params().count(); ++i)
        visitor.visit_param(*device.params().at(i), depth + 1);
}

void clear_handles(target_device& device) {
    device.set_handle(nullptr);
    for (std::int32_t i = 0; i < device.devices().count(); ++i)
        clear_handles(*device.devices().at(i));
    for (std::int32_t i = 0; i < device.params().count(); ++i)
        device.params().at(i)->set_handle(nullptr);
}

bool holds_parameters(const target_device& device) {
    if (device.params().count() > 0)
        return true;
    for (std::int32_t i = 0; i < device.devices().count(); ++i)
        if (holds_parameters(*device.devices().at(i)))
            return true;
    return false;
}

target_param* find_in(const target_device& device, view_handle item) {
    for (std::int32_t i = 0; i < device.devices().count(); ++i)
        if (target_param* p = find_in(*device.devices().at(i), item))
            return p;
    for (std::int32_t i = 0; i < device.params().count(); ++i)
        if (device.params().at(i)->handle() == item)
            return device.params().at(i);
    return nullptr;
}

// Passes every visit on and remembers the register's current parameter.
class preselecting_visitor : public catalogue_visitor {
  public:
    preselecting_visitor(catalogue_visitor& inner, std::string_view name, std::string_view group)
        : inner_(inner), name_(name), group_(group) {}

    void visit_device(target_device& device, int depth) override {
        inner_.visit_device(device, depth);
    }
    void visit_param(target_param& param, int depth) override {
        inner_.visit_param(param, depth);
        if (param.name() == name_ && (group_.empty() || param.device()->name() == group_))
            match = &param;
    }

    target_param* match = nullptr;

  private:
    catalogue_visitor& inner_;
    std::string_view name_, group_;
};
} // namespace

int parameter_list::load(const std::string& path) {
    return load_file(path) == load_result::cannot_open ? -1 : 0;
}

parameter_list::load_result parameter_list::load_file(const std::string& path) {
    std::string contents;
    if (read_regular_file(path, contents) != file_read_result::ok)
        return load_result::cannot_open;
    std::istringstream in(std::move(contents));
    return load_stream(in);
}

parameter_list::load_result parameter_list::load_stream(std::istream& in) {
    read_error_ = {};
    auto root = read_xml_document(in, max_input_bytes, &read_error_);
    if (!root)
        return load_result::no_root;
    clear();
    for (std::int32_t i = 0; i < root->child_count(); ++i) {
        const xml_element* child = root->child(i);
        if (child->is_text())
            continue;
        const auto& tag = static_cast<const xml_tag_element&>(*child);
        if (tag.name() == "device")
            append(std::make_unique<target_device>(nullptr, tag));
    }
    return load_result::loaded;
}

bool parameter_list::has_parameters() const {
    for (std::int32_t i = 0; i < count(); ++i)
        if (holds_parameters(*at(i)))
            return true;
    return false;
}

void parameter_list::walk(catalogue_visitor& visitor, std::optional<int> device_code) {
    for (std::int32_t i = 0; i < count(); ++i)
        walk_device(*at(i), 0, visitor, device_code);
}

target_param* parameter_list::fill(catalogue_visitor& visitor, int device_code,
                                   std::string_view name, std::string_view group) {
    for (std::int32_t i = 0; i < count(); ++i)
        clear_handles(*at(i));
    preselecting_visitor preselect(visitor, name, group);
    walk(preselect, device_code);
    return preselect.match;
}

target_param* parameter_list::find_by_handle(view_handle item) const {
    if (!item)
        return nullptr;
    for (std::int32_t i = 0; i < count(); ++i)
        if (target_param* p = find_in(*at(i), item))
            return p;
    return nullptr;
}
