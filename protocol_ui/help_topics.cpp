#include "protocol_ui/help_topics.h"

#include <utility>

namespace {
help_topic_handler& current_handler() {
    static help_topic_handler handler;
    return handler;
}
} // namespace

void show_help_topic(QWidget* parent, int context) {
    if (current_handler())
        current_handler()(parent, context);
}

help_topic_handler set_help_topic_handler(help_topic_handler handler) {
    return std::exchange(current_handler(), std::move(handler));
}
