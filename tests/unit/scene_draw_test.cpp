// What one frame sends to OpenGL, read from the recording stand-in.
#include "tests/support/call_log.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <string>

TEST(SceneDraw, LightTilesTheWalkersStepFiguresThenTheGround) {
    world = World(std::string());
    world.buildGrid(2, 1);
    world.tileModels[1].color[1] = 0.3;
    world.walk.marked = {0, 1};
    world.walk.monkey.visible = world.banana.visible = world.walk.walking = true;
    world.walk.path = {{50, 0, 0}};
    calls.clear();
    logging = true;
    drawFrame();
    const std::string text = callText();
    // 16384 is GL_LIGHT0, 4611 GL_POSITION: a point light fixed in the scene.
    EXPECT_NE(text.find("glLightfv(16384,4611,10,200,-10,1) "), std::string::npos);
    EXPECT_NE(text.find("glColor3f(0,30,0) "), std::string::npos) << "a marked tile, x 100";
    // The monkey shows this frame's step: lifted to its bob height sin(0) + 1.
    EXPECT_NE(text.find("glTranslatef(-5,2,5)"), std::string::npos);
    // The ground comes last, after the figures; 7 is GL_QUADS.
    const std::string ground = text.substr(text.rfind("glPopMatrix() ") + 14);
    EXPECT_EQ(ground.substr(0, 30), "glBegin(7) glColor3f(0,0.4,0) ");
    world = World(std::string());
}
