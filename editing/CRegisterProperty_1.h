#pragma once
// The "Register" page of the register dialog: the parameter tree of the catalogue, the
// register number and type, the word counts, sign handling, word order and swap, the location
// or block, decimal shift, scaling, feeder and ROM constant. The page shows a
// register_dialog_state and passes every user action to it; the rules live there.

#include "register_rules/register_dialog_state.h"

#include <QWidget>

class CBlockList;
class CChoiceGroup;
class CParameterSearch;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

class CRegisterProperty_1 : public QWidget {
    Q_OBJECT
  public:
    // Builds the page and opens the state (fills the tree, preselects the parameter).
    CRegisterProperty_1(register_dialog_state& state, QWidget* parent = nullptr);

    // Shows the state in every control.
    void refresh();
    // The control that holds a field the state refused.
    QWidget* field_widget(dialog_refusal::field field) const;

    QTreeWidget* tree() const { return tree_; }
    CParameterSearch* search_box() const { return search_; }
    QComboBox* type_box() const { return type_; }
    CBlockList* block_list() const { return blocks_; }

  signals:
    // The user changed something: the pages present and OK may have changed too.
    void state_changed();

  private:
    void build();
    void connect_events();
    void fill_tree();
    void set_tab_order();
    // Runs an event of the state caused by the user (not by refresh()), then shows the state.
    template <class Event> void on_user(Event event);

    register_dialog_state& state_;
    bool refreshing_ = false;

    QLineEdit* selected_ = nullptr;
    CParameterSearch* search_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QLabel* blocks_label_ = nullptr;
    CBlockList* blocks_ = nullptr;
    QLineEdit* number_ = nullptr;
    QComboBox* type_ = nullptr;
    CChoiceGroup* fract_ = nullptr;
    CChoiceGroup* whole_ = nullptr;
    QWidget* length_row_ = nullptr;
    QLineEdit* length_ = nullptr;
    CChoiceGroup* integer_type_ = nullptr;
    CChoiceGroup* word_order_ = nullptr;
    QCheckBox* swapped_ = nullptr;
    CChoiceGroup* location_ = nullptr;
    CChoiceGroup* line_ = nullptr;
    QSpinBox* shift_ = nullptr;
    QLabel* multiplier_ = nullptr;
    QLineEdit* minimum_ = nullptr;
    QLineEdit* maximum_ = nullptr;
    QLineEdit* scale_ = nullptr;
    QLabel* feeder_label_ = nullptr;
    QLineEdit* feeder_ = nullptr;
    QLineEdit* rom_ = nullptr;
};
