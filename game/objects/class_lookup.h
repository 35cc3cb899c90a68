// The generated classes by name and by object type id: what the level layout
// reader and the frame set-ups use to place a class they know by name.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

class FrameObject;

enum class ObjectKind {
    Active,
    Backdrop,
    QuickBackdrop,
    Counter,
    Text,
    TextBlitter,
    SystemBox,
    StringParser,
    ArrayObject,
    LayerObject,
    WindowControl,
    AdvancedDirection,
    SteamObject,
    FrameObject,
};

struct ClassInfo {
    const char* name;  // Name_N
    int number;        // N
    int type_id;
    ObjectKind kind;
    FrameObject* (*create)(int x, int y);  // the class's factory
};

// Every class, in class-number order.
std::span<const ClassInfo> all_classes();
// The class of a name such as "CountdownCrystal_423"; null for an unknown name.
const ClassInfo* find_class(std::string_view name);
// A new instance of the named class from its factory; null for an unknown name.
FrameObject* create_object(const std::string& class_name, int x, int y);
// The classes of an object type id, in class-number order (two where one
// object type is placed in two frames; every backdrop has id 1).
std::vector<const ClassInfo*> classes_of_type(int type_id);
const char* kind_name(ObjectKind kind);
