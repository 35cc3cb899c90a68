#include "tests/support/event_kit.h"

#include "base/assetfile.h"
#include "console/fs.h"
#include "console/gpu.h"
#include "console/options.h"
#include "console/os.h"
#include "console/pads.h"
#include "game/events/act_tick.h"
#include "game/events/game_description.h"
#include "game/objects/class_lookup.h"
#include "graphics/display.h"
#include "graphics/testing.h"
#include "platform/input.h"
#include "runtime/manager.h"
#include "runtime/values.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace {

// The gamepad as the kit holds it; nothing else is connected.
class KitPads : public PadSource {
public:
    explicit KitPads(const EventKit& kit) : kit(kit) {}

    bool read_gamepad(long, int channel, VPADStatus& status) override
    {
        if (channel != 0)
            return false;
        // The tick has aged the keyboard list already: the keys are new in it.
        for (const int code : kit.keys_to_press)
            manager.keyboard.add(code);
        status = VPADStatus{};
        status.hold = kit.held_buttons;
        status.left_stick = {kit.stick_x, kit.stick_y};
        return true;
    }
    int32_t read_remote(long, int, KPADStatus&) override { return KPAD_ERROR_NO_CONTROLLER; }

private:
    const EventKit& kit;
};

// The descriptor of the kit's empty frame.
class KitFrame : public FrameData {
public:
    EmptyFrame spec;

    void init() override
    {
        Frames& frames = *static_cast<Frames*>(frame);
        frames.set_up_header(spec.index, spec.width, spec.height, Color(0, 0, 0, 255));
        frames.layers.resize(size_t(spec.layers));
        for (int k = 0; k < spec.layers; ++k)
            frames.layers[size_t(k)].init(k, 1.0, 1.0, true, false, false);
        frames.loops = nullptr;
        if (spec.set_up)
            spec.set_up(frames);
    }
    void on_start() override
    {
        if (spec.start)
            spec.start(*static_cast<Frames*>(frame));
    }
    void on_end() override { frame->reset(); }
    void handle_events() override
    {
        if (spec.handler)
            spec.handler(*static_cast<Frames*>(frame));
    }
};

KitFrame kit_frame;

// The stand-in content with some top-level files changed or missing: links
// to the rest, in the kit's own content folder.
void change_content(const std::string& folder,
                    const std::map<std::string, std::optional<std::string>>& changes)
{
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(QUORVELLA_STAND_IN_CONTENT)) {
        const std::string name = entry.path().filename().string();
        if (!changes.count(name))
            fs::create_symlink(entry.path(), fs::path(folder) / name);
    }
    for (const auto& [name, bytes] : changes) {
        if (!bytes)
            continue;
        // A file below a hidden folder gets a folder of its own.
        fs::create_directories((fs::path(folder) / name).parent_path());
        std::ofstream out(fs::path(folder) / name, std::ios::binary);
        out.write(bytes->data(), std::streamsize(bytes->size()));
    }
}

// Whatever the process keeps from the kits and tests before this one, back
// to a fresh process's state: the console's options, the asset file's tables
// and the images, shaders and fonts read from it, the controllers, the act
// recorder, the frames object with the run-long state of the events and
// classes, and the failed saves already reported. The manager's start-up
// then does the rest: the global values and strings, its input, the sounds.
void forget_earlier_runs()
{
    console_options() = ConsoleOptions();
    fs_forget_reported_saves();
    AssetFile::forget_tables();
    shader_forget_all();
    image_forget_all();
    font_forget_all();
    platform_reset_controllers();
    set_act_tick_recorder({});
    game_frames.reset_run_state();
}

}  // namespace

EventKit::EventKit(KitOptions options)
{
    forget_earlier_runs();
    console_options().content_dir = QUORVELLA_STAND_IN_CONTENT;
    if (!options.content_changes.empty()) {
        change_content(volumes.content, options.content_changes);
        console_options().content_dir = volumes.content;
    }
    console_options().save_dir = options.save_dir.empty() ? volumes.save : options.save_dir;
    console_options().headless = true;
    OSSetReportLog(&console_lines);
    media.start_log = &sounds;
    manager.fps_limit.set_fixed_step(1.0 / 60.0);
    manager.init(game_description());
    // Start-up chooses the host's controllers; the kit's gamepad replaces them.
    pads_set_source(std::make_unique<KitPads>(*this));
}

EventKit::~EventKit()
{
    if (game_frames.index != -1 && game_frames.data)
        game_frames.data->on_end();
    game_frames.index = -1;
    game_frames.next_frame = -1;
    manager.fps_limit.set_fixed_step(0.0);
    media.start_log = nullptr;
    // The next kit's start-up registers the sounds again.
    media.stop();
    pads_set_source(nullptr);
    OSSetReportLog(nullptr);
}

void EventKit::enter_frame(int index)
{
    game_frames.next_frame = index;
    run(1);
}

void EventKit::enter_empty_frame(EmptyFrame frame)
{
    if (game_frames.index != -1 && game_frames.data)
        game_frames.data->on_end();
    game_frames.reset();
    game_frames.next_frame = -1;
    kit_frame.spec = std::move(frame);
    game_frames.data = &kit_frame;
    kit_frame.frame = &game_frames;
    run(1);
}

FrameObject* EventKit::place(const std::string& class_name, int x, int y, int layer)
{
    FrameObject* object = create_object(class_name, x, y);
    if (!object) {
        ADD_FAILURE() << "no class " << class_name;
        return nullptr;
    }
    return game_frames.add_object(object, layer);
}

InputObjects EventKit::place_input_objects(bool reset)
{
    InputObjects objects;
    objects.player = place("PlayerInput_21", -176, -56);
    objects.master = place("MasterInput_22", -152, -56);
    objects.inputs = place("InputsP1_23", -128, -56);
    objects.global = place("GlobalInputData_24", -104, -56);
    if (reset)
        game_frames.reset_shared_event_state();
    return objects;
}

int sample_count(const std::vector<SoundStart>& sounds, unsigned id)
{
    int n = 0;
    for (const SoundStart& sound : sounds)
        n += sound.path.empty() && sound.id == id;
    return n;
}

int music_count(const std::vector<SoundStart>& sounds, const std::string& path_end)
{
    int n = 0;
    for (const SoundStart& sound : sounds)
        n += sound.path.ends_with(path_end);
    return n;
}

std::vector<FrameObject*> EventKit::instances(int type_id)
{
    std::vector<FrameObject*> found;
    const ObjectList& list = game_frames.instances[type_id];
    for (int item = 1; item < list.count(); ++item)
        found.push_back(list.items[size_t(item)].obj);
    return found;
}

FrameObject* EventKit::instance(int type_id)
{
    return game_frames.instances[type_id].back;
}

namespace {

// An object a test looked up and did not find fails the test where it is
// read or written, instead of ending the program.
bool found(const FrameObject* object)
{
    if (!object)
        ADD_FAILURE() << "the object read or written is missing";
    return object != nullptr;
}

}  // namespace

double EventKit::value(const FrameObject* object, char letter)
{
    return found(object) ? object->alterables->values.get(unsigned(letter - 'A')) : 0.0;
}

void EventKit::set_value(FrameObject* object, char letter, double number)
{
    if (found(object))
        object->alterables->values.set(unsigned(letter - 'A'), number);
}

std::vector<double> EventKit::values(const FrameObject* object, const std::string& letters)
{
    std::vector<double> found;
    for (const char letter : letters)
        found.push_back(value(object, letter));
    return found;
}

bool EventKit::flag(const FrameObject* object, int bit)
{
    return found(object) && ((object->alterables->flags >> bit) & 1);
}

double EventKit::global(unsigned index) const
{
    return manager.values->get(index);
}

void EventKit::set_global(unsigned index, double number)
{
    manager.values->set(index, number);
}

std::string EventKit::global_string(unsigned index) const
{
    return manager.strings->get(index);
}

void EventKit::stick(float x, float y)
{
    stick_x = x;
    stick_y = y;
}

void EventKit::press(uint32_t buttons, int after)
{
    const uint32_t before = held_buttons;
    held_buttons = buttons;
    run(1);
    held_buttons = before;
    run(after);
}

void EventKit::press_keys(std::vector<int> codes, int after)
{
    keys_to_press = std::move(codes);
    run(1);
    for (const int code : keys_to_press)
        manager.keyboard.remove(code);
    keys_to_press.clear();
    run(after);
}

void EventKit::run(int ticks)
{
    for (int k = 0; k < ticks; ++k)
        EXPECT_EQ(manager.update(), 1);
}

std::vector<std::string> EventKit::take_console()
{
    std::vector<std::string> lines;
    std::istringstream text(console_lines);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    console_lines.clear();
    return lines;
}

std::vector<SoundStart> EventKit::take_sounds()
{
    return std::exchange(sounds, {});
}

Rgba EventKit::pixel(int x, int y)
{
    const ColorBuffer* buffer = platform_color_buffer(TV_LOGICAL_BUFFER);
    if (picture_tick != tick()) {
        picture = gx2_read_color_buffer(&buffer->record);
        picture_tick = tick();
    }
    const size_t i = (size_t(y) * size_t(buffer->width) + size_t(x)) * 4;
    return {picture[i], picture[i + 1], picture[i + 2], picture[i + 3]};
}
