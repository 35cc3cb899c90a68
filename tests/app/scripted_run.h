// Runs the game binary headless on the stand-in content with a controller
// script, and compares its captured TV pictures with checked-in references
// shrunk to 96 x 54. QUORVELLA_WRITE_REFERENCES=1 writes the references
// instead of comparing.
#pragma once

#include "tests/app/command.h"

#include <string>
#include <vector>

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
