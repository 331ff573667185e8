#pragma once
// Every picture and mesh the game object loads, in the order GameApp::Load loads them, with each
// picture's colour key: the list the start-up prefetch makes ready while the window opens. A load missing
// here is only slower (its loader reads the file itself); the tests hold the list to the loads.

#include <vector>

#include "platform/gfx/load_prefetch.h"

std::vector<platform::PrefetchItem> GameLoads();
