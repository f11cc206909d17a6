// What one frame sends to OpenGL, read from the recording stand-in and folded into an
// outline: one line per call, each mesh draw folded into one line.
#include "tests/support/call_log.h"
#include "tests/support/fake_gl.h"
#include "world/world.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string numbers(const std::vector<double>& args) {
    std::string text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%s%g", i == 0 ? "" : ",", args[i]);
        text += buffer;
    }
    return text;
}

// A mesh draw (push ... pop) becomes "mesh <translation> <colour>"; every other call its
// name and arguments.
std::vector<std::string> outline() {
    std::vector<std::string> lines;
    const std::vector<Call>& log = callLog();
    for (std::size_t i = 0; i < log.size(); ++i) {
        const Call& call = log[i];
        if (call.name == "glPushMatrix") {
            std::string at;
            std::string colour;
            for (++i; i < log.size() && log[i].name != "glPopMatrix"; ++i) {
                if (log[i].name == "glTranslatef") {
                    at = numbers(log[i].args);
                } else if (log[i].name == "glColor3f") {
                    colour = numbers(log[i].args);
                }
            }
            lines.push_back("mesh " + at + " " + colour);
        } else {
            lines.push_back(call.name + " " + numbers(call.args));
        }
    }
    return lines;
}

const std::vector<std::string> clearAndLight = {
    "glClear " + std::to_string(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT),
    "glLightfv " + numbers({GL_LIGHT0, GL_POSITION, 10, 200, -10, 1}),
    "glLightfv " + numbers({GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1}),
    "glLightfv " + numbers({GL_LIGHT0, GL_AMBIENT, 0.2f, 0.2f, 0.2f, 1}),
    "glEnable " + std::to_string(GL_LIGHT0),
    "glEnable " + std::to_string(GL_LIGHTING),
};

// Wound both ways, so that the ground shows from above and below with back faces culled.
const std::vector<std::string> groundLines = {
    "glBegin " + std::to_string(GL_QUADS),
    "glColor3f 0,0.4,0",
    "glNormal3f 0,1,0",
    "glVertex3f -80,0,-80",
    "glVertex3f -80,0,80",
    "glVertex3f 80,0,80",
    "glVertex3f 80,0,-80",
    "glNormal3f 0,-1,0",
    "glVertex3f -80,0,-80",
    "glVertex3f 80,0,-80",
    "glVertex3f 80,0,80",
    "glVertex3f -80,0,80",
    "glEnd ",
};

std::vector<std::string> frameOf(std::vector<std::string> middle) {
    std::vector<std::string> lines = clearAndLight;
    lines.insert(lines.end(), middle.begin(), middle.end());
    lines.insert(lines.end(), groundLines.begin(), groundLines.end());
    return lines;
}

class SceneDraw : public ::testing::Test {
  protected:
    // Three tiles, the middle one marked, and both figures placed but hidden.
    void SetUp() override {
        resetFakeGl();
        world = World(std::string());
        world.nodes.resize(3);
        const float xs[3] = {10.0f, 20.0f, 30.0f};
        for (int i = 0; i < 3; ++i) {
            world.nodes[i].mesh.position[0] = xs[i];
            world.nodes[i].mesh.position[2] = -10.0f;
            world.nodes[i].mesh.color[1] = 0.3;
        }
        world.nodes[1].marked = true;
        world.nodes[2].mesh.color[2] = 0.5;
        setColor(world.monkey, 1.0, 0.6, 0.2);
        setColor(world.banana, 1.0, 1.0, 0.0);
        world.monkey.position[0] = 40.0f;
        world.monkey.position[1] = 1.0f;
        world.banana.position[0] = 60.0f;
        world.monkey.visible = false;
        world.banana.visible = false;
        clearCalls();
    }
    void TearDown() override { world = World(std::string()); }

    static void setColor(Mesh& mesh, double r, double g, double b) {
        mesh.color[0] = r;
        mesh.color[1] = g;
        mesh.color[2] = b;
    }
};

const std::string tile0 = "mesh 5,1,-5 0,0.3,0";
const std::string tile1 = "mesh 15,1,-5 0,30,0"; // marked: colour x 100
const std::string tile2 = "mesh 25,1,-5 0,0.3,0.5";

} // namespace

TEST_F(SceneDraw, BeforeTheFirstClickOnlyTilesAndGround) {
    drawFrame();
    EXPECT_EQ(outline(), frameOf({tile0, tile1, tile2}));
}

TEST_F(SceneDraw, FiguresFollowTheTilesWhenVisible) {
    world.monkey.visible = true;
    drawFrame();
    EXPECT_EQ(outline(), frameOf({tile0, tile1, tile2, "mesh 35,2,5 1,0.6,0.2"}));

    world.banana.visible = true;
    clearCalls();
    drawFrame();
    EXPECT_EQ(outline(),
              frameOf({tile0, tile1, tile2, "mesh 35,2,5 1,0.6,0.2", "mesh 55,1,5 1,1,0"}));
}

TEST_F(SceneDraw, WalkerStepsOnlyWhileWalkingAndBeforeTheMonkeyIsDrawn) {
    world.monkey.visible = true;
    world.banana.visible = true;
    world.stepFrames = 10;
    world.stepFrame = 5;
    world.walkFromX = 40.0f;
    world.walkFromZ = 0.0f;
    world.path = {{50.0, 0.0, 0.0}};

    drawFrame(); // not walking: the monkey keeps its place and height
    EXPECT_EQ(world.bobFrame, 0);
    EXPECT_EQ(world.stepFrame, 5);
    EXPECT_EQ(outline()[clearAndLight.size() + 3], "mesh 35,2,5 1,0.6,0.2");

    world.walking = true;
    clearCalls();
    drawFrame(); // halfway along the step, bob height sin(0) + 1
    EXPECT_EQ(world.bobFrame, 1);
    EXPECT_EQ(world.stepFrame, 6);
    EXPECT_EQ(outline()[clearAndLight.size() + 3], "mesh 40,2,5 1,0.6,0.2");
}

TEST_F(SceneDraw, MapWithoutTilesDrawsOnlyTheLightAndGround) {
    world.nodes.clear();
    drawFrame();
    EXPECT_EQ(outline(), frameOf({}));
}

TEST_F(SceneDraw, LeavesTheMatricesAsTheCameraSetThem) {
    world.monkey.visible = true;
    world.banana.visible = true;
    world.walking = true;
    world.path = {{50.0, 0.0, 0.0}};
    drawFrame();
    int depth = 0;
    for (const Call& call : callLog()) {
        depth += call.name == "glPushMatrix" ? 1 : call.name == "glPopMatrix" ? -1 : 0;
        ASSERT_GE(depth, 0);
        EXPECT_NE(call.name, "glMatrixMode");
        EXPECT_NE(call.name, "glLoadIdentity");
        EXPECT_NE(call.name, "gluPerspective");
        EXPECT_NE(call.name, "gluLookAt");
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(callNames("glPushMatrix").size(), 5u);
}
