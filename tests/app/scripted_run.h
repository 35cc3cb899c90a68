// Runs the game binary headless on the stand-in content with a controller
// script, and compares its captured TV pictures with checked-in references
// shrunk to 96 x 54. QUORVELLA_WRITE_REFERENCES=1 writes the references
// instead of comparing.
#pragma once

#include "tests/app/command.h"

#include <cstdint>
#include <string>
#include <vector>

// A PNG read as RGBA; empty when it cannot be read.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;

    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
    std::vector<int> rgb(int x, int y) const { return {at(x, y)[0], at(x, y)[1], at(x, y)[2]}; }
};

Picture load_picture(const std::string& path);

struct ScriptedRun {
    std::string script;       // the --input file
    std::string save;         // the save volume
    std::string shots;        // the capture folder
    long ticks = 0;
    int capture_every = 20;
};

// `more` is added to the command line (further options).
CommandResult run_scripted(const ScriptedRun& run, const std::string& more = "");

// The frame indices the console announced ("Setting frame: N"), in order.
std::vector<int> frame_changes(const std::string& output);

// Checks picture `number` of `shots` against the reference `name` in
// tests/app/references (or writes it).
void expect_like_reference(const std::string& shots, int number, const std::string& name);
