// Mouse input: left-button ground picking, right-button turning with inertia, wheel zoom.
#pragma once

#include "app/app.h"
#include "mesh/mesh.h"
#include "world/world.h"

// A left press that clicks (no Shift, not on the panel), from its first held frame to its
// release (view/drag.cpp): the figure it may drag and the tile it went down on; once the
// cursor has left that tile, the drag is on and the figure stands on `figureTile`. After a
// drag, `settling` keeps the search view showing each record whole until the last plan's
// record has been taken up.
struct FigureDrag {
    DraggedFigure figure = DraggedFigure::None;
    int pressTile = -1;
    bool on = false;
    int figureTile = -1;
    bool settling = false;
};

// What the mouse step knows between frames, one process-wide record.
struct Mouse {
    float dragGain = 3.0f;
    // The cursor in this step and at the end of the previous one, in window pixels, origin
    // top left; the previous one starts at the middle of the window's start size.
    int mouseX = 0;
    int mouseY = 0;
    int lastMouseX = StartWindowWidth / 2;
    int lastMouseY = StartWindowHeight / 2;
    bool leftButtonHeld = false;
    bool rightButtonHeld = false;
    Vec3 pickedPoint = {0.0, 0.0, 0.0};
    // Whether the pick of the latest held frame came from a real unprojection. A failed pick
    // names no tile, so its press requests nothing.
    bool pickedPointOk = false;
    // Presses that went down on the panel are the panel's: they reach nothing on the board.
    bool leftOnPanel = false;
    bool middleHeld = false;
    bool middleOnPanel = false;
    bool rightOnPanel = false;
    // Painting: whether the left press paints (Shift was down when it went down), and while
    // a paint button is held, the kind it paints and the tile painted last.
    bool leftPaints = false;
    bool paintHeld = false;
    int paintKind = -1;
    int paintedTile = -1;
    // When the tile under the cursor was last looked up.
    double hoverPickedAt = -1.0;
    FigureDrag drag;
};

extern Mouse mouse;

void handleMouse();
// Window pixel (origin top left) to world point (x, y, -z) from the depth buffer. Sets
// `ok` false, and returns (0, 0, 0), when the point cannot be unprojected.
Vec3 pickGround(int x, int y, bool* ok = nullptr);
// The tile of the board at a picked point (as pickGround gives it, `ok` as it set it), or
// -1: a failed pick or a point off the board names none.
int tileOfPick(const Vec3& point, bool ok);

// Dragging the monkey and the banana (view/drag.cpp), called by the mouse step for a left
// press that clicks. On its first held frame: what lies on the tile where it went down.
void pressFigure();
// Every held frame, with the tile under the cursor (-1: none, or over the panel; `known`
// false when the pick failed and so says nothing): once the cursor leaves the pressed tile
// the figure follows it tile by tile, staying on the last tile it can stand on, and the
// walk is planned again at each move (the racers follow); the search view shows each plan
// whole. Whether a drag is on.
bool dragFigure(int tile, bool known);
// On release: whether the press was a drag, which is no click.
bool releaseFigure();
// Every frame: after a drag, the search view plays records back again once the last plan's
// has been taken up, shown whole.
void settleDrag();
