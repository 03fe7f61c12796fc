#pragma once
// Help requests of the protocol setup windows, by context number. They go to the handler
// in force: the application installs its help window, tests install a handler of their own.

#include <functional>

class QWidget;

using help_topic_handler = std::function<void(QWidget* parent, int context)>;

// Shows the help topic with this context number.
void show_help_topic(QWidget* parent, int context);
// Installs the handler that takes the requests and returns the previous one (with an empty
// handler the requests are dropped).
help_topic_handler set_help_topic_handler(help_topic_handler handler);
