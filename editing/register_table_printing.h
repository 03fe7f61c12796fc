#pragma once
// Printing a document's register table (File > Print Register Table) and writing it as a PDF
// (File > Export Register Table as PDF): the map as it is now, unsaved changes included, on
// portrait pages of the printer settings' paper size. Also the name a print job of a document
// carries, from which print dialogs build the default name of a PDF printed to file.

#include <QByteArray>
#include <QString>

class CTessalyDoc;
class QPageLayout;
class QPrinter;
class QWidget;
class parameter_list;

// The document's file name ("line3.zrp"), or for a map without a file its title; characters a
// file name cannot hold (the "/" of "Modbus/TCP") are left out.
QString print_document_name(const CTessalyDoc& doc);

// Shows the print dialog and prints the table on printer; catalogue (may be nullptr) gives
// the parameters' descriptions.
void print_register_table(const CTessalyDoc* doc, parameter_list* catalogue, QPrinter& printer,
                          QWidget* parent);

// The table as a PDF document on pages of layout's size, portrait; empty when cancelled.
// parent, when given, is the window a progress display for long tables opens over.
QByteArray register_table_pdf(const CTessalyDoc& doc, parameter_list* catalogue,
                              const QPageLayout& layout, QWidget* parent = nullptr);
