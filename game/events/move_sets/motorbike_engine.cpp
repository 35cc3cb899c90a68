// The motorbike's mode and sound: its group follows the rider's character
// id, its engine plays on two locked channels whose mix and pitch follow an
// engine level that chases the bike's speed, and a loop plays while it
// brakes.
#include "audio/media.h"
#include "game/events/move_sets/motorbike.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned idle_channel = 9, rev_channel = 10;
constexpr unsigned idle_sample = 120, rev_sample = 121, brake_sample = 123;
constexpr double braking_mode = 4, pushing_mode = 11;

double mode(Frames& f) { return get_value(f.instances[types::PlayerMovementValues_80], 'M'); }
double speed(Frames& f) { return std::abs(get_value(f.instances[types::PlayerMovementValues_80], 'B')); }
double climb(Frames& f) { return std::abs(get_value(f.instances[types::PlayerMovementValues_80], 'G')); }

bool riding_freely(Frames& f) { return mode(f) != pushing_mode && mode(f) != motorbike::wall_mode; }

// Moves the level of each bike skin below the target up by `step`, not
// past it.
void rev_up(Frames& f, double target, double step)
{
    ObjectList& bikes = f.instances[types::PlayerSkinPimsaBike_338];
    if (select(bikes, [target](FrameObject* bike) { return get_value(*bike, 'A') < target; }))
        for_each_selected(bikes, [&](FrameObject* bike) {
            set_value(bike, 'A', std::min(get_value(*bike, 'A') + step, target));
        });
}

// The same down for each skin above the target.
void rev_down(Frames& f, double target, double step)
{
    ObjectList& bikes = f.instances[types::PlayerSkinPimsaBike_338];
    if (select(bikes, [target](FrameObject* bike) { return get_value(*bike, 'A') > target; }))
        for_each_selected(bikes, [&](FrameObject* bike) {
            set_value(bike, 'A', std::max(get_value(*bike, 'A') - step, target));
        });
}

}  // namespace

void Frames::event_func_1161()
{
    if (!motorbike::pimsa_on(*this) || player_values::on_bike(*this) || !level_group_72)
        return;
    deactivate_group(level_group_72);
    media.unlock(idle_channel);
    media.unlock(rev_channel);
    media.stop_channel(idle_channel);
    media.stop_channel(rev_channel);
}

void Frames::event_func_1162()
{
    if (!motorbike::pimsa_on(*this) || !player_values::on_bike(*this) || level_group_72)
        return;
    activate_group(level_group_72);
    media.lock(idle_channel);
    media.lock(rev_channel);
    media.play_id(idle_sample, idle_channel, 0);
    media.play_id(rev_sample, rev_channel, 0);
}

void Frames::event_func_1173()
{
    if (motorbike::riding_on(*this) && riding_freely(*this))
        rev_up(*this, speed(*this), 0.2);
}

void Frames::event_func_1174()
{
    if (motorbike::riding_on(*this) && riding_freely(*this))
        rev_down(*this, speed(*this), 0.2);
}

// Pushing against a wall revs towards at least 8, at half the rate.
void Frames::event_func_1175()
{
    if (motorbike::riding_on(*this) && mode(*this) == pushing_mode)
        rev_up(*this, std::max(speed(*this), 8.0), 0.1);
}

void Frames::event_func_1176()
{
    if (motorbike::riding_on(*this) && mode(*this) == pushing_mode)
        rev_down(*this, std::max(speed(*this), 8.0), 0.2);
}

// Along a wall the climb is the bike's speed.
void Frames::event_func_1177()
{
    if (motorbike::riding_on(*this) && mode(*this) == motorbike::wall_mode)
        rev_up(*this, climb(*this), 0.2);
}

void Frames::event_func_1178()
{
    if (motorbike::riding_on(*this) && mode(*this) == motorbike::wall_mode)
        rev_down(*this, climb(*this), 0.2);
}

// The idle layer fades out as the level rises, the rev layer fades in three
// times as fast and climbs in pitch without limit.
void Frames::event_func_1184()
{
    if (!motorbike::riding_on(*this))
        return;
    const double level = get_value(instances[types::PlayerSkinPimsaBike_338], 'A');
    media.set_channel_frequency(rev_channel, level * 7000 + 22000);
    media.set_channel_volume(idle_channel, 100 - std::min(level * 20, 100.0));
    media.set_channel_volume(rev_channel, std::min(level * 60, 100.0));
}

void Frames::event_func_1186()
{
    if (motorbike::riding_on(*this) && mode(*this) == braking_mode && !media.is_sample_playing(brake_sample))
        media.play_id(brake_sample, -1, 0);
}

void Frames::event_func_1187()
{
    if (motorbike::riding_on(*this) && mode(*this) != braking_mode && media.is_sample_playing(brake_sample))
        media.stop_sample(brake_sample);
}
