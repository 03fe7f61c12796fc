#include "catalogue/target_device.h"

#include "catalogue/xml_tag_element.h"

#include <memory>

target_device::target_device(target_device* parent, const xml_tag_element& element)
    : parent_(parent) {
    for (std::int32_t i = 0; i < element.attribute_count(); ++i) {
        const xml_attribute* a = element.attribute(i);
        if (a->name() == "name")
            name_ = a->value();
        else if (a->name() == "ctrl_type")
            ctrl_type_code(a->value(), device_code_);
    }
    for (std::int32_t i = 0; i < element.child_count(); ++i) {
        const xml_element* child = element.child(i);
        if (child->is_text())
            continue;
        const auto& tag = static_cast<const xml_tag_element&>(*child);
        if (tag.name() == "param")
            params_.append(std::make_unique<target_param>(this, tag));
        else if (tag.name() == "device")
            devices_.append(std::make_unique<target_device>(this, tag));
    }
}
