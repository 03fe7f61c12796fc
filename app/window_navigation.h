#pragma once
// Where the main window opens, and how the keyboard moves between its document windows.

class QMainWindow;
class QMdiArea;

// Shows window with the size, position and maximised state it had when last closed; on a first
// start at its own size, maximised when the screen is small.
void show_placed(QMainWindow& window);
// Keeps window's size, position and maximised state in the settings store.
void save_placement(const QMainWindow& window);

// Ctrl+Tab and Ctrl+F6 activate area's next document window, Ctrl+Shift+Tab and
// Ctrl+Shift+F6 the one before, wherever the focus is in window.
void add_window_switching(QMainWindow& window, QMdiArea& area);
