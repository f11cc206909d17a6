// The panel's drawing stands aside in the logic tests: they see its place in the frame.
#include "tests/support/call_log.h"
#include "ui/panel.h"

void startPanel() {
    record("startPanel");
}

void drawPanel() {
    record("drawPanel");
}

void stopPanel() {}
