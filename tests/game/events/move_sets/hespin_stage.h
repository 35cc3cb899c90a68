// A stage for Hespin's weapon events: the player's value objects, his skin
// and arm, the weapon HUD, the saved game and a camera, with the gameplay,
// engine, Hespin and weapons groups on. The enemy group holds Pokkols, the
// solid group crates. Each tick runs the events a test names, in order.
#pragma once

#include "game/frames/event_support.h"
#include "game/objects/class_lookup.h"
#include "game/objects/classes.h"
#include "objects/active.h"
#include "objects/arrayext.h"
#include "objects/counter.h"
#include "tests/game/events/player_stage.h"
#include "tests/support/event_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

namespace hespin_test {

using Event = FramesEvent;

// The common projectile step that follows the move sets in the act: shots
// placed at (A, B) and moved, aged, marked past age 20 and removed.
inline std::vector<Event> with_common_step(std::vector<Event> events)
{
    for (Event step : {&Frames::event_func_2047, &Frames::event_func_2048, &Frames::event_func_2050,
                       &Frames::event_func_2051})
        events.push_back(step);
    return events;
}

class HespinStage : public testing::Test {
protected:
    // The stage, running `events` every tick (none while `paused`). It is
    // the screen's size, so that everything up to x = 906 and y = 540 stays
    // active (an inactive instance overlaps nothing).
    void enter(std::vector<Event> events, int width = Frame::screen_width, int height = Frame::screen_height)
    {
        enter_with([events](Frames& f) { player_stage::run_events(f, events); }, width, height);
    }

    void enter_with(std::function<void(Frames&)> handler, int width = Frame::screen_width,
                    int height = Frame::screen_height)
    {
        kit.enter_empty_frame({.layers = 2,
                               .width = width,
                               .height = height,
                               .handler = [this, handler](Frames& f) {
                                   if (!paused)
                                       handler(f);
                               },
                               .set_up = [this](Frames& f) {
                                   f.level_group_43 = f.level_group_23 = f.level_group_61 = f.level_group_22 = true;
                                   f.set_up_named_loops(4);
                                   place_stage(f);
                               }});
        set_player('Q', 1);
        EventKit::set_value(skin(), 'D', 0);  // the class starts on slot 1
    }

    // One tick without the events, so that what a test placed has been
    // through an update (overlap tests read the box an update saves).
    void settle()
    {
        paused = true;
        kit.run(1);
        paused = false;
    }

    void place_stage(Frames& f)
    {
        for (const char* name : {"PlayerMovementValues_80", "PlayerOthers_75", "PlayerInput_21",
                                 "PlayerActionValuesA_86", "MasterCamera_190", "GUIEnergy_76", "SaveData_10"})
            kit.place(name, -100, -100, 1);
        kit.place("Player_87", 300, 200, 1);
        kit.place("PlayerSkinHespin_351", 300, 200, 1);
        kit.place("PlayerSkinHespinArm_350", 300, 200, 1);
        static ObjectList* enemies[2];
        enemies[0] = &f.instances[types::EnemyPokkol_138];
        f.qualifier_17.set(1, enemies);
        static ObjectList* solids[2];
        solids[0] = &f.instances[types::MonitorCrate_126];
        f.qualifier_1.set(1, solids);
    }

    FrameObject* player() { return kit.instance(types::PlayerMovementValues_80); }
    FrameObject* skin() { return kit.instance(types::PlayerSkinHespin_351); }
    FrameObject* arm() { return kit.instance(types::PlayerSkinHespinArm_350); }
    // The projectiles not on their way out.
    std::vector<FrameObject*> shots()
    {
        std::vector<FrameObject*> live;
        for (FrameObject* shot : kit.instances(types::PlayerProjectile_336))
            if (!(shot->flags & FrameObject::DESTROYING))
                live.push_back(shot);
        return live;
    }
    std::vector<FrameObject*> shots_of(int kind)
    {
        std::vector<FrameObject*> found;
        for (FrameObject* shot : shots())
            if (EventKit::value(shot, 'J') == kind)
                found.push_back(shot);
        return found;
    }
    bool alive(FrameObject* shot)
    {
        const std::vector<FrameObject*> all = shots();
        return std::find(all.begin(), all.end(), shot) != all.end();
    }
    void set_player(char letter, double n) { EventKit::set_value(player(), letter, n); }
    double other(char letter) { return EventKit::value(kit.instance(types::PlayerOthers_75), letter); }
    void set_other(char letter, double n) { EventKit::set_value(kit.instance(types::PlayerOthers_75), letter, n); }

    // PlayerInput's letters on for the next ticks, the rest off.
    void controls(std::initializer_list<char> on) { player_stage::set_controls(kit, on); }

    // Slot s holds weapon `id` at `level` in the saved game.
    void save_weapon(int slot, int id, int level)
    {
        auto* save = static_cast<ArrayObject*>(kit.instance(types::SaveData_10));
        save->set_value(id, 1, 2 * slot + 24, -1);
        save->set_value(level, 1, 2 * slot + 25, -1);
    }

    // A projectile of `kind` at (x, y), its exact position and velocity set.
    FrameObject* shot(int kind, int x, int y, double h, double c = 0, double d = 0)
    {
        FrameObject* p = kit.place("PlayerProjectile_336", x, y, 1);
        sprite(p)->force_animation(10);
        for (auto [letter, n] : {std::pair{'J', double(kind)}, {'A', double(x)}, {'B', double(y)}, {'H', h},
                                 {'C', c}, {'D', d}, {'K', 1.0}, {'I', 2.0}})
            EventKit::set_value(p, letter, n);
        return p;
    }

    FrameObject* enemy(int x, int y, double health = 10)
    {
        FrameObject* e = kit.place("EnemyPokkol_138", x, y, 1);
        EventKit::set_value(e, 'A', health);
        return e;
    }

    FrameObject* crate(int x, int y, bool ignored = false)
    {
        FrameObject* c = kit.place("MonitorCrate_126", x, y, 1);
        set_flag(c, 0, ignored);
        return c;
    }

    // A piece of obstacle backdrop with its top left at (x, y).
    FrameObject* wall(int x, int y)
    {
        FrameObject* piece = create_object("LevelBackdrop02_142", x, y);
        kit.frames().add_background_object(piece, 1);
        return piece;
    }

    static Active* sprite(FrameObject* object) { return static_cast<Active*>(object); }

    EventKit kit;
    bool paused = false;
};

}  // namespace hespin_test
