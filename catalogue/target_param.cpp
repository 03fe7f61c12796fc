#include "catalogue/target_param.h"

#include "catalogue/xml_tag_element.h"
#include "catalogue/xml_text_element.h"

target_param::target_param(target_device* device, const xml_tag_element& element)
    : device_(device) {
    for (std::int32_t i = 0; i < element.attribute_count(); ++i) {
        const xml_attribute* a = element.attribute(i);
        if (a->name() == "name")
            name_ = a->value();
        else if (a->name() == "type")
            type_ = param_type_code(a->value());
    }
    const xml_element* first = element.child(0);
    if (first && first->is_text())
        description_ = static_cast<const xml_text_element*>(first)->text();
}
