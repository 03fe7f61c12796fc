#pragma once
// The register dialog, titled "Register properties": a tabbed dialog with the "Register"
// page, and the "Commands" page while the register type is 3 or the "Status" page while it is
// 4, added and removed as the type changes. It edits a copy of the values the register preset;
// OK checks every field (a refused field keeps the dialog open on it) and hands the values back.
// The dialog never opens larger than the screen: its pages scroll instead.

#include "register_rules/register_dialog_state.h"

#include <QDialog>

class CRegisterProperty_1;
class CRegisterProperty_2;
class CRegisterProperty_3;
class QPushButton;
class QTabWidget;

class CRegisterDialog : public QDialog {
    Q_OBJECT
  public:
    // values as the register preset them; editing_existing for Properties; the catalogue may
    // be nullptr (an empty tree); network is the application's network_protocol_flag.
    CRegisterDialog(const register_dialog_values& values, bool editing_existing,
                    parameter_list* catalogue, bool network, QWidget* parent = nullptr);
    ~CRegisterDialog() override;

    // The values as accepted (the preset until OK succeeds).
    const register_dialog_values& values() const { return values_; }

    register_dialog_state& state() { return state_; }
    QTabWidget* tabs() const { return tabs_; }
    CRegisterProperty_1* register_page() const { return page_1_; }
    CRegisterProperty_2* commands_page() const { return page_2_; }
    CRegisterProperty_3* status_page() const { return page_3_; }
    QPushButton* ok_button() const { return ok_; }

    // Why OK is disabled, as its tool tip says it.
    static constexpr const char* ok_disabled_reason = "Pick a parameter in the tree";

    void setVisible(bool visible) override;

  public slots:
    void accept() override;

  protected:
    bool event(QEvent* event) override;

  private:
    // Adds or removes the bit pages as the type asks and enables OK.
    void follow_state();
    QWidget* refused_widget(const dialog_refusal& refusal) const;
    // Grows the dialog to what its pages want, within the screen it is on, and keeps it there.
    void fit_to_screen();

    register_dialog_state state_;
    register_dialog_values values_;
    QTabWidget* tabs_;
    CRegisterProperty_1* page_1_;
    CRegisterProperty_2* page_2_ = nullptr;
    CRegisterProperty_3* page_3_ = nullptr;
    QPushButton* ok_ = nullptr;
};
