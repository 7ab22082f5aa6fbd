#pragma once

// The window station the program runs in.
namespace WindowStation {

// Whether a person can see its windows: false in a service's station or
// the system account's, where a box would wait for ever for nobody.
// Answers true when Windows does not say (its windows may be seen).
bool isVisible();

} // namespace WindowStation
