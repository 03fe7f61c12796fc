#pragma once
// The protocol setup dialogs as the editor runs them, modal over the active window: the host
// protocol selection and a protocol's settings dialog, and the protocol command around them.
// The application keeps one and hands it to the windows that run these dialogs; tests hand
// them a scripted one.

#include "model/host_selection.h"
#include "model/protocol_header.h"

class CTessalyDoc;
class QWidget;
class zrp_file;

class CProtocolDialogs {
  public:
    virtual ~CProtocolDialogs() = default;

    // The host protocol selection on values; true (values chosen) on OK.
    virtual bool select_protocol(host_selection_values& values);
    // The settings dialog of protocol for a device on values; true (values chosen) on OK.
    virtual bool edit_settings(const protocol_description& protocol, int device_code,
                               header_values& values);

    // The protocol command on a document: the selection and, when it brings a header of
    // another protocol or device, that header's settings dialog, as one step of the map's
    // history. False when the selection was cancelled.
    bool choose_protocol(CTessalyDoc& doc);
    // The same for the map of a new document (no history): false unless the selection and a
    // new header's settings dialog were both confirmed.
    bool choose_protocol(zrp_file& map);

    // The window a dialog opens over: the active modal dialog, else the active window.
    static QWidget* dialog_parent();
};
