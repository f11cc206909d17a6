// The figures and the lit walk over a board drawn flat, in a real OpenGL window: the monkey
// and the banana stay at least 24 pixels tall and the walk at least 4 pixels wide however far
// the view is zoomed out.
#include "app/app.h"
#include "platform/glfw2.h"
#include "tools/xdriver/x_driver.h"
#include "view/camera.h"
#include "view/race.h"
#include "world/world.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Extent {
    int top = 1 << 30, bottom = -1, left = 1 << 30, right = -1;
    int height() const { return bottom - top + 1; }
};

// The window's pixels, rows from the top.
std::vector<unsigned char> readWindow() {
    std::vector<unsigned char> rgb(1280 * 720 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1280, 720, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Where the pixels of exactly `colour` lie; y counted from the top.
Extent extentOf(const std::vector<unsigned char>& rgb, const unsigned char colour[3]) {
    Extent e;
    for (int i = 0; i < 1280 * 720; ++i) {
        if (std::equal(colour, colour + 3, &rgb[i * 3])) {
            const int x = i % 1280, y = 719 - i / 1280;
            e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
            e.left = std::min(e.left, x), e.right = std::max(e.right, x);
        }
    }
    return e;
}

// The longest run of `colour` down pixel column x.
int runDown(const std::vector<unsigned char>& rgb, int x, const unsigned char colour[3]) {
    int longest = 0, run = 0;
    for (int y = 0; y < 720; ++y) {
        run = std::equal(colour, colour + 3, &rgb[(y * 1280 + x) * 3]) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

} // namespace

TEST(MarkersGl, FiguresAndTheLitWalkKeepTheirSizeWhenZoomedOut) {
    glfwInit();
    ASSERT_TRUE(glfwOpenWindow(1280, 720, 0, 0, 0, 0, 16, 0, GLFW_WINDOW)) << glfwGetOpenError();
    setupGlState();
    // Open ground, 128 tiles a side: a tile about 4 pixels across at the start view.
    std::string rows;
    for (int r = 0; r < 128; ++r) {
        for (int c = 0; c < 128; ++c) {
            rows += c < 127 ? "0 " : "0\n";
        }
    }
    SceneFolder folder(rows);
    world = World((folder.dir / "map.txt").string());
    ASSERT_TRUE(world.problems.empty()) << world.problems[0];
    glfwSetMouseWheel(15);
    camera.zoom = 0.75f;
    putViewBack();
    // A walk along one row, from a third of the way across to two thirds.
    world.clickTile(64 * 128 + 40);
    world.clickTile(64 * 128 + 88);
    const unsigned char orange[3] = {255, 190, 63}, yellow[3] = {255, 255, 0};
    const unsigned char green[3] = {0, 255, 0};
    for (const float zoomedOut : {0.75f, 1.2f, 1.8f}) {
        SCOPED_TRACE(zoomedOut);
        camera.zoom = zoomedOut;
        updateViewport();
        applyCamera();
        drawBoard(world);
        const std::vector<unsigned char> picture = readWindow();
        const Extent monkey = extentOf(picture, orange), banana = extentOf(picture, yellow);
        EXPECT_GE(monkey.height(), 24);
        EXPECT_GE(banana.height(), 24);
        ASSERT_TRUE(monkey.right >= 0 && monkey.right < banana.left)
            << "the monkey on the left, the banana on the right";
        EXPECT_GE(runDown(picture, (monkey.right + banana.left) / 2, green), 4) << "the lit walk";
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    world = World(std::string());
    glfwTerminate();
}
