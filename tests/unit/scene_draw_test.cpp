// What one frame sends to OpenGL, read from the recording stand-in as an outline: one
// line per call, each model draw (push ... pop) folded into "mesh <translation> <colour>".
#include "tests/support/call_log.h"
#include "tests/support/fake_gl.h"
#include "world/world.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::string numbers(const std::vector<double>& args) {
    std::ostringstream text;
    for (const double& arg : args) {
        text << (&arg == args.data() ? "" : ",") << arg;
    }
    return text.str();
}

std::vector<std::string> outline() {
    std::vector<std::string> lines;
    bool inMesh = false;
    for (const Call& call : callLog()) {
        if (call.name == "glPushMatrix" || call.name == "glPopMatrix") {
            inMesh = call.name == "glPushMatrix";
            if (inMesh) {
                lines.push_back("mesh");
            }
        } else if (!inMesh) {
            lines.push_back(call.name + " " + numbers(call.args));
        } else if (call.name == "glTranslatef" || call.name == "glColor3f") {
            lines.back() += " " + numbers(call.args);
        }
    }
    return lines;
}

} // namespace

TEST(SceneDraw, ClearLightTilesStepFiguresThenTheGround) {
    // Monkey shown, banana shown, walking; the figures drawn. The step lifts the monkey to
    // its bob height sin(0) + 1.
    const std::tuple<bool, bool, bool, std::vector<std::string>> cases[] = {
        {false, false, false, {}},
        {true, false, false, {"mesh -5,1,5 1,0.6,0.2"}},
        {false, true, false, {"mesh -5,1,5 1,1,0"}},
        {true, true, true, {"mesh -5,2,5 1,0.6,0.2", "mesh -5,1,5 1,1,0"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        resetFakeGl();
        world = World(std::string());
        std::tie(world.monkey.visible, world.banana.visible, world.walking, std::ignore) = c;
        world.path = {{50, 0, 0}};
        world.nodes.resize(2);
        world.nodes[1].mesh.color[1] = 0.3;
        world.nodes[1].marked = true;
        clearCalls();
        drawFrame();
        // The marked tile at 100 x its colour.
        std::vector<std::string> expected = {
            "glClear " + numbers({GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}),
            "glLightfv " + numbers({GL_LIGHT0, GL_POSITION, 10, 200, -10, 1}),
            "glLightfv " + numbers({GL_LIGHT0, GL_DIFFUSE, 1, 1, 1, 1}),
            "glLightfv " + numbers({GL_LIGHT0, GL_AMBIENT, 0.2f, 0.2f, 0.2f, 1}),
            "glEnable " + numbers({GL_LIGHT0}),
            "glEnable " + numbers({GL_LIGHTING}),
            "mesh -5,1,5 0,0,0",
            "mesh -5,1,5 0,30,0"};
        expected.insert(expected.end(), std::get<3>(c).begin(), std::get<3>(c).end());
        // Wound both ways, so that the ground shows from above and below with culling on.
        expected.insert(expected.end(),
                        {"glBegin " + numbers({GL_QUADS}), "glColor3f 0,0.4,0", "glNormal3f 0,1,0",
                         "glVertex3f -80,0,-80", "glVertex3f -80,0,80", "glVertex3f 80,0,80",
                         "glVertex3f 80,0,-80", "glNormal3f 0,-1,0", "glVertex3f -80,0,-80",
                         "glVertex3f 80,0,-80", "glVertex3f 80,0,80", "glVertex3f -80,0,80",
                         "glEnd "});
        EXPECT_EQ(outline(), expected);
        // What the outline folds away: a push left open, or a matrix switch inside a draw.
        EXPECT_EQ(callNames("glPushMatrix").size(), callNames("glPopMatrix").size());
        EXPECT_TRUE(callNames("glMatrixMode").empty());
    }
    world = World(std::string());
}
