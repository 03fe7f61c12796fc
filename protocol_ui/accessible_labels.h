#pragma once
// Labels that name their controls for screen readers. A label is made its control's buddy:
// its mnemonic moves the focus there, and assistive technology reads it as the control's
// label. The control also takes the label's text as its accessible name, since lists and
// tables take their name from that alone.

class QFileDialog;
class QLabel;
class QString;
class QWidget;

// A label for control, beside it in the control's parent (text carries no mnemonic mark); an
// address control (CIpAddressEdit) also names each octet after it ("Ip address: octet 1").
QLabel* control_label(const QString& text, QWidget* control);

// Qt's file dialog leaves its folder and file type lists without their labels: links each to
// the label beside it.
void label_file_dialog_fields(QFileDialog* dialog);
