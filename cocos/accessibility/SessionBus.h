// Asks the session message bus (D-Bus) whether a name has an owner, speaking the little of
// the protocol that takes (authentication, Hello, NameHasOwner) over its Unix socket. No D-Bus
// library is loaded for it: the question is asked at every start, and the answer is usually
// that nothing needs loading.
#pragma once

#include <string>

namespace cocos2d::accessibility {

// DBUS_SESSION_BUS_ADDRESS, else the per-user bus at $XDG_RUNTIME_DIR/bus when that socket
// exists; empty when there is neither.
std::string sessionBusAddress();

// True when the bus at the address (D-Bus address syntax; unix:path= and unix:abstract=
// entries are tried in order) answers that the name has an owner. False on any failure,
// including no answer within the timeout.
bool busNameHasOwner(const std::string& address, const std::string& name, int timeoutMilliseconds);

}  // namespace cocos2d::accessibility
