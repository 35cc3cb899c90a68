// The enemies on a floor: the gimmick scene (solid squares with their top at
// 200 on the playfield layer, the view at the frame's corner), the player's
// objects the enemies watch, the enemy and solid groups, and a tick that
// runs the events a test names, in its order.
#pragma once

#include "objects/active.h"
#include "tests/game/events/stage_loops/gimmick_scene.h"

#include <vector>

namespace enemy_test {

using gimmick_test::floor_top;
using gimmick_test::playfield;

using Events = std::vector<void (Frames::*)()>;

class EnemyScene : public gimmick_test::GimmickScene {
protected:
    void SetUp() override
    {
        GimmickScene::SetUp();
        act1_test::set_group(f(), f().qualifier_17,
                             {types::EnemyPokkol_138, types::EnemyZemmetJr_271, types::EnemyDragonfly_272,
                              types::MinibossSkalvidWeakspot_307});
        act1_test::set_group(f(), f().qualifier_1, {types::MinibossBarrier_308});
        player = kit.place("Player_87", 100, 150, playfield);
        sensor = kit.place("PlayerCharacterSensor_151", 100, 150, playfield);
        movement = kit.place("PlayerMovementValues_80", 0, 0, playfield);
        others = kit.place("PlayerOthers_75", 0, 0, playfield);
        put_player(100, 150);
        kit.take_sounds();
    }

    void run_events(Events events)
    {
        each_tick = [events](Frames& frames) {
            for (auto event : events)
                (frames.*event)();
        };
    }

    // The player's body, its sensor and its exact position.
    void put_player(int x, int y)
    {
        for (FrameObject* object : {player, sensor})
            object->set_global_position(x, y);
        EventKit::set_value(movement, 'X', x);
        EventKit::set_value(movement, 'Y', y);
    }

    static Active* active(FrameObject* object) { return static_cast<Active*>(object); }

    int count(int type) { return int(kit.instances(type).size()); }

    FrameObject *player = nullptr, *sensor = nullptr, *movement = nullptr, *others = nullptr;
};

}  // namespace enemy_test
