#pragma once
// Read-only text fields that look it: the window's background in place of an editable
// field's, so that a count or a derived value is not taken for something to type into.

class QLineEdit;

// Makes edit read-only or editable, and look it.
void set_read_only(QLineEdit* edit, bool read_only);
