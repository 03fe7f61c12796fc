#pragma once
// The settings form that fills the upper pane of a document window.

class CTessalyDoc;
class QWidget;

// Creates the form of the document's header class (form_class()), or CGenericForm while the
// document has no header. The form fills itself from the header at once. The caller sizes the
// pane with the header's form_pane_size() and creates a new form whenever the header is
// replaced.
QWidget* create_protocol_form(CTessalyDoc* doc, QWidget* parent);
