#include "console/pads.h"

#include "console/controllers.h"
#include "console/input_script.h"
#include "console/options.h"
#include "console/os.h"
#include "console/procui.h"

#include <algorithm>

namespace {

struct Pads {
    std::unique_ptr<PadSource> source;
    bool initialised = false;
    bool pro_controllers = false;  // WPADEnableURCC
    PadCallCounts counts{};
};

Pads pads;

long current_tick()
{
    return procui_counts().batches;
}

// A script whose tick 1 is the next message batch; `clean` tells whether
// every line could be read.
std::unique_ptr<PadSource> script_source(const std::string& text, const std::string& name,
                                         bool* clean = nullptr)
{
    auto script = std::make_unique<InputScript>();
    const bool parsed = script->parse(text, name);
    if (clean)
        *clean = parsed;
    script->set_base(current_tick());
    return script;
}

// The run options decide once: a script, else (headless) a gamepad with
// nothing held, else the host's keyboard, mouse and game controllers.
std::unique_ptr<PadSource> chosen_source()
{
    const ConsoleOptions& options = console_options();
    if (!options.input_file.empty()) {
        auto script = std::make_unique<InputScript>();
        script->load(options.input_file);
        script->set_base(current_tick());
        return script;
    }
    if (options.headless)
        return script_source("", "");
    return std::make_unique<HostControllers>();
}

}  // namespace

int32_t VPADRead(int32_t channel, VPADStatus* buffers, uint32_t count, int32_t* error)
{
    ++pads.counts.gamepad_reads;
    int32_t result = VPAD_READ_SUCCESS;
    if (channel < 0 || channel > 1 || !pads.source)
        result = VPAD_READ_INVALID_CONTROLLER;
    else if (!buffers || count == 0)
        result = VPAD_READ_NO_SAMPLES;
    else if (!pads.source->read_gamepad(current_tick(), channel, buffers[0]))
        result = VPAD_READ_INVALID_CONTROLLER;
    if (error)
        *error = result;
    return result == VPAD_READ_SUCCESS ? 1 : 0;
}

// The host's samples are in panel coordinates already; calibration keeps
// them on the panel.
void VPADGetTPCalibratedPoint(int32_t, VPADTouchData* calibrated, const VPADTouchData* raw)
{
    if (!calibrated || !raw)
        return;
    VPADTouchData point = *raw;
    point.x = std::min<uint16_t>(point.x, 1280);
    point.y = std::min<uint16_t>(point.y, 720);
    *calibrated = point;
}

void KPADInit()
{
    if (pads.initialised)
        return;
    pads.initialised = true;
    pads.source = chosen_source();
}

// The host keeps no calibration or motion state for the remotes.
void KPADReset() {}

void WPADEnableURCC(int32_t enable)
{
    pads.pro_controllers = enable != 0;
}

void KPADDisableDPD(int32_t) {}

int32_t KPADReadEx(int32_t channel, KPADStatus* buffers, uint32_t count, int32_t* error)
{
    ++pads.counts.remote_reads;
    int32_t result = KPAD_ERROR_NO_CONTROLLER;
    KPADStatus status = {};
    if (channel >= 0 && channel <= 3 && pads.source)
        result = pads.source->read_remote(current_tick(), channel, status);
    // Pro controllers report only while the remote library lets them.
    if (result == KPAD_ERROR_OK && status.extension_type == WPAD_EXT_PRO_CONTROLLER &&
        !pads.pro_controllers)
        result = KPAD_ERROR_NO_CONTROLLER;
    if (result == KPAD_ERROR_OK && (!buffers || count == 0))
        result = KPAD_ERROR_NO_SAMPLES;
    if (result == KPAD_ERROR_OK)
        buffers[0] = status;
    if (error)
        *error = result;
    return result == KPAD_ERROR_OK ? 1 : 0;
}

void pads_set_source(std::unique_ptr<PadSource> source)
{
    pads.source = std::move(source);
}

bool pads_use_script(const std::string& text, const std::string& name)
{
    bool clean = false;
    pads.source = script_source(text, name, &clean);
    return clean;
}

PadCallCounts pads_call_counts()
{
    return pads.counts;
}
