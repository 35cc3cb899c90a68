// The act 1 frame's start events: they finish the level for this entry
// (HUD, templates, parallax, counters, links, bridges), put the player on
// its marker, set up the camera and the music queue, and end with the
// start events every frame shares.
#include "game/frames/frames.h"

void Frames::on_frame_5_start_events()
{
    event_func_2180();
    event_func_2181();
    event_func_2182();
    event_func_2183();
    event_func_2184();
    event_func_2185();
    event_func_2186();
    event_func_2187();
    event_func_2188();
    event_func_2189();
    event_func_2190();
    event_func_2191();
    event_func_2192();
    event_func_2193();
    event_func_2194();
    event_func_2195();
    event_func_2196();
    event_func_2197();
    event_func_2198();
    event_func_2199();
    event_func_2200();
    event_func_2201();
    event_func_2202();
    event_func_2203();
    // The player, its sensors and the marker.
    event_func_2204();
    event_func_2205();
    event_func_2206();
    event_func_2207();
    event_func_2208();
    event_func_2209();
    event_func_2210();
    event_func_2211();
    event_func_2212();
    event_func_2213();
    event_func_2214();
    event_func_2215();
    event_func_2216();
    event_func_2217();
    event_func_2218();
    event_func_2219();
    event_func_2220();
    event_func_2221();
    event_func_2222();
    // Music queue and camera.
    event_func_2223();
    event_func_2224();
    event_func_2225();
    event_func_2226();
    event_func_2227();
    // Dormant here: the start mode it needs (0) never survives 2180.
    event_func_2228();
    event_func_2229();
    run_global_start_events();
}
