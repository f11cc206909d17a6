// Pictures of the shipped models as the program shows them: one flat colour each, the same
// OpenGL state and point light, drawn with Mesh::draw. For every model a close view
// straight down (the start camera's direction) and one from an angle, then a 4 x 4 patch of
// tiles with the monkey and the banana seen from the real start camera.
//
// Usage (needs a display; on a machine without one, under xvfb-run):
//   model_views [ASSETS_DIR [OUT_DIR]]
// writes OUT_DIR/<model>-top.png, OUT_DIR/<model>-angle.png and OUT_DIR/overview.png.
#include "app/app.h"
#include "mesh/mesh.h"
#include "platform/glfw2.h"
#include "tools/png_write.h"
#include "world/tile_kinds.h"
#include "world/world.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int WindowWidth = 1280;
constexpr int WindowHeight = 720;
// Close views are square; the overview keeps the window's middle, where the patch is.
constexpr int ViewSize = 400;
constexpr int OverviewCrop = 480;

struct Model {
    std::string name; // the file's name without ".obj"
    const double* color;
    // Width of ground the close views take in, in world units.
    double span;
};

std::string nameOf(const char* file) {
    const std::string name = file;
    return name.substr(0, name.size() - 4);
}

// Every model the program reads, in the program's colour for it: the two figures, then each
// kind's from the tile table.
std::vector<Model> allModels() {
    std::vector<Model> models{{nameOf(MonkeyModel.file), MonkeyModel.color, 13.0},
                              {nameOf(BananaModel.file), BananaModel.color, 8.0}};
    for (const TileKind& kind : TileKinds) {
        for (const char* file : kind.models) {
            if (file != nullptr) {
                models.push_back({nameOf(file), kind.color, kind.blocks() ? 15.0 : 13.0});
            }
        }
    }
    return models;
}

// The green ground square of the scene, from `low` to `high` in x and z.
void drawGround(float low, float high) {
    glBegin(GL_QUADS);
    glColor3f(0.0f, 0.4f, 0.0f);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(low, 0.0f, low);
    glVertex3f(low, 0.0f, high);
    glVertex3f(high, 0.0f, high);
    glVertex3f(high, 0.0f, low);
    glEnd();
}

// The outline of the tile from (x, z) to (x + 10, z + 10), to judge a model's footprint.
void drawTileOutline(float x, float z) {
    glDisable(GL_LIGHTING);
    glColor3f(0.0f, 0.15f, 0.0f);
    glBegin(GL_LINE_LOOP);
    glVertex3f(x, 0.05f, z);
    glVertex3f(x + 10.0f, 0.05f, z);
    glVertex3f(x + 10.0f, 0.05f, z + 10.0f);
    glVertex3f(x, 0.05f, z + 10.0f);
    glEnd();
    glEnable(GL_LIGHTING);
}

bool savePixels(const std::string& path, int x, int y, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // OpenGL hands the bottom row first; PNG wants the top row first.
    std::vector<unsigned char> flipped(pixels.size());
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    for (int r = 0; r < height; ++r) {
        std::copy_n(pixels.data() + row * (height - 1 - r), row, flipped.data() + row * r);
    }
    if (!writePng(path, width, height, flipped.data())) {
        std::cerr << "model_views: cannot write " << path << '\n';
        return false;
    }
    std::cout << path << '\n';
    return true;
}

double modelHeight(const Mesh& mesh) {
    double height = 0.0;
    for (const Vec3& v : mesh.geometry().vertices) {
        height = std::max(height, v.y);
    }
    return height;
}

// Loads a model in the program's colour for it; says why not, if it can't.
bool loadModel(const Model& model, const std::string& assets, Mesh& mesh) {
    mesh.load(assets + "/" + model.name + ".obj");
    if (!mesh.geometry().error.empty()) {
        std::cerr << "model_views: " << mesh.geometry().error << '\n';
        return false;
    }
    std::copy_n(model.color, 3, mesh.color);
    return true;
}

// One model on the tile whose anchor is (10, 0, 0): drawn centred at (5, 1, 5). It is turned
// by -90 degrees, which cancels the drawing's fixed 90, so that the picture shows the
// model's own axes: +x to the right and -z up in the top view.
bool drawModelViews(const Model& model, const std::string& assets, const std::string& out) {
    Mesh mesh;
    if (!loadModel(model, assets, mesh)) {
        return false;
    }
    mesh.position[0] = 10.0f;
    mesh.position[1] = 0.0f;
    mesh.position[2] = 0.0f;
    mesh.angle = -90.0f;

    const double centreY = 1.0 + modelHeight(mesh) / 2.0;
    struct View {
        const char* suffix;
        double fieldOfView;
        double eye[3];
        double look[3];
        double up[3];
    };
    // Straight down like the start camera; its narrow field keeps tall crowns from
    // leaning outward more than they do from 200 units up.
    const double topFov = 12.0;
    const double topDistance = model.span / 2.0 / std::tan(topFov / 2.0 * std::numbers::pi / 180.0);
    // From the front-left and above, a little toward the viewer.
    const double angleFov = 30.0;
    const double angleDistance =
        model.span * 0.75 / std::tan(angleFov / 2.0 * std::numbers::pi / 180.0);
    const double d = angleDistance / std::sqrt(0.8 * 0.8 + 0.7 * 0.7 + 1.0);
    const View views[] = {
        {"top", topFov, {5.0, topDistance, 5.0}, {5.0, 0.0, 5.0}, {0.0, 0.0, -1.0}},
        {"angle",
         angleFov,
         {5.0 - 0.8 * d, centreY + 0.7 * d, 5.0 + d},
         {5.0, centreY, 5.0},
         {0.0, 1.0, 0.0}},
    };

    for (const View& view : views) {
        glViewport(0, 0, ViewSize, ViewSize);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(view.fieldOfView, 1.0, 2.0, 2000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(view.eye[0], view.eye[1], view.eye[2], view.look[0], view.look[1], view.look[2],
                  view.up[0], view.up[1], view.up[2]);
        setupLight();
        mesh.draw(false);
        drawGround(-20.0f, 30.0f);
        drawTileOutline(0.0f, 0.0f);
        const std::string path = out + "/" + model.name + "-" + view.suffix + ".png";
        if (!savePixels(path, 0, 0, ViewSize, ViewSize)) {
            return false;
        }
        glfwSwapBuffers();
    }
    return true;
}

// A 4 x 4 patch of mixed tiles around the origin with the monkey walking toward the banana,
// from the start camera: 200 units up, 48.75 degrees, the window's aspect.
bool drawOverview(const std::string& assets, const std::string& out) {
    constexpr int G = GroundCode, T = TreeCode, S = StonesCode, W = WaterCode;
    const int codes[4][4] = {{G, T, G, W}, {G, S, G, W}, {T, G, G, T}, {G, S, T, G}};
    std::vector<Mesh> tiles;
    std::vector<bool> marked;
    unsigned int seed = 12345;
    auto draw = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) & 0x7FFF);
    };
    int treeCount = 0;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int code = codes[row][column];
            const TileKind& kind = tileKindOf(code);
            const char* file = kind.models[kind.models[1] != nullptr ? treeCount++ % 3 : 0];
            const Model model{nameOf(file), kind.color, 0.0};
            Mesh mesh;
            if (!loadModel(model, assets, mesh)) {
                return false;
            }
            // Anchors of a 16 x 16 map's middle tiles: columns 6 to 9, rows 6 to 9.
            mesh.position[0] = 10.0f * float(column - 1);
            mesh.position[1] = 0.0f;
            mesh.position[2] = 10.0f * float(row - 2);
            mesh.angle = kind.turned ? float(draw()) / 32767.0f * 360.0f : 0.0f;
            tiles.push_back(mesh);
            // Start, one step of the way and the target, as the search marks them.
            marked.push_back((row == 2 && column >= 1 && column <= 2) || (row == 1 && column == 2));
        }
    }
    Mesh monkey;
    monkey.load(assets + "/monkey.obj");
    Mesh banana;
    banana.load(assets + "/banan.obj");
    if (!monkey.geometry().error.empty() || !banana.geometry().error.empty()) {
        std::cerr << "model_views: " << monkey.geometry().error << banana.geometry().error << '\n';
        return false;
    }
    std::copy_n(MonkeyModel.color, 3, monkey.color);
    std::copy_n(BananaModel.color, 3, banana.color);
    // Walking from the tile in row 2, column 1 toward +x, halfway, at mid bob height.
    monkey.position[0] = 5.0f;
    monkey.position[1] = 1.0f;
    monkey.position[2] = 0.0f;
    monkey.angle = 90.0f;
    banana.position[0] = 10.0f;
    banana.position[1] = 0.0f;
    banana.position[2] = -10.0f;

    glViewport(0, 0, WindowWidth, WindowHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(48.75, double(WindowWidth) / double(WindowHeight), 2.0, 2000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 200.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, -1.0);
    setupLight();
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        tiles[i].draw(marked[i]);
    }
    monkey.draw(false);
    banana.draw(false);
    drawGround(-80.0f, 80.0f);
    const bool saved = savePixels(out + "/overview.png", (WindowWidth - OverviewCrop) / 2,
                                  (WindowHeight - OverviewCrop) / 2, OverviewCrop, OverviewCrop);
    glfwSwapBuffers();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    const std::string assets = argc > 1 ? argv[1] : TANGLOR_ASSETS_DIR;
    const std::string out = argc > 2 ? argv[2] : TANGLOR_MODEL_VIEWS_DIR;
    std::filesystem::create_directories(out);

    if (!glfwInit() || !glfwOpenWindow(WindowWidth, WindowHeight, 0, 0, 0, 0, 16, 0, GLFW_WINDOW)) {
        std::cerr << "model_views: cannot open a window: " << glfwGetOpenError() << '\n';
        return 1;
    }
    setupGlState();

    bool ok = true;
    for (const Model& model : allModels()) {
        ok = drawModelViews(model, assets, out) && ok;
    }
    ok = drawOverview(assets, out) && ok;
    glfwTerminate();
    return ok ? 0 : 1;
}
