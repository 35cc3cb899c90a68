// The picture decoder behind the image loader: PNG and BMP, the formats of
// the game's pictures, and the zlib streams of image items. A thin front on
// stb_image, whose implementation lives in picture_decoder.cpp alone.
#pragma once

// Whether the bytes start like a PNG or a BMP file: the only formats read.
bool picture_format_known(const unsigned char* bytes, int length);
// The size and channel count from the header alone; false when the bytes
// are no picture it knows.
bool picture_info(const unsigned char* bytes, int length, int& width, int& height, int& channels);
// The pixels as RGBA, or null; free them with free_picture.
unsigned char* decode_picture(const unsigned char* bytes, int length, int& width, int& height,
                              int& channels);
void free_picture(unsigned char* pixels);
// Inflates a zlib stream into `out`; the bytes written, or -1.
int inflate_zlib(char* out, int out_size, const char* in, int in_size);
// Why the last call failed, in the decoder's words.
const char* picture_failure_reason();
