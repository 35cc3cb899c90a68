#include "game/objects/class_lookup.h"

#include <algorithm>
#include <cstring>

// Made by tools/generators/objects.py (class_list.cpp).
extern const ClassInfo class_infos[];
extern const int class_info_count;
extern const unsigned short classes_by_name[];  // indexes of class_infos, names in byte order

std::span<const ClassInfo> all_classes()
{
    return {class_infos, size_t(class_info_count)};
}

const ClassInfo* find_class(std::string_view name)
{
    const unsigned short* end = classes_by_name + class_info_count;
    const unsigned short* found = std::lower_bound(
        classes_by_name, end, name,
        [](unsigned short index, std::string_view key) { return std::string_view(class_infos[index].name) < key; });
    if (found == end || class_infos[*found].name != name)
        return nullptr;
    return &class_infos[*found];
}

FrameObject* create_object(const std::string& class_name, int x, int y)
{
    const ClassInfo* info = find_class(class_name);
    return info ? info->create(x, y) : nullptr;
}

std::vector<const ClassInfo*> classes_of_type(int type_id)
{
    std::vector<const ClassInfo*> found;
    for (const ClassInfo& info : all_classes())
        if (info.type_id == type_id)
            found.push_back(&info);
    return found;
}

const char* kind_name(ObjectKind kind)
{
    static const char* const names[] = {
        "Active",      "Backdrop",      "QuickBackdrop", "Counter",           "Text",
        "TextBlitter", "SystemBox",     "StringParser",  "ArrayObject",       "LayerObject",
        "WindowControl", "AdvancedDirection", "SteamObject", "FrameObject",
    };
    return names[int(kind)];
}
