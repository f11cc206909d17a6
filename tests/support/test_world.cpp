// The process-wide world that the frame code draws and clicks into. Tests give it content
// by assigning a World built from a map file they write themselves.
#include "world/world.h"

World world{std::string()};
