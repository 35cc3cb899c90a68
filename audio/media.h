// The sound system as the rest of the runtime sees it.
#pragma once

// Destroys every sound that is marked for release and no longer in use.
void flush_audio();
