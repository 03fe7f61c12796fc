#pragma once
// The register property dialog as the editor runs it: a CRegisterDialog over the parameter
// catalogue, modal over the active window. The application keeps one and hands it to the
// register lists; tests hand them a scripted one.

#include "model/register_values.h"

class parameter_list;

class CRegisterDialogs {
  public:
    // The catalogue must outlive every dialog (it is the application's, reloaded in place);
    // nullptr shows an empty tree.
    explicit CRegisterDialogs(parameter_list* catalogue = nullptr) : catalogue_(catalogue) {}
    virtual ~CRegisterDialogs() = default;

    // The dialog on values, for an existing register (Properties) or a new one; true (values
    // chosen) on OK.
    virtual bool edit_register(register_dialog_values& values, bool existing);

  private:
    parameter_list* catalogue_;
};
