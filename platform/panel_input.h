// Dear ImGui's input, fed from the version-2 layer's state once per frame before the panel
// is built: the cursor, the buttons (a click quicker than a frame included) and the wheel
// turned over the panel. No keys: the panel has no text field, so every key is the board's.
#pragma once

// `seconds`: the time since the panel's last frame.
void feedPanelInput(double seconds);
