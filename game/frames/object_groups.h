// A frame's object groups: which types each group visits, in which order.
#pragma once

#include "runtime/lists.h"

#include <initializer_list>
#include <vector>

class Frames;

// One group and its member classes, in the order the events visit them.
struct ObjectGroupMembers {
    QualifierList Frames::*group;
    std::vector<const char*> classes;
};

// The member lists of several runs of classes, one after the other.
std::vector<const char*> joined_classes(std::initializer_list<std::vector<const char*>> parts);

// A frame's groups. The member arrays point into the one frames object,
// which lives for the run: they are made on the frame's first entry and
// attached again at every entry.
class ObjectGroupTable {
public:
    explicit ObjectGroupTable(std::vector<ObjectGroupMembers> groups) : groups(std::move(groups)) {}
    void attach(Frames& frames);

private:
    std::vector<ObjectGroupMembers> groups;
    std::vector<std::vector<ObjectList*>> arrays;
};
