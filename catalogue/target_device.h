#pragma once
// A device of the catalogue: a controller, a panel or a group of parameters, holding its
// parameters and further devices in file order. It belongs to one device code, or to every
// code (any_device_code).

#include "catalogue/catalogue_words.h"
#include "catalogue/t_array.h"
#include "catalogue/target_param.h"

#include <string>

class target_device : public object_with_destructor {
  public:
    explicit target_device(target_device* parent = nullptr) : parent_(parent) {}
    // Builds a device from a "device" element: "name" and "ctrl_type" (the last occurrence
    // wins; an unknown "ctrl_type" leaves the code as it was), then its "param" and "device"
    // children in order. Other children are ignored.
    target_device(target_device* parent, const xml_tag_element& element);

    target_device* parent() const { return parent_; }
    const std::string& name() const { return name_; }
    int device_code() const { return device_code_; }
    // True when the register dialog shows this device for a file of device code code.
    bool shown_for(int code) const {
        return device_code_ == any_device_code || device_code_ == code;
    }

    const t_array<target_param>& params() const { return params_; }
    const t_array<target_device>& devices() const { return devices_; }
    t_array<target_param>& params() { return params_; }
    t_array<target_device>& devices() { return devices_; }

    view_handle handle() const { return handle_; }
    void set_handle(view_handle handle) { handle_ = handle; }

    void set_name(std::string name) { name_ = std::move(name); }
    void set_device_code(int code) { device_code_ = code; }

  private:
    target_device* parent_;
    std::string name_;
    t_array<target_param> params_;
    t_array<target_device> devices_;
    int device_code_ = any_device_code;
    view_handle handle_ = nullptr;
};
