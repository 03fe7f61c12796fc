#include "editing/CRegisterProperty_1.h"

#include "catalogue/parameter_list.h"
#include "editing/CPageScrollArea.h"
#include "editing/CParameterSearch.h"
#include "editing/CParameterTreeBuilder.h"
#include "editing/dialog_fields.h"
#include "editing/parameter_icons.h"
#include "protocol_ui/CBlockList.h"
#include "protocol_ui/CChoiceGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace {

constexpr const char* fract_labels[] = {"0", "1"};
constexpr const char* whole_labels[] = {"1", "2"};
constexpr const char* integer_type_labels[] = {"Signed", "Unsigned", "Force to 0"};
constexpr const char* word_order_labels[] = {"Normal", "Reversed"};
constexpr const char* location_labels[] = {"Read Block", "Write Block"};
constexpr const char* line_labels[] = {"Line 1", "Line 2"};

constexpr int device_role = CParameterTreeBuilder::device_role;
constexpr int number_length = 12;

QTreeWidgetItem* item_of(view_handle handle) {
    return static_cast<QTreeWidgetItem*>(const_cast<void*>(handle));
}

} // namespace

CRegisterProperty_1::CRegisterProperty_1(register_dialog_state& state, QWidget* parent)
    : QWidget(parent), state_(state) {
    build();
    // Devices show an open folder while expanded (the preselection expands some at once).
    auto folder = [](QTreeWidgetItem* item, bool expanded) {
        if (item->data(0, device_role).toBool())
            item->setIcon(0, device_icon(expanded));
    };
    connect(tree_, &QTreeWidget::itemExpanded, this,
            [folder](QTreeWidgetItem* item) { folder(item, true); });
    connect(tree_, &QTreeWidget::itemCollapsed, this,
            [folder](QTreeWidgetItem* item) { folder(item, false); });
    fill_tree();
    if (state_.controls().blocks_shown) {
        blocks_->setup_columns();
        blocks_->show_blocks(state_.preset().blocks, 0,
                             std::min(state_.preset().block_count, block_table_size));
    }
    refresh();
    if (QTreeWidgetItem* item = tree_->currentItem())
        tree_->scrollToItem(item);
    connect_events();
    set_tab_order();
}

void CRegisterProperty_1::build() {
    auto* page = new QHBoxLayout(CPageScrollArea::content_of(this));

    // Left: the catalogue.
    auto* left = new QVBoxLayout;
    selected_ = new QLineEdit(this);
    set_read_only(selected_, true);
    selected_->setAccessibleName(QStringLiteral("Selected parameter"));
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    left->addWidget(field_label(QStringLiteral("&Parameters:"), tree_, this));
    left->addWidget(selected_);
    search_ = new CParameterSearch(tree_, this);
    auto* search_row = new QHBoxLayout;
    search_row->addWidget(field_label(QStringLiteral("Searc&h:"), search_, this));
    search_row->addWidget(search_, 1);
    left->addLayout(search_row);
    left->addWidget(tree_, 3);
    blocks_ = new CBlockList(this);
    blocks_label_ = field_label(QStringLiteral("Defined &Blocks:"), blocks_, this);
    left->addWidget(blocks_label_);
    left->addWidget(blocks_, 2);
    page->addLayout(left, 1);

    // Right: the register.
    auto* right = new QVBoxLayout;
    auto* top = new QFormLayout;
    number_ = new QLineEdit(this);
    number_->setMaxLength(number_length);
    top->addRow(field_label(QStringLiteral("&Register number:"), number_, this), number_);
    type_ = new QComboBox(this);
    for (int t = 0; t < register_type_count; ++t)
        type_->addItem(qt_text(register_dialog_state::type_label(t)));
    top->addRow(field_label(QStringLiteral("Register &type"), type_, this), type_);
    right->addLayout(top);

    auto* words = new QHBoxLayout;
    fract_ = new CChoiceGroup(QStringLiteral("#&fract"), fract_labels, this, true);
    whole_ = new CChoiceGroup(QStringLiteral("# &whole"), whole_labels, this, true);
    words->addWidget(fract_);
    words->addWidget(whole_);
    length_row_ = new QWidget(this);
    auto* length_layout = new QHBoxLayout(length_row_);
    length_layout->setContentsMargins(0, 0, 0, 0);
    length_ = new QLineEdit(length_row_);
    length_->setMaxLength(number_length);
    length_layout->addWidget(field_label(QStringLiteral("Len&gth:"), length_, length_row_));
    length_layout->addWidget(length_);
    words->addWidget(length_row_);
    right->addLayout(words);

    auto* sign = new QHBoxLayout;
    integer_type_ = new CChoiceGroup(QStringLiteral("&Integer Type"), integer_type_labels, this);
    word_order_ = new CChoiceGroup(QStringLiteral("Word &order"), word_order_labels, this);
    auto* swap_group = new QGroupBox(QStringLiteral("Swap order"), this);
    auto* swap_layout = new QVBoxLayout(swap_group);
    swap_layout->setContentsMargins(6, 2, 6, 2);
    swapped_ = new QCheckBox(QStringLiteral("&Swapped"), swap_group);
    swapped_->setAccessibleName(QStringLiteral("Swapped"));
    swap_layout->addWidget(swapped_);
    swap_layout->addStretch(1);
    sign->addWidget(integer_type_);
    sign->addWidget(word_order_);
    sign->addWidget(swap_group);
    right->addLayout(sign);

    auto* place = new QHBoxLayout;
    location_ = new CChoiceGroup(QStringLiteral("&Location"), location_labels, this, true);
    line_ = new CChoiceGroup(QStringLiteral("Li&ne"), line_labels, this, true);
    place->addWidget(location_);
    place->addWidget(line_);
    right->addLayout(place);
    for (CChoiceGroup* group : {fract_, whole_, integer_type_, word_order_, location_, line_})
        group->setAccessibleName(without_mnemonic(group->title()));
    swap_group->setAccessibleName(swap_group->title());

    auto* shift_row = new QHBoxLayout;
    shift_ = new QSpinBox(this);
    shift_->setRange(-8, 8);
    multiplier_ = new QLabel(this);
    multiplier_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("* 0.00000001")));
    shift_row->addWidget(field_label(QStringLiteral("&Decimal shift:"), shift_, this));
    shift_row->addWidget(shift_);
    shift_row->addWidget(multiplier_);
    shift_row->addStretch(1);
    right->addLayout(shift_row);
    auto* note =
        new QLabel(QStringLiteral("Controller parameter will be multiplied by this value"), this);
    note->setWordWrap(true);
    right->addWidget(note);

    auto* numeric = new QGroupBox(QStringLiteral("Integer (numeric)"), this);
    numeric->setAccessibleName(numeric->title());
    auto* numeric_layout = new QHBoxLayout(numeric);
    const auto number_pattern =
        QRegularExpression(QStringLiteral("[ ]*[-+]?[0-9]*[.]?[0-9]*([eE][-+]?[0-9]*)?[ ]*"));
    auto scaling_field = [&](const char* label) {
        auto* edit = new QLineEdit(numeric);
        edit->setValidator(new QRegularExpressionValidator(number_pattern, edit));
        numeric_layout->addWidget(field_label(QString::fromUtf8(label), edit, numeric));
        numeric_layout->addWidget(edit, 1);
        return edit;
    };
    minimum_ = scaling_field("&Min:");
    maximum_ = scaling_field("Ma&x:");
    scale_ = scaling_field("S&cale:");
    right->addWidget(numeric);

    auto* bottom = new QFormLayout;
    feeder_ = new QLineEdit(this);
    feeder_->setMaxLength(number_length);
    feeder_label_ = field_label(QStringLiteral("F&eeder (Line = 0):"), feeder_, this);
    bottom->addRow(feeder_label_, feeder_);
    rom_ = new QLineEdit(this);
    rom_->setMaxLength(number_length);
    bottom->addRow(field_label(QStringLiteral("ROM Constant &Value"), rom_, this), rom_);
    right->addLayout(bottom);
    right->addStretch(1);
    page->addLayout(right);
}

void CRegisterProperty_1::fill_tree() {
    CParameterTreeBuilder builder(tree_->fontMetrics(), tree_->indentation());
    const view_handle preselected = state_.open(&builder);
    tree_->addTopLevelItems(builder.top_level);
    if (QTreeWidgetItem* item = item_of(preselected))
        for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent())
            parent->setExpanded(true);
    // Wide enough for the catalogue's names (within reason), icon and frame included.
    const int extra = tree_->iconSize().width() + 6 * tree_->frameWidth() + 32;
    tree_->setMinimumWidth(std::clamp(builder.widest + extra, 240, 420));
    tree_->setMinimumHeight(fontMetrics().height() * 16);
}

template <class Event> void CRegisterProperty_1::on_user(Event event) {
    if (refreshing_)
        return;
    event();
    refresh();
    emit state_changed();
}

void CRegisterProperty_1::connect_events() {
    register_dialog_state& s = state_;
    // A pick is a change of the selection: the tree moves its current item alone when it
    // takes the focus, and that picks nothing.
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this, &s] {
        const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
        if (!selected.isEmpty())
            on_user([&] { s.pick_item(selected.front()); });
    });
    connect(blocks_, &QTreeWidget::itemSelectionChanged, this,
            [this, &s] { on_user([&] { s.pick_block(blocks_->selected_row()); }); });
    auto text_event = [this](QLineEdit* edit,
                             void (register_dialog_state::*handler)(const std::string&)) {
        connect(edit, &QLineEdit::textEdited, this, [this, handler](const QString& text) {
            on_user([&] { (state_.*handler)(std_text(text)); });
        });
    };
    text_event(number_, &register_dialog_state::edit_register_number);
    text_event(length_, &register_dialog_state::edit_length);
    text_event(minimum_, &register_dialog_state::edit_minimum);
    text_event(maximum_, &register_dialog_state::edit_maximum);
    text_event(scale_, &register_dialog_state::edit_scale);
    text_event(feeder_, &register_dialog_state::edit_feeder);
    text_event(rom_, &register_dialog_state::edit_rom_value);
    connect(type_, &QComboBox::activated, this,
            [this, &s](int type) { on_user([&] { s.choose_type(type); }); });
    auto choice_event = [this](CChoiceGroup* group, void (register_dialog_state::*handler)(int)) {
        connect(group, &CChoiceGroup::choice_clicked, this,
                [this, handler](int position) { on_user([&] { (state_.*handler)(position); }); });
    };
    choice_event(fract_, &register_dialog_state::choose_fract);
    choice_event(whole_, &register_dialog_state::choose_whole);
    choice_event(integer_type_, &register_dialog_state::choose_integer_type);
    choice_event(word_order_, &register_dialog_state::choose_word_order);
    choice_event(location_, &register_dialog_state::choose_location);
    choice_event(line_, &register_dialog_state::choose_line);
    connect(swapped_, &QCheckBox::clicked, this,
            [this, &s](bool ticked) { on_user([&] { s.toggle_swapped(ticked); }); });
    connect(shift_, &QSpinBox::valueChanged, this,
            [this, &s](int shift) { on_user([&] { s.set_decimal_shift(shift); }); });
}

void CRegisterProperty_1::set_tab_order() {
    std::vector<QWidget*> order = {selected_, search_, tree_, blocks_, number_, type_};
    for (CChoiceGroup* group : {fract_, whole_})
        for (int i = 0; i < group->count(); ++i)
            order.push_back(group->button(i));
    order.push_back(length_);
    for (CChoiceGroup* group : {integer_type_, word_order_})
        for (int i = 0; i < group->count(); ++i)
            order.push_back(group->button(i));
    order.push_back(swapped_);
    for (CChoiceGroup* group : {location_, line_})
        for (int i = 0; i < group->count(); ++i)
            order.push_back(group->button(i));
    for (QWidget* w : {static_cast<QWidget*>(shift_), static_cast<QWidget*>(minimum_),
                       static_cast<QWidget*>(maximum_), static_cast<QWidget*>(scale_),
                       static_cast<QWidget*>(feeder_), static_cast<QWidget*>(rom_)})
        order.push_back(w);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CRegisterProperty_1::refresh() {
    refreshing_ = true;
    const register_page_fields& f = state_.fields();
    const register_page_controls& c = state_.controls();

    show_text(selected_, f.selected_text);
    tree_->setEnabled(c.tree);
    search_->setEnabled(c.tree);
    QTreeWidgetItem* item = item_of(f.selected_item);
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (item == nullptr && !selected.isEmpty())
        tree_->clearSelection();
    else if (item != nullptr && (selected.isEmpty() || selected.front() != item))
        tree_->setCurrentItem(item);
    blocks_label_->setVisible(c.blocks_shown);
    blocks_->setVisible(c.blocks_shown);
    if (c.blocks_shown && blocks_->selected_row() != f.block && f.block >= 0 &&
        f.block < blocks_->topLevelItemCount())
        blocks_->setCurrentItem(blocks_->topLevelItem(f.block));

    show_text(number_, f.register_number);
    type_->setCurrentIndex(f.type);
    if (auto* model = qobject_cast<QStandardItemModel*>(type_->model()))
        for (int t = 0; t < register_type_count; ++t)
            model->item(t)->setEnabled(c.type[static_cast<std::size_t>(t)]);

    fract_->set_checked(f.fract);
    fract_->setEnabled(c.fract);
    whole_->set_checked(f.whole);
    whole_->setEnabled(c.whole);
    whole_->setVisible(c.whole_shown);
    length_row_->setVisible(c.length_shown);
    show_text(length_, f.length);
    set_read_only(length_, !c.length);

    integer_type_->set_checked(f.integer_type);
    for (int i = 0; i < integer_type_->count(); ++i)
        integer_type_->button(i)->setEnabled(c.integer_type[static_cast<std::size_t>(i)]);
    word_order_->set_checked(f.word_order);
    word_order_->setEnabled(c.word_order);
    swapped_->setChecked(f.swapped);
    swapped_->setEnabled(c.swapped);

    location_->setVisible(c.location_shown);
    location_->set_checked(f.location);
    line_->setVisible(c.line_shown);
    line_->setEnabled(c.line);
    line_->set_checked(f.line);

    shift_->setEnabled(c.decimal_shift);
    shift_->setValue(f.decimal_shift);
    multiplier_->setText(qt_text(register_dialog_state::multiplier_text(f.decimal_shift)));
    for (auto [edit, text, on] :
         {std::tuple{minimum_, &f.minimum, c.minimum}, std::tuple{maximum_, &f.maximum, c.maximum},
          std::tuple{scale_, &f.scale, c.scale}}) {
        show_text(edit, *text);
        edit->setEnabled(on);
    }
    feeder_label_->setVisible(c.feeder_shown);
    feeder_->setVisible(c.feeder_shown);
    feeder_->setEnabled(c.feeder);
    feeder_->setReadOnly(!c.feeder);
    show_text(feeder_, f.feeder);
    rom_->setEnabled(c.rom_value);
    show_text(rom_, f.rom_value);
    refreshing_ = false;
}

QWidget* CRegisterProperty_1::field_widget(dialog_refusal::field field) const {
    switch (field) {
    case dialog_refusal::field::register_number:
        return number_;
    case dialog_refusal::field::feeder:
        return feeder_;
    case dialog_refusal::field::rom_value:
        return rom_;
    case dialog_refusal::field::length:
        return length_;
    case dialog_refusal::field::tree:
        return tree_;
    default:
        return nullptr;
    }
}
