#include "game/frames/object_groups.h"

#include "console/os.h"
#include "game/frames/frames.h"
#include "game/objects/class_lookup.h"

std::vector<const char*> joined_classes(std::initializer_list<std::vector<const char*>> parts)
{
    std::vector<const char*> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

void ObjectGroupTable::attach(Frames& frames)
{
    if (arrays.empty()) {
        for (const ObjectGroupMembers& group : groups) {
            std::vector<ObjectList*> lists;
            for (const char* name : group.classes) {
                if (const ClassInfo* info = find_class(name))
                    lists.push_back(&frames.instances[info->type_id]);
                else
                    OSReport("Object group member %s is not a class\n", name);
            }
            lists.push_back(nullptr);
            arrays.push_back(std::move(lists));
        }
    }
    for (size_t i = 0; i < groups.size(); ++i)
        (frames.*groups[i].group).set(int(arrays[i].size()) - 1, arrays[i].data());
}
