#pragma once
// Printing a document's register list: the saved file's lines on the given printer, after
// the print dialog (print) or in a print preview (preview). A document never saved, modified
// since, or whose file cannot be opened is refused with its message and nothing is printed.

class CTessalyDoc;
class QPrinter;
class QWidget;

void print_register_list(const CTessalyDoc* doc, QPrinter& printer, QWidget* parent);
void preview_register_list(const CTessalyDoc* doc, QPrinter& printer, QWidget* parent);
