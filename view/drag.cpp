// Dragging the monkey and the banana with the left button. A press on a figure's tile that
// never leaves it is a click; once the cursor leaves the tile the figure follows it tile by
// tile, staying on the last tile it can stand on, and at each move the world's walk is
// planned again through the sliced search (the frame carries it on), the latest move
// replacing a plan under way; in a race the racers follow. The release is no click: the
// click cycle stays where it was.
#include "platform/glfw2.h"
#include "view/mouse.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world/world.h"

namespace {

// The walk whose monkey a press at window pixel (x, y) finds: the world's, or in a race the
// racer's of the view there.
const Walk& pressedWalk(int x, int y) {
    const int view = raceOn(world) ? raceViewportAt(x, y) : -1;
    return view >= 0 ? world.session.racers[view].walk : world.walk;
}

// The dragged figure put on `tile`, and the racers following; false where it cannot stand.
bool moveFigure(int tile) {
    FigureDrag& drag = mouse.drag;
    const bool moved =
        drag.figure == DraggedFigure::Monkey ? world.dragMonkeyTo(tile) : world.dragBananaTo(tile);
    if (moved) {
        drag.figureTile = tile;
    }
    return moved;
}

// A dragged monkey waits where it was put, whatever its plan says: the steps of the plan
// are let go every frame, and the walk is planned again when the monkey is let go.
void holdMonkeys() {
    if (mouse.drag.figure == DraggedFigure::Monkey) {
        world.holdMonkeys();
    }
}

} // namespace

void pressFigure() {
    FigureDrag& drag = mouse.drag;
    if (drag.settling) {
        world.session.view.atOnce = false; // a click's search plays back as ever
    }
    drag = FigureDrag{};
    // The tile where the button went down, in the view there: the cursor may have moved on
    // within the same event processing.
    int x = 0;
    int y = 0;
    glfwGetMousePressPos(GLFW_MOUSE_BUTTON_LEFT, &x, &y);
    aimPickAt(x, y);
    bool ok = false;
    const Vec3 point = pickGround(x, y, &ok);
    aimPickAt(mouse.mouseX, mouse.mouseY);
    drag.pressTile = tileOfPick(point, ok);
    drag.figure = world.figureAt(pressedWalk(x, y), drag.pressTile);
}

bool dragFigure(int tile, bool known) {
    FigureDrag& drag = mouse.drag;
    if (drag.figure == DraggedFigure::None) {
        return false;
    }
    if (known && !drag.on && tile != drag.pressTile) {
        drag.on = true;
        world.session.view.atOnce = true; // no playback while the drag goes on
        // The figure leaves its tile for the cursor's; where it cannot stand there, it stays
        // on the pressed tile, the monkey taken off any step it was taking.
        drag.figureTile = drag.pressTile;
        if (!moveFigure(tile) && drag.figure == DraggedFigure::Monkey) {
            moveFigure(drag.pressTile);
        }
    } else if (known && drag.on && tile != drag.figureTile) {
        moveFigure(tile);
    }
    if (drag.on) {
        holdMonkeys();
    }
    return drag.on; // until the cursor leaves the pressed tile, still a click
}

bool releaseFigure() {
    FigureDrag& drag = mouse.drag;
    const bool dragged = drag.on;
    if (dragged && drag.figure == DraggedFigure::Monkey && drag.figureTile >= 0) {
        moveFigure(drag.figureTile); // planned from where it is dropped, it sets off
    }
    drag.figure = DraggedFigure::None;
    drag.on = false;
    drag.settling = drag.settling || dragged;
    return dragged;
}

void settleDrag() {
    FigureDrag& drag = mouse.drag;
    if (!drag.settling || drag.on) {
        return;
    }
    // The last plan shows whole too: the view waits until each shown walk's search has ended
    // and its playback has taken the record up.
    const ShownWalks shown = shownWalks(world);
    for (int i = 0; i < shown.count; i++) {
        const Walk& walk = *shown.walks[i];
        if (walk.planning == Planning::Walk || walk.playback.serial != walk.search.serial) {
            return;
        }
    }
    world.session.view.atOnce = false;
    drag.settling = false;
}
