#pragma once
// A controller parameter of the catalogue: its name, data type and one-line description, and
// the catalogue device that holds it.

#include "catalogue/catalogue_words.h"
#include "catalogue/object_with_destructor.h"

#include <string>

class target_device;
class xml_tag_element;

// The item that shows a catalogue entry in the register dialog's tree; meaningful only while
// that dialog fills or uses its tree.
using view_handle = const void*;

class target_param : public object_with_destructor {
  public:
    explicit target_param(target_device* device) : device_(device) {}
    // Builds a parameter of device from a "param" element: "name" and "type" (the last
    // occurrence wins), and the first child's text, when that is text, as the description.
    target_param(target_device* device, const xml_tag_element& element);

    target_device* device() const { return device_; }
    const std::string& name() const { return name_; }
    const std::string& description() const { return description_; }
    int type() const { return type_; }
    view_handle handle() const { return handle_; }
    void set_handle(view_handle handle) { handle_ = handle; }

    void set_name(std::string name) { name_ = std::move(name); }
    void set_description(std::string description) { description_ = std::move(description); }
    void set_type(int type) { type_ = type; }

  private:
    target_device* device_;
    std::string name_;
    std::string description_;
    int type_ = unknown_param_type;
    view_handle handle_ = nullptr;
};
