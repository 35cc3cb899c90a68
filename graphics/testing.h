// Back to the state before first use, so that each test (and each fuzzing
// input) starts from a fresh start-up. The game never calls these.
#pragma once

// Every shader forgets its programs; the asset file is opened afresh on next use.
void shader_forget_all();
// Drops every table entry, cached file image and recoloured copy, and closes
// the image asset file.
void image_forget_all();
// The fonts are loaded afresh on the next init_font.
void font_forget_all();
// The next platform_begin_draw shows the boot image again.
void platform_show_boot_image_again();
