// The storefront extension object: no storefront on this console, so every
// operation is empty or answers a constant.
#pragma once

#include "runtime/frameobject.h"

#include <string>

class SteamObject : public FrameObject {
public:
    SteamObject(int x, int y, int type_id);
    ~SteamObject() override;
    void dealloc() override;

    static bool is_ready() { return true; }
    static void update() {}
    static void unlock_achievement(const std::string&) {}
    static void clear_achievement(const std::string&) {}
    static bool is_achievement_unlocked(const std::string&) { return false; }
    static void download(const std::string&) {}
    static void upload(const std::string&) {}
    static void find_board(int, int) {}
    static void upload_crystal(int) {}
    static void upload_time(int) {}
};
