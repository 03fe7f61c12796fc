#pragma once
// Help requests of the protocol setup windows, by context number. They go to the
// application's help window; tests install a handler of their own.

#include <functional>

class QWidget;

using help_topic_handler = std::function<void(QWidget* parent, int context)>;

// Shows the help topic with this context number.
void show_help_topic(QWidget* parent, int context);
// Installs a handler that takes the requests instead of the application's help window and
// returns the previous one (an empty handler restores the help window).
help_topic_handler set_help_topic_handler(help_topic_handler handler);
