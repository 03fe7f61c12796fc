#include "app/CGuardedApplication.h"

#include "core/user_interface.h"

#include <new>

bool CGuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        // What the handler allocated is gone with the exception; the message needs little.
        ui().message(msg_command_out_of_memory);
        return false;
    }
}
