// Tanglor pathfinding: click a tile for the monkey, another for the banana, and watch the
// monkey walk the A* path between them.
#include "app/app.h"
#include "platform/glfw2.h"
#include "world/world.h"

#include <iostream>

// Built before the window exists: reading the map and the models needs no OpenGL.
World world("map.txt");

int main() {
    // A missing or broken map or model would show a wrong scene; say what is wrong instead.
    if (!world.problems.empty()) {
        for (const std::string& problem : world.problems) {
            std::cerr << "tanglor: " << problem << '\n';
        }
        return 1;
    }
    if (!startUp()) {
        std::cerr << "tanglor: cannot open the window: " << glfwGetOpenError() << '\n';
        return 1;
    }
    runFrameLoop();
    glfwTerminate();
    return 0;
}
