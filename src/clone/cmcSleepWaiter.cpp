#include "clone/cmcSleepWaiter.h"

#include <chrono>
#include <thread>

void cmcSleepWaiter::Wait(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
