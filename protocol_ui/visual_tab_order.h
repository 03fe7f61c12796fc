#pragma once
// Tab order as the eye reads a window: top-left to bottom-right, group by group. The
// focusable controls of a window are taken group box by group box (a control outside any
// group box is a group of its own); groups, and the controls inside each group, go row by
// row, left to right within a row. A row holds whatever starts above the bottom edge of every
// item already in it, so that controls aligned to a row's top or centre stay in it.

class QWidget;

// Orders the tab chain of root's focusable, shown controls; call it once root is laid out
// (when it is shown).
void apply_visual_tab_order(QWidget* root);
