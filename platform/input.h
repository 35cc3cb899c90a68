// Controller and touch reading, the second half of platform_poll_events.
#pragma once

// Reads the remotes and the gamepad into the folded controller state.
void platform_read_controllers();
