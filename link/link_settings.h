#pragma once
// The persistent settings store as the link (and the rest of the core) sees it: text values
// under a section and a key. The editor and tessaly-cli implement it over QSettings
// (link/platform/qt_settings_store.h); tests keep the values in memory.

#include <string>

class link_settings {
  public:
    virtual ~link_settings() = default;
    // The stored value, or default_value when the key is absent.
    virtual std::string value(const std::string& section, const std::string& key,
                              const std::string& default_value) = 0;
    // Stores the value and saves it at once.
    virtual void set_value(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

// The section and keys of the link settings.
inline constexpr const char* settings_section = "Settings";
inline constexpr const char* use_link_key = "UseLink";
inline constexpr const char* com_port_key = "ComPort";
inline constexpr const char* use_link_default = "COM";
inline constexpr const char* com_port_default = "COM1";
