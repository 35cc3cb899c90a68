// The player's sensors: each is put at its offset from the exact position,
// turned with the ground angle and held inside the camera limits, then asked
// whether it touches terrain, a solid, or (on the ground) a platform. Each
// detect loop writes its label, places its sensors and runs their tests.
#include "game/events/player_physics/sensors.h"
#include "runtime/collision.h"

#include <algorithm>
#include <cmath>

using namespace player_sensors;

namespace {

// How a placement reads a sensor's offset and which flags it clears.
enum class Offset { plain, probe, wall, edge };

// The labels of the detect loops, in the order of the value object's strings.
enum Label { main_label, top_label, bottom_label, left_label, right_label, slope_label, edges_label, angles_label };

void write_label(Frames& frames, Label label, const char* text)
{
    if (FrameObject* values = instance_of(frames.instances[types::PlayerMovementValues_80]))
        values->alterables->strings.get(unsigned(label)) = text;
}

double clamped(double position, double least, double greatest) { return std::min(std::max(position, least), greatest); }

// Every instance of the sensor, at (A, B) from the exact position in the
// ground's turned frame (a probe lowered by its depth Y), floored, clamped
// to the camera limits C..E and D..F; its hit flag starts clear.
void place(Frames& frames, int sensor_type, Offset offset)
{
    const FrameObject& values = instance_or_default(frames.instances[types::PlayerMovementValues_80]);
    const FrameObject& camera = instance_or_default(frames.instances[types::MasterCamera_190]);
    const double theta = get_value(values, 'N');
    for_each_instance(frames.instances[sensor_type], [&](FrameObject* sensor) {
        const double a = get_value(*sensor, 'A');
        const double b = get_value(*sensor, 'B') + (offset == Offset::probe ? get_value(*sensor, 'Y') : 0.0);
        const double x = std::floor(get_value(values, 'X') + a * event_cos(theta) + b * event_sin(theta));
        sensor->set_x(to_int(clamped(x, get_value(camera, 'C'), get_value(camera, 'E'))));
        const double y = std::floor(get_value(values, 'Y') + b * event_cos(theta) - a * event_sin(theta));
        sensor->set_y(to_int(clamped(y, get_value(camera, 'D'), get_value(camera, 'F'))));
        set_value(sensor, 'Z', 0);
        if (offset == Offset::wall)
            set_value(sensor, 'Y', 0);
        if (offset == Offset::edge) {
            sensor->set_direction(to_int(theta / 11.25), true);
            set_value(sensor, 'Z', 0);
        }
    });
}

void mark_hit(ObjectList& sensors, Offset offset)
{
    for_each_selected(sensors, [&](FrameObject* sensor) {
        set_value(sensor, 'Z', 1);
        if (offset == Offset::wall)
            set_value(sensor, 'Y', 1);
    });
}

// Terrain: an obstacle backdrop of the sensor's layer.
void background_test(Frames& frames, int sensor_type, Offset offset = Offset::plain)
{
    ObjectList& sensors = frames.instances[sensor_type];
    if (select(sensors, [](FrameObject* sensor) { return sensor->overlaps_background(); }))
        mark_hit(sensors, offset);
}

// A member of the group whose flag 0 is on is not there for the sensors.
bool group_members_present(QualifierList& group)
{
    return select(group, [](FrameObject* member) { return !get_flag(*member, 0); });
}

// A touched group member; `offset` wall also raises the wall flag.
void group_test(Frames& frames, int sensor_type, QualifierList& group, Offset offset = Offset::plain)
{
    ObjectList& sensors = frames.instances[sensor_type];
    select_all(sensors);
    if (!group_members_present(group) || !check_overlap(sensors, group))
        return;
    mark_hit(sensors, offset);
}

// Solids count from every side.
void solid_test(Frames& frames, int sensor_type, Offset offset = Offset::plain)
{
    group_test(frames, sensor_type, frames.qualifier_1, offset);
}

// Platforms count only while the player is on the ground.
void platform_test(Frames& frames, int sensor_type, Offset offset = Offset::plain)
{
    if (get_value(frames.instances[types::PlayerMovementValues_80], 'L') != 1)
        return;
    group_test(frames, sensor_type, frames.qualifier_2, offset);
}

// From the air, falling or level: a platform is ground once the body above
// the feet is clear of every platform, so platforms are jumped through from
// below and landed on from above.
void landing_test(Frames& frames, int sensor_type)
{
    if (get_value(frames.instances[types::PlayerMovementValues_80], 'L') != 0 ||
        !(get_value(frames.instances[types::PlayerMovementValues_80], 'G') >= 0))
        return;
    ObjectList& sensors = frames.instances[sensor_type];
    select_all(sensors);
    if (!group_members_present(frames.qualifier_2) || !check_overlap(sensors, frames.qualifier_2))
        return;
    ObjectList& body = frames.instances[types::PlayerSensorPlatform_97];
    select_all(body);
    select_all(frames.qualifier_2);
    if (!check_not_overlap(body, frames.qualifier_2))
        return;
    mark_hit(sensors, Offset::plain);
}

// Ledge objects cancel an edge sensor's hit, whatever their flags.
void ledge_object_test(Frames& frames, int sensor_type)
{
    ObjectList& sensors = frames.instances[sensor_type];
    select_all(sensors);
    select_all(frames.qualifier_3);
    if (!check_overlap(sensors, frames.qualifier_3))
        return;
    for_each_selected(sensors, [](FrameObject* sensor) { set_value(sensor, 'Z', 0); });
}

// Placement and tests of each detect loop, without its label: the all-sensors
// loop runs them under its own label.
void sense_top(Frames& frames)
{
    frames.event_func_463();
    frames.event_func_464();
    frames.event_func_465();
    frames.event_func_466();
    frames.event_func_467();
    frames.event_func_468();
    frames.event_func_469();
}

void sense_bottom(Frames& frames)
{
    frames.event_func_473();
    frames.event_func_474();
    frames.event_func_475();
    frames.event_func_476();
    frames.event_func_477();
    frames.event_func_478();
    frames.event_func_479();
    frames.event_func_480();
    frames.event_func_481();
}

void sense_right(Frames& frames)
{
    frames.event_func_487();
    frames.event_func_488();
    frames.event_func_489();
    frames.event_func_490();
    frames.event_func_491();
    frames.event_func_492();
    frames.event_func_493();
}

void sense_left(Frames& frames)
{
    frames.event_func_495();
    frames.event_func_496();
    frames.event_func_497();
    frames.event_func_498();
    frames.event_func_499();
    frames.event_func_500();
    frames.event_func_501();
}

void sense_angles(Frames& frames)
{
    frames.event_func_507();
    frames.event_func_508();
    frames.event_func_509();
    frames.event_func_510();
    frames.event_func_511();
    frames.event_func_512();
    frames.event_func_513();
}

void sense_main(Frames& frames)
{
    frames.event_func_517();
    frames.event_func_518();
    frames.event_func_519();
    frames.event_func_520();
}

void sense_slope(Frames& frames)
{
    frames.event_func_522();
    frames.event_func_523();
    frames.event_func_524();
    frames.event_func_525();
}

}  // namespace

// Top ---------------------------------------------------------------------------

void Frames::event_func_462()
{
    if (engine_on(*this))
        write_label(*this, top_label, "Player01DetectSensorTop");
}

void Frames::event_func_463()
{
    if (!engine_on(*this))
        return;
    place(*this, types::PlayerSensorTop_92, Offset::plain);
    place(*this, types::PlayerSensorTopBig_93, Offset::plain);
}

void Frames::event_func_464()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorTop_92);
}

void Frames::event_func_465()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorTop_92);
}

void Frames::event_func_466()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorTop_92);
}

void Frames::event_func_467()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorTopBig_93);
}

void Frames::event_func_468()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorTopBig_93);
}

void Frames::event_func_469()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorTopBig_93);
}

void Frames::loop_player01detectsensortop_4()
{
    event_func_462();
    sense_top(*this);
}

// Bottom ------------------------------------------------------------------------

void Frames::event_func_472()
{
    if (engine_on(*this))
        write_label(*this, bottom_label, "Player01DetectSensorBottom");
}

void Frames::event_func_473()
{
    if (!engine_on(*this))
        return;
    place(*this, types::PlayerSensorBottom_94, Offset::plain);
    place(*this, types::PlayerSensorBottomBig_95, Offset::plain);
    place(*this, types::PlayerSensorPlatform_97, Offset::plain);
}

void Frames::event_func_474()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorBottom_94);
}

void Frames::event_func_475()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorBottom_94);
}

void Frames::event_func_476()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorBottom_94);
}

void Frames::event_func_477()
{
    if (engine_on(*this))
        landing_test(*this, types::PlayerSensorBottom_94);
}

void Frames::event_func_478()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorBottomBig_95);
}

void Frames::event_func_479()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorBottomBig_95);
}

void Frames::event_func_480()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorBottomBig_95);
}

void Frames::event_func_481()
{
    if (engine_on(*this))
        landing_test(*this, types::PlayerSensorBottomBig_95);
}

void Frames::loop_player01detectsensorbottom_4()
{
    event_func_472();
    sense_bottom(*this);
}

// Right -------------------------------------------------------------------------

void Frames::event_func_486()
{
    if (engine_on(*this))
        write_label(*this, right_label, "Player01DetectSensorRight");
}

void Frames::event_func_487()
{
    if (!engine_on(*this))
        return;
    place(*this, types::PlayerSensorRight_90, Offset::plain);
    place(*this, types::PlayerSensorRightBig_91, Offset::wall);
}

void Frames::event_func_488()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorRight_90);
}

void Frames::event_func_489()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorRight_90);
}

void Frames::event_func_490()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorRight_90);
}

void Frames::event_func_491()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorRightBig_91, Offset::wall);
}

void Frames::event_func_492()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorRightBig_91);
}

void Frames::event_func_493()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorRightBig_91, Offset::wall);
}

void Frames::loop_player01detectsensorright_4()
{
    event_func_486();
    sense_right(*this);
}

// Left --------------------------------------------------------------------------

void Frames::event_func_494()
{
    if (engine_on(*this))
        write_label(*this, left_label, "Player01DetectSensorLeft");
}

void Frames::event_func_495()
{
    if (!engine_on(*this))
        return;
    place(*this, types::PlayerSensorLeft_88, Offset::plain);
    place(*this, types::PlayerSensorLeftBig_89, Offset::wall);
}

void Frames::event_func_496()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorLeft_88);
}

void Frames::event_func_497()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorLeft_88);
}

void Frames::event_func_498()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorLeft_88);
}

void Frames::event_func_499()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorLeftBig_89, Offset::wall);
}

void Frames::event_func_500()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorLeftBig_89);
}

void Frames::event_func_501()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorLeftBig_89, Offset::wall);
}

void Frames::loop_player01detectsensorleft_4()
{
    event_func_494();
    sense_left(*this);
}

// Angle probes ------------------------------------------------------------------

void Frames::event_func_506()
{
    if (engine_on(*this))
        write_label(*this, angles_label, "Player01DetectSensorAngles");
}

void Frames::event_func_507()
{
    if (!engine_on(*this))
        return;
    place(*this, types::PlayerSensorLeftAngle_98, Offset::probe);
    place(*this, types::PlayerSensorRightAngle_99, Offset::probe);
}

void Frames::event_func_508()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorLeftAngle_98);
}

void Frames::event_func_509()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorLeftAngle_98);
}

void Frames::event_func_510()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorLeftAngle_98);
}

void Frames::event_func_511()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorRightAngle_99);
}

void Frames::event_func_512()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorRightAngle_99);
}

void Frames::event_func_513()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorRightAngle_99);
}

void Frames::loop_player01detectsensorangles_4()
{
    event_func_506();
    sense_angles(*this);
}

// The player itself -------------------------------------------------------------

void Frames::event_func_516()
{
    if (engine_on(*this))
        write_label(*this, main_label, "Player01DetectSensorMain");
}

// The player stands at the exact position itself: clamped, truncated, never floored.
void Frames::event_func_517()
{
    if (!engine_on(*this))
        return;
    const FrameObject& values = instance_or_default(instances[types::PlayerMovementValues_80]);
    const FrameObject& camera = instance_or_default(instances[types::MasterCamera_190]);
    for_each_instance(instances[types::Player_87], [&](FrameObject* body) {
        body->set_x(to_int(clamped(get_value(values, 'X'), get_value(camera, 'C'), get_value(camera, 'E'))));
        body->set_y(to_int(clamped(get_value(values, 'Y'), get_value(camera, 'D'), get_value(camera, 'F'))));
        set_value(body, 'Z', 0);
    });
}

void Frames::event_func_518()
{
    if (engine_on(*this))
        background_test(*this, types::Player_87);
}

void Frames::event_func_519()
{
    if (engine_on(*this))
        solid_test(*this, types::Player_87);
}

void Frames::event_func_520()
{
    if (engine_on(*this))
        platform_test(*this, types::Player_87);
}

void Frames::loop_player01detectsensormain_4()
{
    event_func_516();
    sense_main(*this);
}

// Slope -------------------------------------------------------------------------

void Frames::event_func_521()
{
    if (engine_on(*this))
        write_label(*this, slope_label, "Player01DetectSensorSlope");
}

void Frames::event_func_522()
{
    if (engine_on(*this))
        place(*this, types::PlayerSensorSlopes_96, Offset::plain);
}

void Frames::event_func_523()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorSlopes_96);
}

void Frames::event_func_524()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorSlopes_96);
}

void Frames::event_func_525()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorSlopes_96);
}

void Frames::loop_player01detectsensorslope_4()
{
    event_func_521();
    sense_slope(*this);
}

// Edges -------------------------------------------------------------------------

void Frames::event_func_557()
{
    if (engine_on(*this))
        write_label(*this, edges_label, "Player01DetectSensorEdges");
}

void Frames::event_func_558()
{
    if (!engine_on(*this))
        return;
    for_each_instance(instances[types::PlayerSensorLeftEdge_100],
                      [](FrameObject* sensor) { set_value(sensor, 'Z', 0); });
    place(*this, types::PlayerSensorLeftEdge_100, Offset::edge);
    place(*this, types::PlayerSensorRightEdge_101, Offset::edge);
}

void Frames::event_func_559()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorLeftEdge_100);
}

void Frames::event_func_560()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorLeftEdge_100);
}

void Frames::event_func_561()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorLeftEdge_100);
}

void Frames::event_func_562()
{
    if (engine_on(*this))
        ledge_object_test(*this, types::PlayerSensorLeftEdge_100);
}

void Frames::event_func_563()
{
    if (engine_on(*this))
        background_test(*this, types::PlayerSensorRightEdge_101);
}

void Frames::event_func_564()
{
    if (engine_on(*this))
        solid_test(*this, types::PlayerSensorRightEdge_101);
}

void Frames::event_func_565()
{
    if (engine_on(*this))
        platform_test(*this, types::PlayerSensorRightEdge_101);
}

void Frames::event_func_566()
{
    if (engine_on(*this))
        ledge_object_test(*this, types::PlayerSensorRightEdge_101);
}

void Frames::loop_player01detectsensoredges_4()
{
    event_func_557();
    event_func_558();
    event_func_559();
    event_func_560();
    event_func_561();
    event_func_562();
    event_func_563();
    event_func_564();
    event_func_565();
    event_func_566();
}

// Every sensor at once ----------------------------------------------------------

// The labels all name this loop; the character sensor and the skins stand at
// the exact position, unclamped, the sensor turned with the ground.
void Frames::event_func_567()
{
    if (!engine_on(*this))
        return;
    if (FrameObject* values = instance_of(instances[types::PlayerMovementValues_80]))
        for (unsigned label = 0; label <= angles_label; ++label)
            values->alterables->strings.get(label) = "Player01AllSensors";
    const FrameObject& values = instance_or_default(instances[types::PlayerMovementValues_80]);
    const int x = to_int(get_value(values, 'X'));
    const int y = to_int(get_value(values, 'Y'));
    const int direction = to_int(get_value(values, 'N') / 11.25);
    for_each_instance(instances[types::PlayerCharacterSensor_151], [&](FrameObject* sensor) {
        sensor->set_x(x);
        sensor->set_y(y);
        sensor->set_direction(direction, true);
    });
    for (int skin : {types::PlayerSkinYelto_102, types::PlayerSkinOrrun_290, types::PlayerSkinPimsa_324,
                     types::PlayerSkinPimsaBike_338, types::PlayerSkinDorrik_339, types::PlayerSkinHespin_351})
        for_each_instance(instances[skin], [&](FrameObject* object) {
            object->set_x(x);
            object->set_y(y);
        });
}

// Everything under this loop's label, but the edges, which write their own.
void Frames::loop_player01allsensors_4()
{
    event_func_567();
    sense_main(*this);
    sense_left(*this);
    sense_right(*this);
    sense_top(*this);
    sense_bottom(*this);
    sense_slope(*this);
    sense_angles(*this);
    loop_player01detectsensoredges_4();
}
