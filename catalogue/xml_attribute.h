#pragma once
// One attribute of an XML element: its name and its value as written (after escapes).

#include "catalogue/object_with_destructor.h"

#include <string>

class xml_attribute : public object_with_destructor {
  public:
    xml_attribute(std::string name, std::string value)
        : name_(std::move(name)), value_(std::move(value)) {}

    const std::string& name() const { return name_; }
    const std::string& value() const { return value_; }

  private:
    std::string name_;
    std::string value_;
};
