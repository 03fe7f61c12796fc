#pragma once
// Builds the register dialog's parameter tree as the catalogue walks its shown entries, and
// records each item as the entry's view handle. Items are made detached, to be added to the
// tree in one go; a parameter's description is its item's tool tip.

#include "catalogue/parameter_list.h"

#include <QFontMetrics>
#include <QList>

#include <vector>

class QTreeWidgetItem;

class CParameterTreeBuilder : public catalogue_visitor {
  public:
    // The item data role that marks a device (group) item.
    static constexpr int device_role = Qt::UserRole + 1;

    // metrics and indent measure the widest entry (text plus indentation).
    CParameterTreeBuilder(const QFontMetrics& metrics, int indent);

    void visit_device(target_device& device, int depth) override;
    void visit_param(target_param& param, int depth) override;

    QList<QTreeWidgetItem*> top_level;
    int widest = 0; // text plus indentation, in pixels

  private:
    void attach(QTreeWidgetItem* item, int depth);
    void measure(const std::string& name, int depth);

    QFontMetrics metrics_;
    int indent_;
    std::vector<QTreeWidgetItem*> stack_;
};
