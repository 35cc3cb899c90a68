#include "runtime/manager.h"

GameManager manager;

void GameManager::on_mouse(int, bool)
{
}
