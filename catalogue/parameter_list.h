#pragma once
// The parameter catalogue: the top-level devices of the parameter file in file order, and the
// walks the register dialog makes over them.
//
// Walk order, used by every client: for a device, first each sub-device with its whole
// subtree, in order, then its own parameters, in order; top-level devices in order.

#include "catalogue/t_array.h"
#include "catalogue/target_device.h"
#include "catalogue/xml_input.h"

#include <istream>
#include <optional>
#include <string>
#include <string_view>

// Said of a parameter file that loads but names no parameter at all.
inline constexpr const char* no_parameters_text = "the catalogue holds no parameter";

// Receives the entries of a walk. depth is 0 for a top-level device; a device's parameters
// are one level deeper than the device. A device is visited before its sub-devices.
class catalogue_visitor {
  public:
    virtual ~catalogue_visitor() = default;
    virtual void visit_device(target_device& device, int depth) = 0;
    virtual void visit_param(target_param& param, int depth) = 0;
};

class parameter_list : public t_array<target_device> {
  public:
    enum class load_result { loaded, cannot_open, no_root };

    // Loads the catalogue from the parameter file at path. Returns -1 when the file cannot be
    // opened (it is missing, not a regular file, or larger than the input bound), else 0. A file
    // that cannot be opened or holds no well-formed root element leaves the catalogue as it was;
    // otherwise the root's "device" children replace it.
    int load(const std::string& path);
    // The same load, telling apart the two ways it can leave the catalogue unchanged.
    load_result load_file(const std::string& path);
    // Loads from an open parameter file; cannot_open is never the answer.
    load_result load_stream(std::istream& in);
    // Where and why the last load found no well-formed root element.
    const xml_read_error& read_error() const { return read_error_; }
    // True when some device of the catalogue holds a parameter.
    bool has_parameters() const;

    // Visits every entry in walk order; with a device code, devices not shown for that code
    // are left out with their whole subtree.
    void walk(catalogue_visitor& visitor, std::optional<int> device_code = std::nullopt);

    // Fills the register dialog's tree for a file of device code: clears every view handle,
    // then walks the shown entries (the visitor records the handles it creates). Returns the
    // register's current parameter: the last one in walk order named name whose device is
    // named group, or any device when group is empty; null when none matches.
    target_param* fill(catalogue_visitor& visitor, int device_code, std::string_view name,
                       std::string_view group);

    // The parameter a tree item shows: searching each device's sub-devices before its own
    // parameters, the first whose view handle is item. Null for a null item or no match.
    target_param* find_by_handle(view_handle item) const;

  private:
    xml_read_error read_error_;
};
