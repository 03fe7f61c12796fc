#include "editing/CParameterTreeBuilder.h"

#include "editing/dialog_fields.h"
#include "editing/parameter_icons.h"

#include <QTreeWidgetItem>

#include <algorithm>

CParameterTreeBuilder::CParameterTreeBuilder(const QFontMetrics& metrics, int indent)
    : metrics_(metrics), indent_(indent) {}

void CParameterTreeBuilder::visit_device(target_device& device, int depth) {
    auto* item = new QTreeWidgetItem(QStringList(qt_text(device.name())));
    item->setIcon(0, device_icon(false));
    item->setData(0, device_role, true);
    attach(item, depth);
    stack_.resize(static_cast<std::size_t>(depth) + 1);
    stack_.back() = item;
    device.set_handle(item);
    measure(device.name(), depth);
}

void CParameterTreeBuilder::visit_param(target_param& param, int depth) {
    auto* item = new QTreeWidgetItem(QStringList(qt_text(param.name())));
    item->setIcon(0, parameter_icon(param.type()));
    if (!param.description().empty())
        item->setToolTip(0, qt_text(param.description()));
    attach(item, depth);
    param.set_handle(item);
    measure(param.name(), depth);
}

void CParameterTreeBuilder::attach(QTreeWidgetItem* item, int depth) {
    if (depth == 0 || stack_.size() < static_cast<std::size_t>(depth))
        top_level.append(item);
    else
        stack_[static_cast<std::size_t>(depth) - 1]->addChild(item);
}

void CParameterTreeBuilder::measure(const std::string& name, int depth) {
    widest = std::max(widest, metrics_.horizontalAdvance(qt_text(name)) + depth * indent_);
}
