// A display that goes away under an open window (its server ends, a remote
// session drops) ends the run as a window close does, only failed: one line,
// the save request, the outputs finished, exit status 1. Left to itself,
// Xlib would exit from inside the call that noticed, running the exit
// handlers while the game's other threads still work.
#pragma once

struct SDL_Window;

// Watches the connection of the window's display; nothing for a window
// that no X server shows.
void display_loss_watch(SDL_Window* window);
