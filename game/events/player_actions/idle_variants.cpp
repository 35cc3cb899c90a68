// Standing still in movement mode 0: the idle counter, the idle variants
// that turn the skins off their plain facings, the variant's voice at its
// fourth frame and its end back at frame 0. The idle stage lives on
// Yelto's skin, which every character keeps as its timing reference.
#include "base/convert.h"
#include "game/events/player_actions/action_starts.h"
#include "game/frames/event_support.h"
#include "game/frames/frames.h"
#include "objects/active.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace {

ObjectList& movement(Frames& f) { return f.instances[types::PlayerMovementValues_80]; }
ObjectList& others(Frames& f) { return f.instances[types::PlayerOthers_75]; }
double state(Frames& f) { return get_value(others(f), 'Y'); }

constexpr int idle_limit = 500;
constexpr int bike_idle_limit = 150;
constexpr int max_idle_stage = 8;
constexpr int voice_played_flag = 19;
constexpr uint32_t facing_right = 1u, facing_left = 1u << 16;
// The turn of events 790 and 791: 1 or 2 at random, drawn for each skin.
constexpr int random_turn = 0;

// The skins a variant turns, in the order the actions reach them.
enum Skin { yelto, orrun, pimsa, bike, dorrik, skin_count };
constexpr int skin_types[skin_count] = {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290,
                                        types::PlayerSkinPimsa_324, types::PlayerSkinPimsaBike_338,
                                        types::PlayerSkinDorrik_339};

bool mode_0_on(const Frames& f) { return action_starts::player_control_on(f) && f.level_group_58; }

double idle_counter(Frames& f) { return get_value(others(f), 'M'); }
double character(Frames& f) { return get_value(movement(f), 'A'); }
int frame_of(FrameObject* skin) { return static_cast<Active*>(skin)->get_frame(); }
bool plain_facing(const FrameObject* skin) { return skin->test_directions(facing_right | facing_left); }

std::vector<FrameObject*> instances_where(ObjectList& list, bool (*test)(FrameObject*))
{
    std::vector<FrameObject*> picked;
    for_each_instance(list, [&](FrameObject* object) {
        if (test(object))
            picked.push_back(object);
    });
    return picked;
}

std::vector<FrameObject*> all_instances(ObjectList& list)
{
    return instances_where(list, [](FrameObject*) { return true; });
}

// The idle variants -----------------------------------------------------------

enum class StageTest { none, not_2_4_or_6, not_6 };

struct IdleBlock {
    double character;
    Skin skin;
    StageTest stage;
};

bool stage_allows(StageTest test, double stage)
{
    switch (test) {
    case StageTest::not_2_4_or_6:
        return stage != 2 && stage != 4 && stage != 6;
    case StageTest::not_6:
        return stage != 6;
    case StageTest::none:
        break;
    }
    return true;
}

// What an "or" event's actions reach: a skin its blocks name only through
// the instances the holding blocks picked; any other skin in full.
struct Picks {
    bool named[skin_count] = {};
    std::vector<FrameObject*> picked[skin_count];

    void pick(Skin skin, const std::vector<FrameObject*>& objects)
    {
        for (FrameObject* object : objects)
            if (std::find(picked[skin].begin(), picked[skin].end(), object) == picked[skin].end())
                picked[skin].push_back(object);
    }
    std::vector<FrameObject*> reached(Frames& f, Skin skin) const
    {
        return named[skin] ? picked[skin] : all_instances(f.instances[skin_types[skin]]);
    }
};

// Tests one block; when it holds, its picked skins join `picks`.
bool block_holds(Frames& f, const IdleBlock& block, Picks& picks)
{
    const double counter = idle_counter(f);
    const bool counter_ok = block.skin == bike ? counter >= bike_idle_limit : counter == idle_limit;
    if (state(f) != 0 || !counter_ok || character(f) != block.character)
        return false;
    const std::vector<FrameObject*> at_frame_1 =
        instances_where(f.instances[skin_types[block.skin]], [](FrameObject* skin) { return frame_of(skin) == 1; });
    if (at_frame_1.empty())
        return false;
    std::vector<FrameObject*> staged;
    if (block.stage != StageTest::none) {
        for (FrameObject* reference : all_instances(f.instances[types::PlayerSkinYelto_102]))
            if (stage_allows(block.stage, get_value(*reference, 'J')))
                staged.push_back(reference);
        if (staged.empty())
            return false;
    }
    picks.pick(block.skin, at_frame_1);
    picks.pick(yelto, staged);
    return true;
}

void turn(FrameObject* skin, int steps) { skin->set_direction(skin->get_direction() + steps, true); }

void turn_all(const std::vector<FrameObject*>& skins, int event, int steps)
{
    for (FrameObject* skin : skins)
        turn(skin, steps != random_turn ? steps : 1 + randrange_event(event, 2));
}

void start_variant(Frames& f, int event, std::initializer_list<IdleBlock> blocks, int steps, bool clear_voice)
{
    if (!mode_0_on(f))
        return;
    Picks picks;
    for (const IdleBlock& block : blocks) {
        picks.named[block.skin] = true;
        if (block.stage != StageTest::none)
            picks.named[yelto] = true;
    }
    bool any = false;
    for (const IdleBlock& block : blocks)
        any = block_holds(f, block, picks) || any;
    if (!any)
        return;
    const std::vector<FrameObject*> reference = picks.reached(f, yelto);
    turn_all(reference, event, steps);
    add_value(others(f), 'M', 1);
    for_each_instance(f.instances[types::PlayerSkinYeltoHair_209], [](FrameObject* hair) {
        static_cast<Active*>(hair)->force_frame(1);
        static_cast<Active*>(hair)->restore_frame();
    });
    for (FrameObject* skin : reference) {
        set_value(skin, 'J', std::min(get_value(*skin, 'J') + 1, double(max_idle_stage)));
        if (clear_voice)
            set_flag(skin, voice_played_flag, false);
    }
    for (const Skin skin : {orrun, pimsa, bike, dorrik})
        turn_all(picks.reached(f, skin), event, steps);
}

// The variant's voice and end ----------------------------------------------------

struct VariantBranch {
    double character;
    Skin skin;
};

// The branch test of the voice and end events: standing, the skin off its
// plain facings at the given frame.
bool branch_holds(Frames& f, const VariantBranch& branch, int frame)
{
    if (state(f) != 0)
        return false;
    for (FrameObject* skin : all_instances(f.instances[skin_types[branch.skin]]))
        if (!plain_facing(skin) && character(f) == branch.character && frame_of(skin) == frame)
            return true;
    return false;
}

bool unvoiced(FrameObject* skin) { return !get_flag(*skin, voice_played_flag); }

// The voice loop of the idle stage ("sound_idle3"); a stage without one
// plays nothing, and the voice still counts as played.
void play_variant_voice(Frames& f, std::initializer_list<VariantBranch> branches)
{
    if (!mode_0_on(f))
        return;
    bool any = false;
    for (const VariantBranch& branch : branches)
        any = any || branch_holds(f, branch, 4);
    ObjectList& reference = f.instances[types::PlayerSkinYelto_102];
    if (!any || !select(reference, unvoiced))
        return;
    SavedSelection voiced(reference);
    f.run_named_loop("sound_idle" + fast_dtoa(get_value(*voiced[0], 'J')), 1);
    for (int i = 0; i < voiced.count; ++i)
        set_flag(voiced[i], voice_played_flag, true);
    voiced.release();
}

void snap(FrameObject* skin) { skin->set_direction(16 * (skin->get_direction() / 16), true); }

void end_variant(Frames& f, std::initializer_list<VariantBranch> branches)
{
    if (!mode_0_on(f))
        return;
    bool named[skin_count] = {};
    const VariantBranch* held = nullptr;
    for (const VariantBranch& branch : branches) {
        named[branch.skin] = true;
        if (!held && branch_holds(f, branch, 0))
            held = &branch;
    }
    if (!held)
        return;
    // A named skin is reached through its branch's selection: off its plain
    // facings, and at frame 0 for the branch that held.
    auto snap_skin = [&](Skin skin) {
        for (FrameObject* object : all_instances(f.instances[skin_types[skin]])) {
            if (named[skin] && plain_facing(object))
                continue;
            if (held->skin == skin && frame_of(object) != 0)
                continue;
            snap(object);
        }
    };
    snap_skin(yelto);
    set_value(others(f), 'M', 0);
    for_each_instance(f.instances[types::PlayerSkinYeltoHair_209], [](FrameObject* hair) {
        static_cast<Active*>(hair)->force_frame(6);
        static_cast<Active*>(hair)->restore_frame();
    });
    for (const Skin skin : {orrun, pimsa, bike, dorrik})
        snap_skin(skin);
}

}  // namespace

void Frames::event_func_788()
{
    if (!mode_0_on(*this) || state(*this) == 0 || !run_once(run_once_788, loop_count))
        return;
    set_value(others(*this), 'M', 0);
    for_each_instance(instances[types::PlayerSkinYelto_102], [](FrameObject* skin) { set_value(skin, 'J', 0); });
}

void Frames::event_func_789()
{
    if (mode_0_on(*this) && state(*this) == 0 && idle_counter(*this) < idle_limit)
        add_value(others(*this), 'M', 1);
}

void Frames::event_func_790()
{
    start_variant(*this, 790,
                  {{0, yelto, StageTest::not_2_4_or_6},
                   {1, orrun, StageTest::not_2_4_or_6},
                   {2, pimsa, StageTest::not_2_4_or_6}},
                  random_turn, false);
}

void Frames::event_func_791()
{
    start_variant(*this, 791, {{3, bike, StageTest::none}, {4, dorrik, StageTest::not_2_4_or_6}}, random_turn, false);
}

void Frames::event_func_792()
{
    start_variant(*this, 792, {{0, yelto, StageTest::not_6}, {1, orrun, StageTest::not_6}}, 3, true);
}

void Frames::event_func_793()
{
    start_variant(*this, 793, {{2, pimsa, StageTest::not_6}, {4, dorrik, StageTest::not_6}}, 3, true);
}

void Frames::event_func_794()
{
    start_variant(*this, 794, {{0, yelto, StageTest::none}, {1, orrun, StageTest::none}}, 4, true);
}

void Frames::event_func_795()
{
    start_variant(*this, 795, {{2, pimsa, StageTest::none}}, 4, true);
}

void Frames::event_func_796()
{
    start_variant(*this, 796, {{4, dorrik, StageTest::none}}, 4, true);
}

void Frames::event_func_797()
{
    play_variant_voice(*this, {{0, yelto}, {1, orrun}});
}

void Frames::event_func_798()
{
    play_variant_voice(*this, {{2, pimsa}, {4, dorrik}});
}

void Frames::event_func_799()
{
    end_variant(*this, {{0, yelto}, {1, orrun}, {2, pimsa}});
}

void Frames::event_func_800()
{
    end_variant(*this, {{3, bike}, {4, dorrik}});
}
