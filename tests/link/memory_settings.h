#pragma once
// A link_settings that keeps its values in memory, counting the saves, for tests.

#include "link/link_settings.h"

#include <map>
#include <string>

class memory_settings : public link_settings {
  public:
    std::string value(const std::string& section, const std::string& key,
                      const std::string& default_value) override {
        auto it = values.find(section + "/" + key);
        return it == values.end() ? default_value : it->second;
    }
    void set_value(const std::string& section, const std::string& key,
                   const std::string& value) override {
        values[section + "/" + key] = value;
        ++saves;
    }

    std::map<std::string, std::string> values;
    int saves = 0;
};
