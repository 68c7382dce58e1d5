// The events of the accessibility bus that the backend turns into
// notifications: focus moves, caret moves and selection changes, window
// activation, moves and resizes, applications appearing on the bus.
// Listeners only queue what they hear; the queue is worked off from the
// main loop, so that no observer runs inside a request the library is
// making (AT-SPI hands events over while it waits for answers).
#pragma once

namespace axt::lindesk {

// Starts listening, once; nothing happens without the bus.
void startListening();

}  // namespace axt::lindesk
